// The five tab pages of the main window: their controls and connections. Their handlers live in
// AntennaTab.cpp, FeldoraU.cpp (mode page), CableTab.cpp, WiesbeckTab.cpp and AngleTab.cpp.
#include "mainwindow/FeldoraU.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>

using ui::FieldKind;
using ui::hintText;
using ui::TEdit;
using ui::TLabel;

using ui::makeEdit;
using ui::makeGroupBox;
using ui::makeLabel;

namespace {

QWidget *page(QTabWidget *tabs, const char *name, const char *caption)
{
    auto *w = new QWidget;
    w->setObjectName(name);
    tabs->addTab(w, QString::fromUtf8(caption));
    return w;
}

QLabel *note(QWidget *parent, const char *name, const char *text, int x, int y, int w, int h, const QFont &font)
{
    auto *l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(name);
    l->setGeometry(x, y, w, h);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFont(font);
    return l;
}

QListWidget *listBox(QWidget *parent, const char *name, int x, int y, int w, int h)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(name);
    l->setGeometry(x, y, w, h);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui::TipCutEntries(l);
    return l;
}

// The checked cable: navy with white bold text. Done in the delegate, since a style sheet's
// font weight is ignored in item views and its colours would also paint the tick white.
class CableDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 19};
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_Selected))
            return;
        option->font.setBold(true);
        option->palette.setColor(QPalette::Highlight, QColor(0, 0, 128));
        option->palette.setColor(QPalette::HighlightedText, Qt::white);
    }
};

// Column heads drawn at the character columns of a fixed-pitch list below them, so that
// they stand over their columns whatever the fonts. The label's text stays the heading.
class ColumnHeads : public ui::TLabel {
public:
    ColumnHeads(QWidget *parent, const char *name, const char *caption, const QListWidget *list,
                std::vector<int> columns)
        : ui::TLabel(parent, name, QString::fromUtf8(caption), Qt::AlignLeft | Qt::AlignVCenter), list_(list),
          columns_(std::move(columns))
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        const QStringList heads = text().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        const QFontMetrics listMetrics(list_->font());
        const int textMargin = list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 1;
        const int origin = list_->x() + list_->frameWidth() + textMargin - x();
        for (int i = 0; i < heads.size() && i < static_cast<int>(columns_.size()); ++i) {
            const int left = origin + listMetrics.horizontalAdvance(QString(columns_[static_cast<size_t>(i)], ' '));
            painter.drawText(QRect(left, 0, width() - left, height()), Qt::AlignLeft | Qt::AlignVCenter, heads[i]);
        }
    }

private:
    const QListWidget *list_;
    std::vector<int> columns_; // first character of each column
};

QTableWidget *grid(QWidget *parent, const char *name, int x, int y, int w, int h, int columns, int columnWidth)
{
    auto *g = new QTableWidget(parent);
    g->setObjectName(name);
    g->setGeometry(x, y, w, h);
    g->setColumnCount(columns);
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->horizontalHeader()->setDefaultSectionSize(columnWidth);
    g->verticalHeader()->setDefaultSectionSize(16);
    g->verticalHeader()->setMinimumSectionSize(16);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return g;
}

void setButtonFaceBackground(QWidget *w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, ui::buttonFace());
    w->setPalette(p);
}

} // namespace

void TFeldoraForm::createAntennaPage()
{
    QWidget *p = TabSheetAntenne = page(PageControl, "TabSheetAntenne", "Antenne");
    makeLabel(p, "Label30", "Hersteller", 3, 0, 93, 17);
    makeLabel(p, "Label31", "Antennenname", 105, 0, 121, 17);
    makeLabel(p, "Label32", "Antennendaten", 234, 0, 131, 17);
    LBHersteller = listBox(p, "LBHersteller", 1, 16, 98, 473);
    LBTypen = listBox(p, "LBTypen", 103, 16, 125, 473);
    LBAntBand = listBox(p, "LBAntBand", 232, 32, 135, 265);
    // Lines of the list: frequency in 6 characters, blank, gain in 5, blank, elements.
    auto *heads = new ColumnHeads(p, "Label33", "Freq.     Gewinn   Elemente", LBAntBand, {0, 7, 13});
    heads->setGeometry(234, 16, 131, 17);
    heads->setFont(ui::windowFont(9));
    LBAntBand->setToolTip(hintText("Frequenzen und weiterführende Informationen zur Antenne.\r\n"
                                   "Falls eine der Nutzfrequenzen zur gewählten Frequenz passt,\r\n"
                                   "wir die zugehörige Zeile automatisch blau."));
    for (QListWidget *l : {LBHersteller, LBTypen, LBAntBand}) {
        l->setFont(ui::courierFont(11));
        setButtonFaceBackground(l);
    }
    on(LBHersteller, &QListWidget::itemClicked, &TFeldoraForm::LBHerstellerClick);
    on(LBTypen, &QListWidget::itemClicked, &TFeldoraForm::LBTypenClick);
    on(LBAntBand, &QListWidget::itemClicked, &TFeldoraForm::LBAntBandClick);

    auto *chosen = makeGroupBox(p, "GBAnt", "Gewählte Antenne", 232, 301, 135, 104);
    makeLabel(chosen, "Label34", "Name", 8, 17, 45, 17);
    makeLabel(chosen, "Label35", "Typ", 8, 38, 45, 17);
    makeLabel(chosen, "Label36", "Gewinn", 8, 59, 45, 17);
    EditAntName = makeEdit(chosen, "EditAntName", FieldKind::Display, 56, 17, 73, 17, "Antennenname");
    EditAntTyp = makeEdit(chosen, "EditAntTyp", FieldKind::Display, 56, 38, 73, 17, "Antennentyp (z.B. Dipol, Yagi usw.)");
    EditAntGain = makeEdit(chosen, "EditAntGain", FieldKind::Display, 56, 59, 73, 17,
                       "Antennengewinn in dBi (Hauptstrahlrichtung)");
    for (ui::TEdit *e : {EditAntName, EditAntTyp, EditAntGain})
        e->setProperty("hint", e->toolTip());
    LabelWinkOK = makeLabel(chosen, "LabelWinkOK", "Winkeldaten vorhanden", 8, 80, 121, 21);
    LabelWinkOK->hide();
    ButTakeAnt = ui::makeButton(p, "ButTakeAnt", "Antenne nehmen", 240, 416, 121, 64);
    ButTakeAnt->setEnabled(false);
    on(ButTakeAnt, &QPushButton::clicked, &TFeldoraForm::ButTakeAntClick);
}

void TFeldoraForm::createModePage()
{
    QWidget *p = TabsheetBetriebsart = page(PageControl, "TabsheetBetriebsart", "Betriebsart");
    auto *modeBox = makeGroupBox(p, "GroupBox2", "Betriebsart (bestimmt den Faktor Fmod(Pers))", 8, 8, 353, 169);
    QStringList modes;
    for (const char *m : kModeNames)
        modes << m;
    RGMode = new ui::TRadioGroup(modeBox, "RGMode", "", modes, 6);
    RGMode->setGeometry(8, 16, 337, 33);
    RGMode->setItemIndex(1);
    QStringList sources;
    for (const char *s : kFactorSourceEntries)
        sources << s;
    RGFCCBNetzA = new ui::TRadioGroup(modeBox, "RGFCCBNetzA", "Quelle des Betriebsartenfaktors", sources, 1);
    RGFCCBNetzA->setGeometry(8, 54, 337, 72);
    RGFCCBNetzA->setItemIndex(1);
    STFCC = note(modeBox, "STFCC", "Betriebsartenfaktoren entsprechen moderneren Erkenntnissen", 8, 132, 169, 27,
                 ui::windowFont(9));
    STBNetzA = note(modeBox, "STBNetzA", "Betriebsartenfaktoren entsprechen der BEMFV-Anleitung", 176, 132, 169, 27,
                    ui::windowFont(9));
    on(RGMode, &ui::TRadioGroup::clicked, &TFeldoraForm::RGModeClick);
    on(RGFCCBNetzA, &ui::TRadioGroup::clicked, &TFeldoraForm::RGFCCBNetzAClick);

    auto *dutyBox = makeGroupBox(p, "GroupBox1", "Intermittierender Betrieb (bestimmt den Faktor F(B))", 8, 184, 353, 153);
    QStringList duties;
    for (const char *d : kDutyEntries)
        duties << d;
    RGDutyCycle = new ui::TRadioGroup(dutyBox, "RGDutyCycle", "", duties, 3);
    RGDutyCycle->setGeometry(8, 16, 233, 49);
    RGDutyCycle->setItemIndex(0);
    on(RGDutyCycle, &ui::TRadioGroup::clicked, &TFeldoraForm::RGDutyCycleClick);
    auto *freeBox = makeGroupBox(dutyBox, "GBFreeTXRX", "Freier Faktor F(B)", 248, 16, 97, 49);
    ui::TightCaption(freeBox);
    EditfreeTXRX = makeEdit(freeBox, "EditfreeTXRX", FieldKind::Display, 17, 20, 65, 17, "Doppelclick zum Ändern!");
    EditfreeTXRX->setText("0,167");
    on(EditfreeTXRX, &TEdit::doubleClicked, &TFeldoraForm::EditfreeTXRXDblClick);
    STRXTX = note(dutyBox, "STRXTX",
                  "Bei der Berechnung des Personenschutzes wird die Leistung über eine Zeit von 6 Minuten "
                  "gemittelt. Sendet man also innerhalb eines 6-Minuten-Intervalles nur 3 Minuten (TX3 RX3) "
                  "verringert sich die durchschnittliche Leistung entsprechend, was den Schutzabstand verringert.",
                  8, 72, 337, 73, ui::arialFont(11));

    auto *factors = makeGroupBox(p, "GBFaktoren", "Faktoren Zusammenfassung", 8, 344, 169, 116);
    makeLabel(factors, "Label14", "Fmod(Pers)", 8, 23, 80, 17);
    makeLabel(factors, "Label15", "F(B)", 8, 52, 80, 17);
    makeLabel(factors, "Label16", "Fgesamt", 8, 83, 80, 17);
    EditModeFactor = makeEdit(factors, "EditModeFactor", FieldKind::Display, 96, 23, 65, 17);
    EditDutyCycle = makeEdit(factors, "EditDutyCycle", FieldKind::Display, 96, 52, 65, 17);
    EditFactor = makeEdit(factors, "EditFactor", FieldKind::Display, 96, 83, 65, 17,
                      "Gesamter Faktor, der zur Umrechnung\r\nder maximalen Leistung in die durchschnittliche\r\n"
                      "Leistung verwendet wird.\r\n(Nur Personenschutz!)");
    EditModeFactor->setToolTip(EditFmodPers->toolTip());
    EditDutyCycle->setToolTip(EditFB->toolTip());

    auto *margin = makeGroupBox(p, "GBPersSichFaktor", "Persönlicher Sicherheitsfaktor", 184, 344, 177, 116);
    makeLabel(margin, "Label18", "Pers. Sich. Fak.", 8, 22, 85, 17);
    EditmySafetyFactor = makeEdit(margin, "EditmySafetyFactor", FieldKind::Display, 96, 22, 65, 17,
                              "Ein zusätzlicher Aufschlag in dB, der\r\ndie Grenzfeldstärken entsprechend\r\n"
                              "verringert, um bei Nachmessungen\r\ndie Messunsicherheiten berücksichtigen\r\n"
                              "zu können.\r\nZum Ändern bitte doppelklicken.");
    EditmySafetyFactor->setText("0 dB");
    on(EditmySafetyFactor, &TEdit::doubleClicked, &TFeldoraForm::EditmySafetyFactorDblClick);
    STPersSichFaktor = note(margin, "STPersSichFaktor",
                            "Berücksichtigt einen gewissen Sicherheitsfaktor bei der Berechnng des "
                            "Sicherheitsabstands automatisch.",
                            8, 50, 161, 55, ui::windowFont(9));
}

void TFeldoraForm::createCablePage()
{
    QWidget *p = TabSheetKabel = page(PageControl, "TabSheetKabel", "Kabeldämpfung");
    CLBCable = listBox(p, "CLBCable", 8, 8, 131, 281);
    CLBCable->setFont(ui::windowFont(13));
    CLBCable->setItemDelegate(new CableDelegate(CLBCable));
    on(CLBCable, &QListWidget::itemClicked, &TFeldoraForm::CLBCableClick);

    const auto rightLabel = Qt::AlignRight | Qt::AlignVCenter;
    makeLabel(p, "Label19", "Arbeitsfrequenz [MHz]", 166, 24, 137, 17, rightLabel);
    EditAttFreq = makeEdit(p, "EditAttFreq", FieldKind::Display, 310, 24, 49, 17, "Niedrigste Frequenz im Band");
    makeLabel(p, "Label20", "Dämpfung [dB/100m]", 166, 48, 137, 17, rightLabel);
    EditCableAtt100 = makeEdit(p, "EditCableAtt100", FieldKind::Display, 310, 48, 49, 17, "Dämpfung bezogen auf 100 m", true);
    on(EditCableAtt100, &TEdit::exited, &TFeldoraForm::EditCableAtt100Exit);
    makeLabel(p, "Label21", "Kabellänge [m]", 166, 72, 137, 17, rightLabel);
    EditCableLength = makeEdit(p, "EditCableLength", FieldKind::Input, 310, 72, 49, 17, nullptr, true);
    on(EditCableLength, &TEdit::exited, &TFeldoraForm::EditCableLengthExit);
    makeLabel(p, "Label22", "Kabeldämpfung [dB]", 166, 96, 137, 17, rightLabel);
    EditCableAtt = makeEdit(p, "EditCableAtt", FieldKind::Display, 310, 96, 49, 17,
                        "Resultierende Kabeldämpfung\r\nfür gewünschte Länge");
    makeLabel(p, "Label24", "sonstige Dämpfungen [dB]", 166, 120, 137, 17, rightLabel);
    EditPlugAtt = makeEdit(p, "EditPlugAtt", FieldKind::Input, 310, 120, 49, 17, "Kabel, Stecker, SWR-Meter etc. ", true);
    on(EditPlugAtt, &TEdit::exited, &TFeldoraForm::EditPlugAttExit);

    ButSetAttNull = ui::makeButton(p, "ButSetAttNull", "Alle Dämpfungen auf 0 setzten", 192, 156, 97, 45);
    ButSetAttNull->setFont(ui::windowFont(11));
    ButSetAttNull->setStyleSheet("text-align: center;");
    // A push button does not wrap; a line break in the caption does.
    ButSetAttNull->setText(QString::fromUtf8("Alle Dämpfungen\nauf 0 setzten"));
    ButSetAttNull->setAccessibleName(QString::fromUtf8("Alle Dämpfungen auf 0 setzten"));
    on(ButSetAttNull, &QPushButton::clicked, &TFeldoraForm::ButSetAttNullClick);
    ButGleich = ui::makeButton(p, "ButGleich", "=", 310, 156, 51, 45);
    ButGleich->setFont(ui::windowFont(19, true));
    on(ButGleich, &QPushButton::clicked, &TFeldoraForm::ButGleichClick);

    auto *total = note(p, "Label23", "Gesamte Dämpfung\nzwischen Senderausgang\nund Antenneneingang [dB]", 142, 232,
                       137, 41, ui::windowFont(11));
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    EditTotalAtt = makeEdit(p, "EditTotalAtt", FieldKind::Display, 286, 238, 73, 33);
    EditTotalAtt->setFont(ui::windowFont(24));
    EditTotalAtt->setText("0,00");

    auto *info = makeGroupBox(p, "GBPlugAttInfo", "Richtwerte für Steckdämpfungen (ohne Gewähr)", 8, 296, 353, 169);
    SGConnector = grid(info, "SGConnector", 9, 16, 335, 145, 5, 62);
    SGConnector->setToolTip(QString::fromUtf8("Richtwerte in dB je Steckverbindung aus Herstellerangaben\n"
                                              "und Messungen von Funkamateuren (ohne Gewähr)"));
    QPalette pal = SGConnector->palette();
    pal.setColor(QPalette::Base, ui::infoBackground());
    SGConnector->setPalette(pal);
}

void TFeldoraForm::createWiesbeckPage()
{
    QWidget *p = TabSheetWiesbeck = page(PageControl, "TabSheetWiesbeck", "Wiesbeck");
    makeLabel(p, "Label39", "Wiesbeck-Antenne", 8, 8, 137, 17, Qt::AlignCenter);
    LBWiesAnt = listBox(p, "LBWiesAnt", 8, 29, 129, 245);
    setButtonFaceBackground(LBWiesAnt);
    LBWiesAnt->setStyleSheet("QListWidget::item { height: 13px; }");
    on(LBWiesAnt, &QListWidget::itemClicked, &TFeldoraForm::LBWiesAntClick);

    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    auto *dir = makeGroupBox(p, "GBDirectivity", "Directivity", 144, 23, 217, 62);
    makeLabel(dir, "Label40", "Wiesbeck-Directivity", 8, 16, 113, 17, right);
    EditDirectivity = makeEdit(dir, "EditDirectivity", FieldKind::Display, 128, 16, 73, 17,
                               "Directivity, die von Wiesbeck in seiner Studie\r\nfür die gewählte Antenne veröffentlicht wurde.");
    CBabwDir = new QCheckBox(QString::fromUtf8("abweichende Dir."), dir);
    CBabwDir->setObjectName("CBabwDir");
    CBabwDir->setGeometry(16, 38, 105, 17);
    on(CBabwDir, &QCheckBox::clicked, &TFeldoraForm::CBabwDirClick);
    EditDirectivityUsed = makeEdit(dir, "EditDirectivityUsed", FieldKind::Input, 128, 38, 73, 17,
                                   "Directivity für die wirkliche Antenne. Sie dient zur Korrektur zwischen "
                                   "Wiesbeck-Antenne und tatsächlicher Antenne. Sinnvoll ist der Gewinn\r\nder "
                                   "tatsächlichen Antenne.\r\nRechte Maustaste bietet Optionen zur Auswahl!",
                                   true);
    EditDirectivityUsed->setText("0");
    on(EditDirectivityUsed, &TEdit::exited, &TFeldoraForm::EditDirectivityUsedExit);
    PMWiesAbwDir = new QMenu(this);
    PMWiesAbwDir->setObjectName("PMWiesAbwDir");
    menuAction(PMWiesAbwDir, "PMIWiesbeckDirctivityuebernehmen", "Wiesbeck-Dirctivity übernehmen",
               &TFeldoraForm::PMIWiesbeckDirctivityuebernehmenClick);
    menuAction(PMWiesAbwDir, "PMIFernfeldGewinnuebernehmen", "Fernfeld-Gewinn übernehmen",
               &TFeldoraForm::PMIFernfeldGewinnuebernehmenClick);
    EditDirectivityUsed->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(EditDirectivityUsed, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PMWiesAbwDir->popup(EditDirectivityUsed->mapToGlobal(pos)); });

    auto *mean = makeGroupBox(p, "GBMittelwertbildung", "Mittelwert berücksichtigen", 144, 86, 217, 37);
    CBWiesRXTX = new QCheckBox("RX TX", mean);
    CBWiesRXTX->setObjectName("CBWiesRXTX");
    CBWiesRXTX->setGeometry(24, 15, 65, 17);
    CBWiesRXTX->setChecked(true);
    CBWiesMode = new QCheckBox("Betriebsart", mean);
    CBWiesMode->setObjectName("CBWiesMode");
    CBWiesMode->setGeometry(120, 15, 81, 17);
    CBWiesMode->setChecked(true);
    on(CBWiesRXTX, &QCheckBox::clicked, &TFeldoraForm::CBWiesRXTXClick);
    on(CBWiesMode, &QCheckBox::clicked, &TFeldoraForm::CBWiesModeClick);

    auto *interim = makeGroupBox(p, "GBWiesInfoWerte", "Zwischenergebnisse (informativ)", 144, 124, 217, 81);
    laFakHoeheBoden = makeLabel(interim, "laFakHoeheBoden", "Faktor Höhe und Boden", 8, 17, 121, 17, right);
    makeLabel(interim, "LaWiesEIRP", "Wiesbeck EIRP", 8, 37, 121, 17, right);
    makeLabel(interim, "LakFitPS", "kFit PS", 8, 57, 121, 17, right);
    EditBodenHoehe = makeEdit(interim, "EditBodenHoehe", FieldKind::Display, 136, 17, 65, 17,
                              "Ermittelter Korrekturfaktor für Boden und Aufbauhöhe.\r\nHier informativ "
                              "ausgegeben, falls Rechnung von Hand nachvollzogen\r\nwerden soll.");
    EditWiesEIRP = makeEdit(interim, "EditWiesEIRP", FieldKind::Display, 136, 37, 65, 17);
    EditkFitPS = makeEdit(interim, "EditkFitPS", FieldKind::Display, 136, 57, 65, 17,
                          "Konstante zur Berechnung des Sicherheitsabstands\r\nbeim Personenschutz. Siehe "
                          "Wiesbeckstudie für Details.");

    GBWiesAbstaende = makeGroupBox(p, "GBWiesAbstaende", "Sicherheitsbstand (im Nahfeld gültig!)", 144, 206, 217, 69);
    EditWiesAbstandPS = makeEdit(GBWiesAbstaende, "EditWiesAbstandPS", FieldKind::Display, 32, 25, 153, 28);
    EditWiesAbstandPS->setFont(ui::windowFont(16, true));
    EditWiesAbstandPS->setBackground(QColor(171, 226, 131));
    on(EditWiesAbstandPS, &TEdit::doubleClicked, &TFeldoraForm::EditWiesAbstandPSDblClick);

    auto *fsi = makeGroupBox(p, "GBSicherheitsFaktor", "SicherheitsFaktor (FSi)", 8, 276, 353, 70);
    EditFSi = makeEdit(fsi, "EditFSi", FieldKind::Input, 24, 31, 65, 17,
                       "Sicherheitsfaktor (empfohlen 1,4142)\r\nDoppelklick zum Ändern!", true);
    EditFSi->setBackground(ui::buttonFace());
    EditFSi->setText("1,4142");
    on(EditFSi, &TEdit::doubleClicked, &TFeldoraForm::EditFSiDblClick);
    on(EditFSi, &TEdit::exited, &TFeldoraForm::EditFSiExit);
    STSicherheitsfaktor = note(fsi, "STSicherheitsfaktor",
                               "Als Sicherheitsfaktor ist in der Studie ein Wert von 1,4142 vorgeschlagen. Von "
                               "diesem Wert kann jedoch auch abgewichen werden, was ausdrücklich nicht empfohlen wird.",
                               120, 10, 225, 54, ui::arialFont(11));

    GBWiesInfo = makeGroupBox(p, "GBWiesInfo", "Information zur Wiesbeckstudie", 8, 348, 353, 116);
    MemoWiesInfo = new QPlainTextEdit(GBWiesInfo);
    MemoWiesInfo->setObjectName("MemoWiesInfo");
    MemoWiesInfo->setGeometry(8, 15, 337, 91);
    MemoWiesInfo->setReadOnly(true);
    MemoWiesInfo->setFont(ui::windowFont(11));
    MemoWiesInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = MemoWiesInfo->palette();
    pal.setColor(QPalette::Base, ui::infoBackground());
    pal.setColor(QPalette::Text, Qt::black);
    MemoWiesInfo->setPalette(pal);
}

void TFeldoraForm::createAnglePage()
{
    QWidget *p = TabSheetWinkel = page(PageControl, "TabSheetWinkel", "Winkel");
    LabelWinkAnt = makeLabel(p, "LabelWinkAnt", "Antenne", 14, 6, 251, 19);
    LabelWinkAnt->setFont(ui::windowFont(16, true));
    RGPol = new ui::TRadioGroup(p, "RGPol", "Antennenpolarisation", {"Vertikal", "Horizontal"}, 2);
    RGPol->setGeometry(16, 29, 177, 41);
    RGPol->setItemIndex(0);
    ButDiagramm = ui::makeButton(p, "ButDiagramm", "Diagramm", 280, 8, 75, 25);
    ButSeitenansicht = ui::makeButton(p, "ButSeitenansicht", "Seitenansicht", 280, 40, 75, 25);
    on(ButDiagramm, &QPushButton::clicked, &TFeldoraForm::ButDiagrammClick);
    on(ButSeitenansicht, &QPushButton::clicked, &TFeldoraForm::ButSeitenansichtClick);
    on(RGPol, &ui::TRadioGroup::clicked, &TFeldoraForm::RGPolClick);
    SGWinkel = grid(p, "SGWinkel", 7, 80, 354, 385, 4, 80);
    SGWinkel->setFont(ui::courierFont(11));
    // The heading row stays in place while the rows scroll.
    QHeaderView *heading = SGWinkel->horizontalHeader();
    heading->show();
    heading->setFixedHeight(17);
    heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    heading->setSectionsClickable(false);
    heading->setHighlightSections(false);
    PM = new QMenu(this);
    PM->setObjectName("PM");
    menuAction(PM, "PISave", "Speichern (*.txt)", &TFeldoraForm::PISaveClick);
    menuAction(PM, "PICopy", "Kopieren", &TFeldoraForm::PICopyClick);
    SGWinkel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SGWinkel, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PM->popup(SGWinkel->viewport()->mapToGlobal(pos)); });
}
