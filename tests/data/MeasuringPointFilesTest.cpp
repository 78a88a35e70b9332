#include "data/MeasuringPointFiles.h"
#include "FileTestSupport.h"
#include "util/TextFile.h"

#include <gtest/gtest.h>

namespace
{

std::vector<MeasuringPoint> fivePoints()
{
    std::vector<MeasuringPoint> points;
    FillPoints(points, 5);
    points[1].distance = "3";
    points[4].angle = "7";
    for (MeasuringPoint &p : points) {
        p.e = "5,48";
        p.h = "0,015";
    }
    return points;
}

} // namespace

TEST(DistanceFile, WrittenAndReadBack)
{
    TempDir dir;
    const std::string path = dir.file("Abstände.txt");
    WriteDistanceFile(path, fivePoints());
    EXPECT_EQ(ReadFileBytes(path), "w;5\r\n10;0\r\n3;10\r\n10;20\r\n10;30\r\n10;7\r\n");
    const DistanceFileContent back = ReadDistanceFile(path);
    EXPECT_EQ(back.announced, 5);
    EXPECT_FALSE(back.lineError);
    ASSERT_EQ(back.rows.size(), 5u);
    EXPECT_EQ(back.rows[1].distance, "3");
    EXPECT_EQ(back.rows[4].angle, "7");
}

TEST(DistanceFile, AnnouncedNumberMustFitTheFile)
{
    struct Case {
        const char *name;
        std::string bytes;
    };
    const Case cases[] = {
        {"no points", "w;0\r\n"},
        {"negative", "w;-3\r\n10;0\r\n"},
        {"more than the file holds", "w;3\r\n10;0\r\n20;0\r\n"},
        {"a billion", "w;1000000000\r\n10;0\r\n"},
        {"beyond the integers", "w;99999999999999999999\r\n10;0\r\n"},
        {"no number", "w;fünf\r\n10;0\r\n"},
        {"empty file", ""},
    };
    TempDir dir;
    for (const Case &c : cases) {
        const std::string path = dir.file("a.txt");
        WriteBytes(path, c.bytes);
        try {
            ReadDistanceFile(path);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const FileError &e) {
            EXPECT_NE(std::string(e.what()).find("a.txt"), std::string::npos) << c.name << ": " << e.what();
        }
    }
}

TEST(DistanceFile, BadLineEndsTheReadingThere)
{
    TempDir dir;
    const std::string path = dir.file("a.txt");
    // UTF-8 is read as well; the third point has no separator.
    WriteBytes(path, "w;4\n12;5\n13;6;Rest\n14 5\n15;7\n");
    const DistanceFileContent content = ReadDistanceFile(path);
    EXPECT_EQ(content.announced, 4);
    ASSERT_EQ(content.rows.size(), 2u);
    EXPECT_EQ(content.rows[1].distance, "13");
    EXPECT_EQ(content.rows[1].angle, "6");
    ASSERT_TRUE(content.lineError);
    EXPECT_NE(content.lineError->find("Zeile 4"), std::string::npos) << *content.lineError;
}

TEST(ExchangeFile, LinesInWindows1252WithCrLf)
{
    TempDir dir;
    const std::string path = dir.file("jjj.xch");
    const ExchangeHeader header{"Yagi 9 El. für 2m", 15, 750.4, "TX6 RX0",
                                "EN 50413 (Ausgabe 2008) und BNetzA-Anleitung"};
    std::vector<MeasuringPoint> points = fivePoints();
    points.resize(2);
    points[1].e = "---";
    points[1].h = "---";
    WriteExchangeFile(path, header, points);
    EXPECT_EQ(ReadFileBytes(path), "Spalte.............>FO\r\n"
                                   "Antennenname.......>Yagi 9 El. f\xfcr 2m\r\n"
                                   "Band...............>2m\r\n"
                                   "Ausgangsleistung...>750\r\n"
                                   "TxRx-Intervall.....>tx6 - rx0\r\n"
                                   "Mode-Faktoren......>EN 50413 (Ausgabe 2008) und BNetzA-Anleitung\r\n"
                                   "MP 1;5,48;0,015\r\n"
                                   "MP 2;---;---\r\n");
}

TEST(ExchangeFile, DutyCycleInterval)
{
    const std::pair<const char *, const char *> cases[] = {
        {"TX6 RX0", "tx6 - rx0"},
        {"frei -->", "fre - -->"},
        {"TX", "tx - tx"},
        {"", " - "},
    };
    for (const auto &[item, interval] : cases)
        EXPECT_EQ(DutyCycleInterval(item), interval) << item;
}
