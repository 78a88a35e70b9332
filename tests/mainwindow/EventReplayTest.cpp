// Seeded random user sessions on the main window, recorded after every event: the texts and
// states of every control, the messages shown and the dialogs asked for. The recording is kept
// as tests/mainwindow/golden/events.txt; a changed window that shows anything else fails here.
// FELDORA_WRITE_GOLDEN=1 writes the file instead of comparing.
//
// The window is reached only as a user reaches it: controls by objectName, mouse and key events
// (so a typed field is checked when it is left, by Enter, Tab or a click elsewhere), menu
// actions by objectName, and the scripted dialog service for every dialog.

#include "FormFixture.h"

#include "views/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <iostream>
#include <map>
#include <random>

namespace {

constexpr int kSequences = 300;

using Snapshot = std::map<QString, QString>;
using Answer = std::optional<QString>;

QString quoted(QString s)
{
    s.replace('\\', "\\\\").replace('"', "\\\"").replace('\r', "\\r").replace('\n', "\\n").replace('\t', "\\t");
    return '"' + s + '"';
}

QString answerText(const Answer &a) { return a ? quoted(*a) : QString("cancel"); }

const char *kindName(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return "warning";
    case MessageKind::Information:
        return "info";
    case MessageKind::Error:
        return "error";
    case MessageKind::InfoMemo:
        return "memo";
    }
    return "?";
}

// --- configuration files written for the sessions ---------------------------------------------

const char *const kLabels[kConfigLineCount] = {
    "Rufzeichen..............>", "Band/Frequenz...........>", "Antenne.................>",
    "Höhe [m]................>", "Leistung [W]............>", "Betriebsart.............>",
    "TXRX-Intervall..........>", "TXRX-Individuell........>", "Betriebsartenfaktor.....>",
    "KabelTyp................>", "Kabellänge.[m]..........>", "sonst. Dämpfungen.[dB]..>",
    "Pers. Sich. Fakt........>", "Wiesbeck Antenne........>", "Wiesbeck abw. Dir.[dBi].>",
    "Wies. MW RXTX...........>", "Wies. MW Mode...........>", "Wies. alt Dir...........>",
    "Wies. Faktor Sicherheit.>"};

struct ConfigFixture {
    const char *file;
    std::vector<const char *> values; // in line order; fewer than 19 make a short file
};

const char *const kSource2013 = "0    //EN 50413 (Ausgabe 2013) und DKE K764-Empfehlung";
const char *const kSource2008 = "1    //EN 50413 (Ausgabe 2008) und BNetzA-Anleitung";
const char *const kSourceOne = "2    //Betriebsartenfaktor immer 1";

const std::vector<ConfigFixture> &configFixtures()
{
    static const std::vector<ConfigFixture> files = {
        {"Beam2m.txt", {"DK1AB", "2m", "Beam 2m;Test", "12,5", "50", "FM", "3    //TX3 RX3", "0,167", kSource2013,
                        "RG58", "15,00", "0,50", "2 dB", "Quad", "3,00", "-1", "0", "True", "1,4142"}},
        {"Dipol40m.txt", {"DL2CD", "40m", "Dipol 40m;Test", "8", "750", "CW", "5    //frei -->", "0,25", kSourceOne,
                          "Anderes Kabel;4,50", "20,00", "0,30", "0 dB", "Dipol", "2,15", "0", "-1", "0", "2,0000"}},
        {"UHFfest.txt", {"DB3EF", "F 433,5", "UHF;Test", "5", "10", "Alle", "1    //TX5 RX1", "0,167", kSource2008,
                         "Aircell 7", "7,50", "0,10", "1,5 dB", "FD4", "12,00", "-1", "-1", "-1", "1,4142"}},
        {"Loop80m.txt", {"DF4GH", "80m", "Delta Loop;Eigenbau", "15", "100", "SSB", "0    //TX6 RX0", "0,167",
                         kSource2008, "RG213", "30,00", "0,30", "0 dB", "Loop 3.4m", "0,00", "-1", "-1", "0", "1,4142"}},
        // The beam has no line for 40m: taking it reports its empty gain.
        {"Beam40m.txt", {"DL5IJ", "40m", "Beam 2m;Test", "10", "100", "SSB", "0    //TX6 RX0", "0,167", kSource2008,
                         "RG213", "10,00", "0,30", "0 dB", "Dipol", "0,00", "-1", "-1", "0", "1,4142"}},
        {"Fremd.txt", {"DL9XYZ", "2m", "Dipol 4m;Fremdbau", "8,5", "25", "FM", "0    //TX6 RX0", "0,167", kSource2008,
                       "RG213", "10,00", "0,30", "0 dB", "Dipol", "0,00", "-1", "-1", "0", "1,4142"}},
        // Band, cable and Wiesbeck antenna unknown, mode "PS" selects none.
        {"Unbekannt.txt", {"DO1KL", "5m", "UHF;Test", "7,5", "25", "PS", "4    //TX2 RX4", "0,167", kSource2008,
                           "Koax XY", "10,00", "0,30", "0 dB", "Yagi", "0,00", "-1", "-1", "0", "1,4142"}},
        {"KaputtLeistung.txt", {"DK1AB", "2m", "Beam 2m;Test", "12,5", "viel", "FM", "3    //TX3 RX3", "0,167",
                                kSource2013, "RG58", "15,00", "0,50", "2 dB", "Quad", "3,00", "-1", "0", "True",
                                "1,4142"}},
        {"KaputtKurz.txt", {"DK1AB", "2m", "Beam 2m;Test", "12,5", "50", "FM", "3    //TX3 RX3", "0,167", kSource2013,
                            "RG58", "15,00", "0,50"}},
        {"KaputtFrequenz.txt", {"DK1AB", "F abc", "Beam 2m;Test", "12,5", "50", "FM", "3    //TX3 RX3", "0,167",
                                kSource2013, "RG58", "15,00", "0,50", "2 dB", "Quad", "3,00", "-1", "0", "True",
                                "1,4142"}},
        {"KaputtDirectivity.txt", {"DK1AB", "2m", "Beam 2m;Test", "12,5", "50", "FM", "3    //TX3 RX3", "0,167",
                                   kSource2013, "RG58", "15,00", "0,50", "2 dB", "Quad", "hoch", "-1", "0", "True",
                                   "1,4142"}},
        {"KaputtFlag.txt", {"DK1AB", "2m", "Beam 2m;Test", "12,5", "50", "FM", "3    //TX3 RX3", "0,167", kSource2013,
                            "RG58", "15,00", "0,50", "2 dB", "Quad", "3,00", "vielleicht", "0", "True", "1,4142"}},
    };
    return files;
}

// A user catalogue beside the fixture catalogue: a second manufacturer, one antenna with a gain
// that is no number.
const char *const kUserCatalogue = "[Eigenbau]\r\n"
                                   "Delta Loop,Loop,3.6,3.5,1,7.1,4.5,1,#\r\n"
                                   "GP 10m,Vertikal,28.5,2.15,1,#\r\n"
                                   "Kaputt,Dipol,14.2,x,1,#\r\n";

// --- what the random user types and answers ---------------------------------------------------

// Good values first, then wrong text, out of range and empty: a refused field keeps the focus,
// so the bad ones are the smaller part or a session does little else.
const std::vector<QString> kPowers = {"10", "750", "0,5", "1500", "100.5", " 25 ", "5", "abc", "", "-5", "1e9"};
const std::vector<QString> kHeights = {"5", "12,5", "0", "30.25", "8", "2", "-1", "abc", "", "1e6"};
const std::vector<QString> kLengths = {"0", "25", "7,5", "12.5", "40", "3", "abc", "", "-5", "1e9"};
const std::vector<QString> kLosses = {"0", "0,3", "1.5", "0,8", "2", "abc", "", "-1", "1e5"};
const std::vector<QString> kOwnAtt100 = {"4.5", "4,5", "12,25", "7", "abc", "", "-2", "1e6"};
const std::vector<QString> kDirectivities = {"3", "2,15", "7.5", "0", "abc", "", "1e6", "-3"};
const std::vector<QString> kCallsigns = {"DK9ABC", "", "DL0XYZ"};
const std::vector<QString> kFsiTyped = {"2", "abc", "1,4142"};

const std::vector<Answer> kFrequencies = {QString("7.05"), QString("145,5"), QString("433"), QString("0,136"),
                                          QString("abc"), QString(""), QString("-3"), QString("0"),
                                          QString("1e9"), std::nullopt, QString("28.5"), QString("10368"),
                                          QString("5,3"), QString("1296")};
const std::vector<Answer> kDistances = {QString("5"), QString("10"), QString("2,5"), QString("abc"), QString("0"),
                                        QString("-1"), std::nullopt, QString("1e9"), QString("0.001")};
const std::vector<Answer> kRadiatedPowers = {QString("41"), QString("25"), QString("100"), QString("abc"),
                                             QString("0"), QString("-5"), std::nullopt, QString("1e12"),
                                             QString("0,01")};
const std::vector<Answer> kFreeDuties = {QString("0.25"), QString("1.5"), QString("0.02"), QString("abc"),
                                         std::nullopt, QString(""), QString("0,5")};
const std::vector<Answer> kMargins = {QString("3"), QString("-3"), QString("abc"), QString("1.5"),
                                      QString("1000"), QString("1e9"), std::nullopt, QString("0")};
const std::vector<Answer> kFsiAnswers = {QString("1,4142"), QString("2"), QString("1"), QString("0.5"),
                                         QString("abc"), std::nullopt, QString("1e9")};
const std::vector<Answer> kWiesDistances = {QString("5"), QString("10"), QString("1"), QString("abc"),
                                            QString("0"), std::nullopt, QString("100"), QString("0.1")};

// The offscreen platform warns once per shown fixed-size window; three hundred windows would
// bury the test's own output.
QtMessageHandler previousHandler = nullptr;
void dropSizeHintWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.contains("propagateSizeHints"))
        previousHandler(type, context, text);
}

} // namespace

class EventReplayTest : public FormTest {
protected:
    std::mt19937 rng;
    int pick(size_t n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    template <typename T>
    const T &pickFrom(const std::vector<T> &v)
    {
        return v[static_cast<size_t>(pick(v.size()))];
    }

    // --- reaching controls as a user does --------------------------------------------------

    QTabWidget *pages() const { return form->findChild<QTabWidget *>("PageControl"); }

    // The tab page holding a control; nullptr for the left column.
    QWidget *pageOf(QWidget *w) const
    {
        for (QWidget *p = w; p; p = p->parentWidget())
            if (pages()->indexOf(p) >= 0)
                return p;
        return nullptr;
    }

    // Clicks the control's tab when its page is not in front; false when the tab is hidden.
    bool reach(QWidget *w)
    {
        QWidget *page = pageOf(w);
        if (!page)
            return true;
        QTabWidget *tabs = pages();
        const int i = tabs->indexOf(page);
        if (!tabs->isTabVisible(i))
            return false;
        if (tabs->currentIndex() != i) {
            QTabBar *bar = tabs->findChild<QTabBar *>();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        }
        return true;
    }

    static void userDoubleClick(QWidget *w)
    {
        QTest::mousePress(w, Qt::LeftButton);
        QTest::mouseRelease(w, Qt::LeftButton);
        QTest::mouseDClick(w, Qt::LeftButton);
        QTest::mouseRelease(w, Qt::LeftButton);
    }

    // A right click that would open the control's context menu: it focuses the control.
    static void rightClick(QWidget *w)
    {
        QTest::mousePress(w, Qt::RightButton);
        QTest::mouseRelease(w, Qt::RightButton);
    }

    QString focusName() const
    {
        QWidget *f = QApplication::focusWidget();
        if (!f)
            return "-";
        if (!f->objectName().isEmpty())
            return f->objectName();
        const QWidget *p = f->parentWidget();
        return QString(f->metaObject()->className()) + " in " + (p ? p->objectName() : QString("-"));
    }

    // --- the events ------------------------------------------------------------------------

    QString typeInto(const char *name, const std::vector<QString> &pool)
    {
        const QString value = pickFrom(pool);
        const int leave = pick(4); // Enter twice as often as Tab or staying in the field
        auto *e = find<QLineEdit>(name);
        QString d = QString("type %1 %2").arg(name, quoted(value));
        if (!reach(e))
            return d + " (page hidden)";
        QTest::mouseClick(e, Qt::LeftButton);
        // A refused field takes the focus back; the user then types there.
        auto *target = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        if (!target)
            target = e;
        if (target != e)
            d += " (focus stays in " + target->objectName() + ")";
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        if (value.isEmpty())
            QTest::keyClick(target, Qt::Key_Delete);
        else
            QTest::keyClicks(target, value);
        if (leave <= 1) {
            QTest::keyClick(target, Qt::Key_Return);
            d += " Enter";
        } else if (leave == 2) {
            QTest::keyClick(target, Qt::Key_Tab);
            d += " Tab";
        } else {
            d += " (stays)";
        }
        return d;
    }

    QString doubleClickAnswered(const char *name, const std::vector<Answer> &pool)
    {
        const Answer a = pickFrom(pool);
        auto *w = find<QWidget>(name);
        const QString d = QString("double-click %1 -> %2").arg(name, answerText(a));
        if (!reach(w))
            return d + " (page hidden)";
        dialogs.inputAnswers = {a};
        userDoubleClick(w);
        return d;
    }

    QString doubleClickPlain(const char *name)
    {
        userDoubleClick(find<QWidget>(name));
        return QString("double-click %1").arg(name);
    }

    QString clickWidget(const char *name, QPoint at = {})
    {
        auto *w = find<QWidget>(name);
        if (!reach(w))
            return QString("click %1 (page hidden)").arg(name);
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        return QString("click %1%2").arg(name, w->isEnabled() ? "" : " (disabled)");
    }

    // Radio buttons and check boxes are clicked on their indicator at the left.
    QString clickIndicator(const QString &name)
    {
        auto *w = form->findChild<QAbstractButton *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        if (!reach(w))
            return QString("click %1 (page hidden)").arg(name);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
        return QString("click %1 %2").arg(name, quoted(w->text()));
    }

    QString clickRadio(const char *group)
    {
        auto *g = find<ui::TRadioGroup>(group);
        return clickIndicator(QString("%1_%2").arg(group).arg(pick(static_cast<size_t>(g->count()))));
    }

    QString clickListRow(const char *name)
    {
        auto *l = find<QListWidget>(name);
        const int draw = pick(64);
        if (!reach(l))
            return QString("click %1 (page hidden)").arg(name);
        if (l->count() == 0) {
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
            return QString("click %1 (empty)").arg(name);
        }
        QListWidgetItem *item = l->item(draw % l->count());
        const QString d = QString("click %1 %2").arg(name, quoted(item->text())); // the click may refill the list
        l->scrollToItem(item);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(item).center());
        return d;
    }

    QString chooseBandEvent()
    {
        auto *cb = find<QComboBox>("CBBand");
        const int i = pick(static_cast<size_t>(cb->count()));
        cb->setFocus(Qt::MouseFocusReason); // the click that opens the list
        cb->setCurrentIndex(i);
        emit cb->activated(i);
        return "band " + cb->itemText(i);
    }

    QString contextEntry(const char *field, const char *action)
    {
        auto *w = find<QWidget>(field);
        if (!reach(w))
            return QString("menu %1 (page hidden)").arg(action);
        rightClick(w);
        trigger(action);
        return QString("menu %1 of %2").arg(action, field);
    }

    QString powerMenu()
    {
        static const char *const entries[] = {"N10W", "N100W", "N750W", "Abstand5m", "Abstand10m"};
        return contextEntry("EditPower", entries[pick(std::size(entries))]);
    }

    QString distanceMenu()
    {
        const Answer a = pickFrom(kDistances);
        dialogs.inputAnswers = {a};
        return contextEntry("EditPower", "Abstandbel") + " -> " + answerText(a);
    }

    QString directivityMenu()
    {
        static const char *const entries[] = {"PMIWiesbeckDirctivityuebernehmen", "PMIFernfeldGewinnuebernehmen"};
        return contextEntry("EditDirectivityUsed", entries[pick(std::size(entries))]);
    }

    QString displayClick()
    {
        static const char *const fields[] = {"EditAntenne", "EditAntennenTyp", "EditGain", "EditMode", "EditAtt"};
        return clickWidget(fields[pick(std::size(fields))]);
    }

    QString pageClick()
    {
        QTabWidget *tabs = pages();
        const int i = pick(static_cast<size_t>(tabs->count()));
        const QString d = "tab " + tabs->widget(i)->objectName();
        if (!tabs->isTabVisible(i))
            return d + " (hidden)";
        reach(tabs->widget(i));
        return d;
    }

    QString checkBox()
    {
        static const char *const boxes[] = {"CBabwDir", "CBWiesRXTX", "CBWiesMode"};
        return clickIndicator(boxes[pick(std::size(boxes))]);
    }

    QString openFile()
    {
        const auto &files = configFixtures();
        const int i = pick(files.size() + 3);
        QString name;
        if (i < static_cast<int>(files.size()))
            name = files[static_cast<size_t>(i)].file;
        else if (i == static_cast<int>(files.size()))
            name = "gespeichert.txt"; // there once "Speichern unter" wrote it
        else if (i == static_cast<int>(files.size()) + 1)
            name = "fehlt.txt";
        dialogs.fileAnswers = {name.isEmpty() ? QString() : path(name)};
        trigger("MIopen");
        return "open " + (name.isEmpty() ? QString("cancel") : name);
    }

    QString saveAs()
    {
        const bool cancel = pick(4) == 0;
        dialogs.fileAnswers = {cancel ? QString() : path("gespeichert.txt")};
        trigger("MISaveAs");
        return QString("save as ") + (cancel ? "cancel" : "gespeichert.txt");
    }

    QString save()
    {
        dialogs.fileAnswers = {path("gespeichert.txt")}; // asked for only without a current file
        trigger("MISave");
        return "save";
    }

    QString reload()
    {
        trigger("MIAntennenNeuLaden");
        return "reload catalogue";
    }

    using Event = QString (EventReplayTest::*)();
    struct Weighted {
        int weight;
        Event event;
    };

    QString ev_band() { return chooseBandEvent(); }
    QString ev_freq() { return doubleClickAnswered("EditFreq", kFrequencies); }
    QString ev_cable() { return clickListRow("CLBCable"); }
    QString ev_length() { return typeInto("EditCableLength", kLengths); }
    QString ev_loss() { return typeInto("EditPlugAtt", kLosses); }
    QString ev_own() { return typeInto("EditCableAtt100", kOwnAtt100); }
    QString ev_power() { return typeInto("EditPower", kPowers); }
    QString ev_height() { return typeInto("EditHoehe", kHeights); }
    QString ev_call() { return typeInto("EditCall", kCallsigns); }
    QString ev_rps() { return doubleClickAnswered("EditrPS", kDistances); }
    QString ev_eirp() { return doubleClickPlain("EditEIRP"); }
    QString ev_erp() { return doubleClickPlain("EditERP"); }
    QString ev_laeirp() { return doubleClickAnswered("LaEIRP", kRadiatedPowers); }
    QString ev_laerp() { return doubleClickAnswered("LaERP", kRadiatedPowers); }
    QString ev_gain0() { return doubleClickPlain("EditGain"); }
    QString ev_mode() { return clickRadio("RGMode"); }
    QString ev_source() { return clickRadio("RGFCCBNetzA"); }
    QString ev_duty() { return clickRadio("RGDutyCycle"); }
    QString ev_freeDuty() { return doubleClickAnswered("EditfreeTXRX", kFreeDuties); }
    QString ev_margin() { return doubleClickAnswered("EditmySafetyFactor", kMargins); }
    QString ev_manufacturer() { return clickListRow("LBHersteller"); }
    QString ev_antenna() { return clickListRow("LBTypen"); }
    QString ev_antennaLine() { return clickListRow("LBAntBand"); }
    QString ev_take() { return clickWidget("ButTakeAnt"); }
    QString ev_wiesAnt() { return clickListRow("LBWiesAnt"); }
    QString ev_directivity() { return typeInto("EditDirectivityUsed", kDirectivities); }
    QString ev_fsi() { return doubleClickAnswered("EditFSi", kFsiAnswers); }
    QString ev_fsiTyped() { return typeInto("EditFSi", kFsiTyped); }
    QString ev_wiesDistance() { return doubleClickAnswered("EditWiesAbstandPS", kWiesDistances); }
    QString ev_pol() { return clickRadio("RGPol"); }
    QString ev_equal() { return clickWidget("ButGleich"); }
    QString ev_zero() { return clickWidget("ButSetAttNull"); }

    const std::vector<Weighted> &events() const
    {
        using T = EventReplayTest;
        static const std::vector<Weighted> all = {
            {8, &T::ev_band},        {5, &T::ev_freq},         {5, &T::ev_cable},       {4, &T::ev_length},
            {3, &T::ev_loss},        {3, &T::ev_own},          {5, &T::ev_power},       {4, &T::ev_height},
            {1, &T::ev_call},        {4, &T::powerMenu},       {2, &T::distanceMenu},   {2, &T::ev_rps},
            {2, &T::ev_eirp},        {2, &T::ev_erp},          {2, &T::ev_laeirp},      {2, &T::ev_laerp},
            {2, &T::ev_gain0},       {3, &T::ev_mode},         {3, &T::ev_source},      {3, &T::ev_duty},
            {3, &T::ev_freeDuty},    {3, &T::ev_margin},       {2, &T::ev_manufacturer}, {4, &T::ev_antenna},
            {1, &T::ev_antennaLine}, {5, &T::ev_take},         {3, &T::ev_wiesAnt},     {3, &T::checkBox},
            {2, &T::ev_directivity}, {2, &T::directivityMenu}, {2, &T::ev_fsi},         {1, &T::ev_fsiTyped},
            {2, &T::ev_wiesDistance}, {3, &T::ev_pol},         {6, &T::openFile},       {1, &T::saveAs},
            {1, &T::save},           {1, &T::ev_equal},        {1, &T::ev_zero},        {2, &T::displayClick},
            {2, &T::pageClick},      {1, &T::reload},
        };
        return all;
    }

    QString randomEvent()
    {
        int total = 0;
        for (const Weighted &w : events())
            total += w.weight;
        int r = pick(static_cast<size_t>(total));
        for (const Weighted &w : events()) {
            if (r < w.weight)
                return (this->*w.event)();
            r -= w.weight;
        }
        return {};
    }

    // --- what the window shows -------------------------------------------------------------

    Snapshot snapshot() const
    {
        Snapshot s;
        const QWidget *window = form.get();
        s["title"] = form->windowTitle();
        s["focus"] = focusName();
        for (const QLineEdit *e : form->findChildren<QLineEdit *>()) {
            const QString n = e->objectName();
            if (n.isEmpty() || e->window() != window)
                continue;
            s[n] = e->text();
            s[n + ".tip"] = e->toolTip();
            s[n + ".bg"] = e->palette().color(QPalette::Base).name();
            s[n + ".ro"] = e->isReadOnly() ? "1" : "0";
        }
        for (const ui::TRadioGroup *g : form->findChildren<ui::TRadioGroup *>())
            s[g->objectName()] = QString::number(g->itemIndex());
        for (const QCheckBox *c : form->findChildren<QCheckBox *>())
            s[c->objectName()] = c->isChecked() ? "1" : "0";
        for (const QListWidget *l : form->findChildren<QListWidget *>()) {
            const QString n = l->objectName();
            QStringList items, checked, selected;
            for (int i = 0; i < l->count(); ++i) {
                items << l->item(i)->text();
                if (l->item(i)->checkState() == Qt::Checked)
                    checked << QString::number(i);
                if (l->item(i)->isSelected())
                    selected << QString::number(i);
            }
            s[n + ".items"] = items.join(" / ");
            s[n + ".row"] = QString::number(l->currentRow());
            s[n + ".selected"] = selected.join(",");
            s[n + ".checked"] = checked.join(",");
        }
        const auto *band = findChildOf<QComboBox>("CBBand");
        s["CBBand"] = QString::number(band->currentIndex()) + " " + band->currentText();
        for (const QTableWidget *t : form->findChildren<QTableWidget *>()) {
            QStringList head, rows;
            for (int c = 0; c < t->columnCount(); ++c)
                head << (t->horizontalHeaderItem(c) ? t->horizontalHeaderItem(c)->text() : QString());
            for (int r = 0; r < t->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < t->columnCount(); ++c)
                    cells << (t->item(r, c) ? t->item(r, c)->text() : QString());
                rows << cells.join("|");
            }
            s[t->objectName() + ".head"] = head.join("|");
            s[t->objectName() + ".rows"] = rows.join(" / ");
        }
        for (const QLabel *l : form->findChildren<QLabel *>()) {
            const QString n = l->objectName();
            if (n.isEmpty() || l->window() != window)
                continue;
            s[n] = l->text();
            s[n + ".tip"] = l->toolTip();
            s[n + ".color"] = l->palette().color(QPalette::WindowText).name();
            s[n + ".shown"] = l->isHidden() ? "0" : "1";
        }
        for (const QGroupBox *g : form->findChildren<QGroupBox *>())
            if (!g->objectName().isEmpty() && !qobject_cast<const ui::TRadioGroup *>(g))
                s[g->objectName() + ".title"] = g->title();
        for (const QPlainTextEdit *m : form->findChildren<QPlainTextEdit *>())
            if (m->objectName() != "dm") // the trace is off and no part of what the user sees
                s[m->objectName()] = m->toPlainText();
        for (const QPushButton *b : form->findChildren<QPushButton *>())
            if (!b->objectName().isEmpty())
                s[b->objectName() + ".enabled"] = b->isEnabled() ? "1" : "0";
        QTabWidget *tabs = pages();
        QStringList shownTabs;
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->isTabVisible(i))
                shownTabs << tabs->widget(i)->objectName();
        s["PageControl.tabs"] = shownTabs.join(",");
        s["PageControl.page"] = tabs->currentWidget()->objectName();
        return s;
    }

    template <typename T>
    const T *findChildOf(const char *name) const
    {
        return form->findChild<T *>(name);
    }

    static QString changes(const Snapshot &before, const Snapshot &after)
    {
        QStringList parts;
        for (const auto &[name, value] : after) {
            auto it = before.find(name);
            if (it == before.end() || it->second != value)
                parts << name + "=" + quoted(value);
        }
        for (const auto &[name, value] : before)
            if (!after.count(name))
                parts << name + " gone";
        return parts.join(" ");
    }

    // One line: where, what was done, what changed, what the user was told or asked.
    QString runEvent(int sequence, int number, const std::function<QString()> &event, const Snapshot &reference,
                     Snapshot &shown)
    {
        const size_t messagesBefore = dialogs.messages.size();
        const qsizetype titlesBefore = dialogs.inputTitles.size();
        const int unexpectedBefore = dialogs.unexpected;
        const QString description = event();
        QApplication::processEvents();
        const Snapshot now = snapshot();
        QString line = QString("%1.%2 %3 |").arg(sequence, 3, 10, QChar('0')).arg(number, 2, 10, QChar('0')).arg(description);
        const QString changed = changes(reference, now);
        if (!changed.isEmpty())
            line += " " + changed;
        for (size_t i = messagesBefore; i < dialogs.messages.size(); ++i)
            line += QString(" | %1 %2").arg(kindName(dialogs.messages[i].kind), quoted(dialogs.messages[i].text));
        for (qsizetype i = titlesBefore; i < dialogs.inputTitles.size(); ++i)
            line += " | asked " + quoted(dialogs.inputTitles[i]);
        if (dialogs.unexpected != unexpectedBefore)
            line += QString(" | unexpected dialogs %1").arg(dialogs.unexpected - unexpectedBefore);
        if (!dialogs.inputAnswers.empty() || !dialogs.fileAnswers.empty())
            line += QString(" | unused answers %1").arg(dialogs.inputAnswers.size() + dialogs.fileAnswers.size());
        dialogs.inputAnswers.clear();
        dialogs.fileAnswers.clear();
        shown = now;
        return line.replace(dir.path(), "<dir>"); // the scratch folder's name changes from run to run
    }

    // Files a session may have overwritten ("Speichern" writes the opened file) are put back.
    void writeSessionFiles()
    {
        const auto put = [this](const QString &name, const QByteArray &bytes) {
            QFile file(path(name));
            if (file.open(QIODevice::ReadOnly) && file.readAll() == bytes)
                return;
            file.close();
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
            file.write(bytes);
        };
        for (const ConfigFixture &f : configFixtures()) {
            QByteArray bytes;
            for (size_t i = 0; i < f.values.size(); ++i)
                bytes += (QString::fromUtf8(kLabels[i]) + QString::fromUtf8(f.values[i])).toLatin1() + "\r\n";
            put(f.file, bytes);
        }
        put("AntUser.txt", kUserCatalogue);
        QFile::remove(path("gespeichert.txt"));
    }

    // A fresh window: the fixture catalogue with the test beam selected, shown and active, trace off.
    void startSession()
    {
        writeSessionFiles();
        startWithTestBeam();
        ASSERT_TRUE(started);
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QAction *traceSwitch = form->findChild<QAction *>("MIDebugMode");
        if (traceSwitch->isChecked())
            traceSwitch->trigger();
    }
};

TEST_F(EventReplayTest, RandomSessionsShowWhatTheyShowedBefore)
{
    previousHandler = qInstallMessageHandler(dropSizeHintWarnings);
    QStringList recording;
    Snapshot firstStart;
    int eventCount = 0;
    for (int sequence = 0; sequence < kSequences; ++sequence) {
        rng.seed(static_cast<std::mt19937::result_type>(20000 + sequence));
        form.reset();
        dialogs.clear(); // before the start, so that the start's own messages are recorded
        Snapshot shown;
        // The start of every session is compared with the first session's start.
        recording << runEvent(sequence, 0, [this] { startSession(); return QString("start"); }, firstStart, shown);
        if (HasFatalFailure())
            return; // no window to go on with
        if (sequence == 0)
            firstStart = shown;
        const int length = 10 + pick(16);
        for (int number = 1; number <= length; ++number) {
            Snapshot before = shown;
            recording << runEvent(sequence, number, [this] { return randomEvent(); }, before, shown);
            ++eventCount;
        }
    }
    form.reset();
    qInstallMessageHandler(previousHandler);
    std::cout << "[ replay   ] " << kSequences << " sequences, " << eventCount << " events" << std::endl;

    const QString goldenPath = QString(FELDORA_TEST_DATA "/../mainwindow/golden/events.txt");
    const QByteArray recorded = (recording.join('\n') + '\n').toUtf8();
    if (qEnvironmentVariableIntValue("FELDORA_WRITE_GOLDEN") == 1) {
        QFile out(goldenPath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << goldenPath.toStdString();
        out.write(recorded);
        std::cout << "[ replay   ] written " << goldenPath.toStdString() << std::endl;
        return;
    }
    QFile in(goldenPath);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly))
        << goldenPath.toStdString() << " is missing; FELDORA_WRITE_GOLDEN=1 writes it";
    const QStringList expected = QString::fromUtf8(in.readAll()).split('\n');
    const QStringList actual = QString::fromUtf8(recorded).split('\n');
    std::string report;
    int differences = 0;
    for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const QString e = i < expected.size() ? expected[i] : QString("<no line>");
        const QString a = i < actual.size() ? actual[i] : QString("<no line>");
        if (e == a)
            continue;
        if (++differences <= 5)
            report += "line " + std::to_string(i + 1) + "\n  golden: " + e.toStdString() + "\n  now:    "
                + a.toStdString() + "\n";
    }
    EXPECT_EQ(differences, 0) << "the window shows something else than " << goldenPath.toStdString() << ":\n"
                              << report;
}
