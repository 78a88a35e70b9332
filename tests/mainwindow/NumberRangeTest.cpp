// Numbers at the edge: every typed value and dialog answer outside its physical range is
// refused with one message and changes nothing; values at the edge give no INF, NAN or
// runaway digits in any result field.
#include "FormFixture.h"

#include <QTabWidget>

#include <QApplication>
#include <QRegularExpression>
#include <QTableWidget>

namespace {

const char *const kResultFields[] = {"EditEps",  "EditHps",         "EditAntIn",      "EditEIRP",   "EditERP",
                                     "EditrPS",  "EditrNahfeld",    "EditGain",       "EditPower",  "EditAtt",
                                     "EditFSi",  "EditDirectivity", "EditBodenHoehe", "EditWiesEIRP",
                                     "EditkFitPS", "EditWiesAbstandPS"};

} // namespace

class RangeTest : public FormTest {
protected:
    // Every result text is a number with the decimal comma, "---", or empty.
    void expectShowableResults(const std::string &context)
    {
        static const QRegularExpression bad("inf|nan|[0-9]\\.[0-9]", QRegularExpression::CaseInsensitiveOption);
        QStringList texts;
        for (const char *name : kResultFields)
            texts << text(name);
        auto *grid = find<QTableWidget>("SGWinkel");
        for (int r = 1; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                if (grid->item(r, c))
                    texts << grid->item(r, c)->text();
        for (const QString &t : texts) {
            EXPECT_FALSE(bad.match(t).hasMatch()) << context << ": " << t.toStdString();
            EXPECT_LE(t.size(), 24) << context << ": " << t.toStdString();
        }
    }

    struct Snapshot {
        double power, height, totalAtt;
        QString distance;
    };
    Snapshot snapshot() { return {form->power(), form->height(), form->cableState().TotalAtt, text("EditrPS")}; }
    void expectUnchanged(const Snapshot &s, const std::string &context)
    {
        EXPECT_DOUBLE_EQ(form->power(), s.power) << context;
        EXPECT_DOUBLE_EQ(form->height(), s.height) << context;
        EXPECT_DOUBLE_EQ(form->cableState().TotalAtt, s.totalAtt) << context;
        EXPECT_EQ(text("EditrPS"), s.distance) << context;
    }
};

TEST_F(RangeTest, TypedValuesBeyondTheirRangeAreRefusedOnce)
{
    start();
    struct {
        const char *field, *typed, *message;
    } cases[] = {
        {"EditHoehe", "10000,5", "Die Höhe muß zwischen 0 und 10000 m liegen!"},
        {"EditPower", "1,7976931348623157E308", "Die Leistung muß zwischen 0 und 1000000 W liegen!"},
        {"EditPower", "1000000.5", "Die Leistung muß zwischen 0 und 1000000 W liegen!"},
        {"EditCableLength", "1E308", "Die Kabellänge muß zwischen 0 und 10000 m liegen!"},
        {"EditCableLength", "-5", "Die Kabellänge muß eine positive Gleitkommazahl sein!"},
        {"EditPlugAtt", "1000,5", "Die Dämpfung muß zwischen 0 und 1000 dB liegen!"},
        {"EditPlugAtt", "-1E308", "Die Dämpfung muß eine positive Gleitkommazahl sein!"},
        {"EditDirectivityUsed", "1000,5", "Die abweichende Directivity muß zwischen -1000 und 1000 dBi liegen!"},
    };
    for (const auto &c : cases) {
        const std::string context = std::string(c.field) + " " + c.typed;
        const QString previous = text(c.field);
        const Snapshot before = snapshot();
        dialogs.clear();
        type(c.field, c.typed);
        ASSERT_EQ(dialogs.messages.size(), 1u) << context;
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning) << context;
        EXPECT_EQ(dialogs.lastMessage(), QString::fromUtf8(c.message)) << context;
        expectUnchanged(before, context);
        type(c.field, previous); // the next case starts from a clean window
        ASSERT_TRUE(dialogs.messages.size() == 1u) << context << ": " << dialogs.lastMessage().toStdString();
    }
}

TEST_F(RangeTest, ValuesAtTheEdgesAreTakenAndShowNoRunawayNumbers)
{
    start();
    struct {
        const char *field, *typed, *shown;
    } cases[] = {
        {"EditPower", "1000000", "1000000"}, {"EditPower", "4,9E-324", "0,00"},
        {"EditHoehe", "10000", "10000"},     {"EditCableLength", "10000", "10000,00"},
        {"EditPlugAtt", "1000", "1000,00"},  {"EditDirectivityUsed", "-1000", "-1000,00"},
    };
    for (const auto &c : cases) {
        type(c.field, c.typed);
        EXPECT_EQ(text(c.field), c.shown) << c.field;
        expectShowableResults(std::string(c.field) + " " + c.typed);
    }
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastMessage().toStdString();
}

TEST_F(RangeTest, DialogAnswersBeyondTheirRangeChangeNothing)
{
    start();
    struct {
        const char *control, *answer, *message;
    } cases[] = {
        {"EditmySafetyFactor", "1,7976931348623157E308", "Der Sicherheitsfaktor muß zwischen 0 und 1000 dB liegen!"},
        {"EditFSi", "1E308", "Der Sicherheitsfaktor muß zwischen 1 und 1000 liegen!"},
        {"EditFreq", "300001", "Die Frequenz muß zwischen 0,003 und 300000 MHz liegen!"},
        {"EditFreq", "1e-300", "Die Frequenz muß zwischen 0,003 und 300000 MHz liegen!"},
        {"LaEIRP", "1E300", "Die berechnete Leistung liegt nicht zwischen 0 und 1000000 W. Die Leistung bleibt unverändert."},
        {"EditrPS", "1E200", "Die berechnete Leistung liegt nicht zwischen 0 und 1000000 W. Die Leistung bleibt unverändert."},
    };
    for (const auto &c : cases) {
        const std::string context = std::string(c.control) + " " + c.answer;
        const QString margin = text("EditmySafetyFactor"), fsi = text("EditFSi");
        const Snapshot before = snapshot();
        dialogs.clear();
        dialogs.inputAnswers = {QString(c.answer)};
        doubleClick(c.control);
        ASSERT_EQ(dialogs.messages.size(), 1u) << context;
        EXPECT_EQ(dialogs.lastMessage(), QString::fromUtf8(c.message)) << context;
        expectUnchanged(before, context);
        EXPECT_EQ(text("EditmySafetyFactor"), margin) << context;
        EXPECT_EQ(text("EditFSi"), fsi) << context;
        EXPECT_FALSE(form->fixedFrequencyMode()) << context;
        // Later calculations run as before, with no error box.
        trigger("N100W");
        EXPECT_EQ(dialogs.messages.size(), 1u) << context << ": " << dialogs.lastMessage().toStdString();
    }
}

TEST_F(RangeTest, DialogAnswersAtTheEdgesShowDashesInsteadOfOverflow)
{
    start();
    dialogs.inputAnswers = {QString("1000"), QString("1000"), QString("0,003")};
    doubleClick("EditmySafetyFactor");
    EXPECT_EQ(text("EditmySafetyFactor"), "1000 dB");
    EXPECT_EQ(text("EditrPS"), "---"); // 10^50 times the distance: beyond what a field shows
    doubleClick("EditFSi");
    EXPECT_EQ(text("EditFSi"), "1000,0000");
    doubleClick("EditFreq");
    EXPECT_TRUE(form->fixedFrequencyMode());
    expectShowableResults("edges");
    trigger("N10W");
    EXPECT_EQ(text("EditPower"), "10,0");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastMessage().toStdString();
}

TEST_F(RangeTest, RefusedFieldTakingTheFocusBackLeavesNoOtherField)
{
    start();
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    find<QTabWidget>("PageControl")->setCurrentWidget(find<QWidget>("TabSheetKabel"));
    struct {
        const char *field, *typed, *next, *message;
    } cases[] = {
        {"EditCableLength", "-5", "EditPlugAtt", "Die Kabellänge muß eine positive Gleitkommazahl sein!"},
        {"EditPlugAtt", "-1E308", "EditCableLength", "Die Dämpfung muß eine positive Gleitkommazahl sein!"},
    };
    for (const auto &c : cases) {
        const QString previous = text(c.field);
        find(c.field)->setFocus();
        find(c.field)->setText(c.typed);
        dialogs.clear();
        find(c.next)->setFocus(Qt::TabFocusReason); // the user tabs on
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.field << ": " << dialogs.lastMessage().toStdString();
        EXPECT_EQ(dialogs.lastMessage(), QString::fromUtf8(c.message));
        EXPECT_TRUE(find(c.field)->hasFocus()) << c.field;
        find(c.field)->setText(previous);
        find(c.next)->setFocus(Qt::TabFocusReason);
    }
}
