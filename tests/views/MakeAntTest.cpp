#include "FileTestSupport.h"
#include "ScriptedDialogs.h"
#include "util/TextFile.h"
#include "views/MakeAnt.h"
#include "views/draw/OwnAntennaPicture.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

namespace {

struct Dialog {
    explicit Dialog(const std::string &catalogue) : form(EigeneAntenneInput{QString::fromStdString(catalogue), {}}) {}

    void set(const char *name, const QString &text) { form.findChild<QLineEdit *>(name)->setText(text); }
    void click(const char *name) { form.findChild<QPushButton *>(name)->click(); }
    void addLine(const QString &f, const QString &g, const QString &e)
    {
        set("EditFrequenz", f);
        set("EditGewinn", g);
        set("EditElemente", e);
        click("ButAddFrequenz");
    }
    QString memo() const { return form.findChild<QPlainTextEdit *>("Memo")->toPlainText(); }

    TFormEigeneAntenne form;
};

} // namespace

TEST(OwnAntennaDialog, PresetsAndTwoLinesGiveMemoAndCatalogueLine)
{
    ScriptedDialogs dialogs;
    TempDir dir;
    const std::string path = dir.file("AntUser.txt");
    Dialog d(path);
    EXPECT_EQ(d.form.windowTitle(), "Eigene Antenne konstruieren");
    EXPECT_EQ(d.form.size(), QSize(383, 309));
    const std::pair<const char *, const char *> presets[] = {{"EditName", "MyAnt"},   {"EditAntTyp", "MyAntTyp"},
                                                             {"EditKategorie", "DL0XYZ"}, {"EditFrequenz", "10"},
                                                             {"EditGewinn", "3"},         {"EditElemente", "1"}};
    for (const auto &[name, preset] : presets)
        EXPECT_EQ(d.form.findChild<QLineEdit *>(name)->text(), preset) << name;
    EXPECT_TRUE(d.form.findChild<QPushButton *>("ButSaveAnt")->isDefault());
    EXPECT_TRUE(d.memo().isEmpty());

    d.addLine("144", "12.5", "9");
    d.addLine("432", "15,2", "19"); // decimal comma, filed with a point
    EXPECT_EQ(d.memo(), "f[MHz] G[dBi] #Elem.\n  144  12.5     9\n  432  15.2    19");
    EXPECT_EQ(d.form.findChild<QPlainTextEdit *>("Memo")->font().family(), "Liberation Mono");

    d.click("ButSaveAnt");
    EXPECT_EQ(ReadTextLines(path), (Lines{"[DL0XYZ]", "MyAnt,MyAntTyp,144,12.5,9,432,15.2,19,#"}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(dialogs.lastMessage(), "Antenne wurde in der Datei AntUser.txt gespeichert");
    EXPECT_EQ(d.form.result(), QDialog::Accepted);
}

TEST(OwnAntennaDialog, SavingsGoToTheEndOfTheirCategory)
{
    ScriptedDialogs dialogs;
    TempDir dir;
    const std::string path = dir.file("AntUser.txt");
    WriteTextLines(path, {"[DL1ABC]", "Alt,Yagi,144,10,5,#", "[Zeta]", "Z,Z,1,1,1,#"});
    struct {
        const char *category, *name;
    } savings[] = {{"DL1ABC", "Erste"}, {"DL1ABC", "Zweite"}, {"DK0XX", "Neu"}, {"DK0XX", "Letzte"}};
    for (const auto &s : savings) {
        Dialog d(path);
        d.set("EditKategorie", s.category);
        d.set("EditName", s.name);
        d.click("ButSaveAnt");
    }
    EXPECT_EQ(ReadTextLines(path), (Lines{"[DL1ABC]", "Alt,Yagi,144,10,5,#", "Erste,MyAntTyp,#", "Zweite,MyAntTyp,#",
                                          "[Zeta]", "Z,Z,1,1,1,#", "[DK0XX]", "Neu,MyAntTyp,#", "Letzte,MyAntTyp,#"}));
}

TEST(OwnAntennaDialog, CancelAndFailedSaveWriteNothing)
{
    ScriptedDialogs dialogs;
    TempDir dir;
    const std::string path = dir.file("AntUser.txt");
    WriteTextLines(path, {"[DL1ABC]", std::string(200, 'x') + ",Yagi,144,10,5,#"});
    const std::string before = ReadFileBytes(path);
    {
        Dialog d(path);
        d.addLine("144", "12", "9");
        d.click("ButCancel");
        EXPECT_EQ(d.form.result(), QDialog::Rejected);
    }
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_TRUE(dialogs.messages.empty());

    Dialog d(path);
    d.form.show();
    {
        WriteLimit limit(64);
        d.click("ButSaveAnt");
    }
    EXPECT_EQ(ReadFileBytes(path), before);
    ASSERT_EQ(dialogs.messages.size(), 1u); // an error naming the file, no "gespeichert"
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.lastMessage().contains("AntUser.txt")) << dialogs.lastMessage().toStdString();
    EXPECT_TRUE(d.form.isVisible()); // still open for another try
}

TEST(OwnAntennaDialog, CategoryStartsWithTheCallsign)
{
    ScriptedDialogs dialogs;
    const std::pair<const char *, const char *> cases[] = {
        {"DK9ZZ", "DK9ZZ"}, {" DK9ZZ ", "DK9ZZ"}, {"", "DL0XYZ"}, {"   ", "DL0XYZ"}};
    for (const auto &[callsign, category] : cases) {
        TFormEigeneAntenne form(EigeneAntenneInput{"AntUser.txt", callsign});
        EXPECT_EQ(form.findChild<QLineEdit *>("EditKategorie")->text(), category) << "'" << callsign << "'";
    }
}

// Nothing the catalogue reader reports is ever written: the field is named, its text stays.
TEST(OwnAntennaDialog, RefusesWhatTheCatalogueReaderWouldReport)
{
    ScriptedDialogs dialogs;
    TempDir dir;
    const std::string path = dir.file("AntUser.txt");
    struct Case {
        const char *name, *frequency, *gain, *field;
    };
    const Case cases[] = {
        {"letters as frequency", "abc", "3", "„Frequenz [MHz]“"},
        {"empty frequency", "", "3", "„Frequenz [MHz]“"},
        {"frequency 0", "0", "3", "„Frequenz [MHz]“"},
        {"two points", "14.2.1", "3", "„Frequenz [MHz]“"},
        {"empty gain", "144", "", "„Gewinn [dBi]“"},
        {"gain beyond its range", "144", "1e9", "„Gewinn [dBi]“"},
    };
    Dialog d(path);
    d.form.show();
    for (const Case &c : cases) {
        dialogs.clear();
        d.addLine(c.frequency, c.gain, "1");
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.name;
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning) << c.name;
        EXPECT_TRUE(dialogs.lastMessage().contains(c.field)) << c.name << ": " << dialogs.lastMessage().toStdString();
        EXPECT_EQ(d.form.findChild<QLineEdit *>("EditFrequenz")->text(), c.frequency) << c.name;
        EXPECT_EQ(d.form.findChild<QLineEdit *>("EditGewinn")->text(), c.gain) << c.name;
        EXPECT_TRUE(d.form.lines().empty()) << c.name;
    }
    d.click("ButSaveAnt"); // the presets alone are a sound line
    ASSERT_EQ(ReadTextLines(path).size(), 2u);

    const std::string before = ReadFileBytes(path);
    Dialog named(path);
    named.form.show();
    named.set("EditName", "[Beam");
    dialogs.clear();
    named.click("ButSaveAnt");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.lastMessage().contains("„Name der Antenne“")) << dialogs.lastMessage().toStdString();
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_TRUE(named.form.isVisible());
    EXPECT_EQ(named.form.findChild<QLineEdit *>("EditName")->text(), "[Beam");
}

TEST(OwnAntennaPicture, FitsCentredAndProportional)
{
    struct {
        const char *name;
        QSize image;
        QRectF expected;
    } cases[] = {
        {"native size", {185, 89}, {0, 0, 185, 89}},
        {"wide area", {385, 89}, {100, 0, 185, 89}},
        {"double", {370, 178}, {0, 0, 370, 178}},
    };
    for (const auto &c : cases) {
        QImage image(c.image, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        const OwnAntennaPictureFigures f = DrawOwnAntennaPicture(p, QRectF(QPointF(0, 0), QSizeF(c.image)));
        p.end();
        EXPECT_EQ(f.picture, c.expected) << c.name;
        EXPECT_EQ(f.elements, 5) << c.name;
        // The boom is dark, the margins beside a wide picture stay untouched, the ground is green.
        const QPointF mid = (f.boomStart + f.boomEnd) / 2;
        const QColor boom = image.pixelColor(qRound(mid.x()), qRound(mid.y()));
        EXPECT_LT(boom.lightness(), 100) << c.name;
        if (c.expected.left() > 0) {
            EXPECT_EQ(image.pixelColor(qRound(c.expected.left()) / 2, c.image.height() / 2), QColor(Qt::white));
        }
        const QColor ground = image.pixelColor(qRound(f.picture.center().x()), qRound(f.picture.bottom()) - 2);
        EXPECT_GT(ground.green(), ground.red()) << c.name;
    }
}
