// The left column of the main window (inputs, results, distance), the page control, the hidden
// trace field and the menus, at the pixel positions of the classic layout.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "core/BandPlan.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>

using ui::FieldKind;
using ui::hintText;
using ui::TEdit;
using ui::TLabel;

using ui::makeEdit;
using ui::makeGroupBox;

namespace {

// Labels of the left column stand right-aligned before their fields.
TLabel *label(QWidget *parent, const char *name, const char *caption, int x, int y, int w, int h)
{
    return ui::makeLabel(parent, name, caption, x, y, w, h, Qt::AlignRight | Qt::AlignVCenter);
}

// Without a window manager nothing enforces the size hints, and another program can resize the
// window anyway; it then returns to its fixed size.
class KeepFixedSize : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Resize && window && window->minimumSize() == window->maximumSize()
            && window->size() != window->maximumSize())
            QMetaObject::invokeMethod(
                window, [window] { window->resize(window->maximumSize()); }, Qt::QueuedConnection);
        return false;
    }
};

} // namespace

void TFeldoraForm::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(600, 537);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    label(client, "Label25", "Rufzeichen: ", 24, 11, 73, 21);
    EditCall = makeEdit(client, "EditCall", FieldKind::Input, 104, 12, 89, 19, nullptr, true);
    EditCall->setFont(ui::windowFont(13));
    EditCall->setText("DL0XYZ");

    createInputGroup(client);
    createOutputGroup(client);

    auto *dist = makeGroupBox(client, "GBDist", "Sicherheitsabstand (Fernfeldrechnung)", 8, 474, 201, 59);
    ui::TightCaption(dist);
    EditrPS = makeEdit(dist, "EditrPS", FieldKind::Display, 48, 19, 105, 25,
                   "Sicherheitsabstand für den Personenschutz\r\nin Fernfeldrechnung\r\nDoppelklick: Vorgabe eines Abstands");
    EditrPS->setFont(ui::windowFont(16, true));
    EditrPS->setBackground(QColor(171, 226, 131));
    on(EditrPS, &TEdit::doubleClicked, &TFeldoraForm::EditrPSDblClick);

    PageControl = new QTabWidget(client);
    PageControl->setObjectName("PageControl");
    PageControl->setGeometry(216, 8, 377, 521);
    createAntennaPage();
    createModePage();
    createCablePage();
    createWiesbeckPage();
    createAnglePage();
    PageControl->setCurrentWidget(TabSheetAntenne);
    PageControl->setTabVisible(PageControl->indexOf(TabSheetWinkel), false);

    // The trace lies right of the client area and is never visible.
    auto *debug = makeGroupBox(client, "GBDebug", "Debug", 608, 0, 369, 505);
    dm = new QPlainTextEdit(debug);
    dm->setObjectName("dm");
    dm->setGeometry(8, 16, 353, 481);
    debug->hide();

    createMenus();

    // Fixed size around the client area and the menu bar: no resizing, no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    installEventFilter(new KeepFixedSize(this));
}

void TFeldoraForm::createInputGroup(QWidget *client)
{
    auto *box = makeGroupBox(client, "GBEingabe", "Eingabe", 8, 35, 201, 222);
    label(box, "Label1", "Afu-Band", 8, 14, 73, 21);
    CBBand = new ui::TComboBox(box, "CBBand");
    CBBand->setGeometry(121, 14, 73, 21);
    for (BandIndex b = 1; b <= kSelectableBands; ++b)
        CBBand->addItem(qs(BandName(b)));
    on(CBBand, &QComboBox::activated, &TFeldoraForm::CBBandChange);

    label(box, "LaFreq", "Freq. [MHz]", 8, 38, 89, 17);
    EditFreq = makeEdit(box, "EditFreq", FieldKind::Display, 104, 38, 89, 17,
                    "Doppelklick zur Eingabe einer festern Frequenz");
    on(EditFreq, &TEdit::doubleClicked, &TFeldoraForm::EditFreqDblClick);

    const char *antennaHint = "Ausgewählte Antenne\r\nZum Ändern klicken!";
    label(box, "Label2", "Ant.-Name", 9, 60, 88, 17);
    EditAntenne = makeEdit(box, "EditAntenne", FieldKind::Display, 104, 60, 89, 17, antennaHint);
    on(EditAntenne, &TEdit::clicked, &TFeldoraForm::EditAntenneChange);
    label(box, "Label17", "Ant.-Typ", 9, 82, 88, 17);
    EditAntennenTyp = makeEdit(box, "EditAntennenTyp", FieldKind::Display, 104, 82, 89, 17, antennaHint);
    on(EditAntennenTyp, &TEdit::clicked, &TFeldoraForm::EditAntenneChange);

    label(box, "Label3", "Höhe [m]", 8, 105, 97, 17);
    EditHoehe = makeEdit(box, "EditHoehe", FieldKind::Input, 112, 105, 81, 17, "Antennenhöhe über Boden", true);
    EditHoehe->setText("10");
    on(EditHoehe, &TEdit::exited, &TFeldoraForm::EditHoeheExit);

    label(box, "Label4", "Leistung (PEP) [W]", 8, 128, 97, 17);
    EditPower = makeEdit(box, "EditPower", FieldKind::Input, 112, 128, 81, 17,
                     "Ausgangsleistung (PEP) des Senders\r\nRechte Maustaste für weitere Optionen", true);
    EditPower->setText("100");
    on(EditPower, &TEdit::exited, &TFeldoraForm::EditPowerExit);
    createPowerMenu();

    label(box, "Label5", "Betriebsart", 8, 151, 105, 17);
    EditMode = makeEdit(box, "EditMode", FieldKind::Display, 120, 151, 73, 17, "Betriebsart\r\nZum Ändern klicken!");
    on(EditMode, &TEdit::clicked, &TFeldoraForm::EditModeClick);

    label(box, "Label6", "Gewinn [dBi]", 8, 175, 105, 17);
    EditGain = makeEdit(box, "EditGain", FieldKind::Display, 120, 175, 73, 17,
                    "Antennengewinn der ausgewählten Antenne\r\nZum Ändern klicken!\r\nDoppelklick für 0 dBi.");
    on(EditGain, &TEdit::clicked, &TFeldoraForm::EditAntenneChange);
    on(EditGain, &TEdit::doubleClicked, &TFeldoraForm::EditGainDblClick);

    label(box, "Label13", "Speisedämpfung [dB]", 8, 198, 105, 17);
    EditAtt = makeEdit(box, "EditAtt", FieldKind::Display, 120, 198, 73, 17,
                   "Dämpfung zwischen Sender und Antenne\r\nZum Ändern klicken!");
    on(EditAtt, &TEdit::clicked, &TFeldoraForm::EditAttClick);
}

void TFeldoraForm::createOutputGroup(QWidget *client)
{
    auto *box = makeGroupBox(client, "GBAusgabe", "Ausgabe", 8, 258, 201, 215);
    struct Row {
        const char *label, *caption;
        int top;
        const char *field;
        TEdit **target;
        const char *hint;
    };
    const Row rows[] = {
        {"Label7", "Grenzwert E-Feld", 15, "EditEps", &EditEps,
         "Personenschutz-Grenzwert des\r\nelektrischen Feldes im Fernfeld. "},
        {"Label8", "Grenzwert H-Feld", 39, "EditHps", &EditHps,
         "Personenschutz-Grenzwert des\r\nmagnetischen Feldes im Fernfeld"},
        {"Label9", "Fmod(Pers)", 63, "EditFmodPers", &EditFmodPers,
         "Faktor zur Berücksichtigung der Modulationsart\r\nbei der Bildung des 6-Minuten-Leistungsmittelwertes\r\n(nur Personenschutz)"},
        {"Label10", "F(B)", 87, "EditFB", &EditFB,
         "Faktor zur Berücksichtigung des intermittierenden\r\nBetriebes bei der Bildung des 6-Minuten-Leistungs-\r\nmittelwertes (nur Personenschutz)"},
        {"Label11", "Ant-Eing.-Leistung", 111, "EditAntIn", &EditAntIn,
         "Ausgangsleistung (PEP) abzüglich Kabel- \r\nund Steckerdämpfungen ohne Berücksichtigung\r\nder Betriebsart oder des 6-Minuten-Intervalls "},
        {"LaEIRP", "EIRP", 135, "EditEIRP", &EditEIRP,
         "Äquivalente isotrope Strahlungsleistung\r\nDoppelklick: Anpassung auf 9,99 W EIRP"},
        {"LaERP", "ERP", 159, "EditERP", &EditERP, "Äquivalente Strahlungsleistung\r\nDoppelklick: Anpassung auf 9,99 W ERP"},
    };
    for (const Row &row : rows) {
        TLabel *l = label(box, row.label, row.caption, 8, row.top, 97, 17);
        if (row.target == &EditEIRP)
            LaEIRP = l;
        if (row.target == &EditERP)
            LaERP = l;
        *row.target = makeEdit(box, row.field, FieldKind::Display, 120, row.top, 73, 17, row.hint);
    }
    label(box, "Label27", "Nahfeldgrenze", 8, 182, 97, 17);
    EditrNahfeld = makeEdit(box, "EditrNahfeld", FieldKind::Display, 120, 183, 73, 17,
                        "Ende des reaktiven Nahfeldes.\r\nLiegen Punkte des nicht kontrollierbaren Bereiches\r\n"
                        "innerhalb dieser Grenze, müssen sie durch eine Nah-\r\nfeldbetrachtung abgesichert werde.");
    EditrNahfeld->setBackground(QColor(255, 174, 253));

    LaEIRP->setToolTip("Doppelklick zur EIRP-Leistungsvorgabe");
    on(EditEIRP, &TEdit::doubleClicked, &TFeldoraForm::EditEIRPDblClick);
    on(EditERP, &TEdit::doubleClicked, &TFeldoraForm::EditERPDblClick);
    on(LaEIRP, &TLabel::doubleClicked, &TFeldoraForm::LaEIRPDblClick);
    on(LaERP, &TLabel::doubleClicked, &TFeldoraForm::LaERPDblClick);
}

QAction *TFeldoraForm::menuAction(QMenu *menu, const QString &name, const QString &caption,
                                  void (TFeldoraForm::*handler)())
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    on(action, &QAction::triggered, handler);
    return action;
}

void TFeldoraForm::createPowerMenu()
{
    PopLeistung = new QMenu(this);
    PopLeistung->setObjectName("PopLeistung");
    menuAction(PopLeistung, "N10W", "10 W", &TFeldoraForm::N10WClick);
    menuAction(PopLeistung, "N100W", "100 W", &TFeldoraForm::N100WClick);
    menuAction(PopLeistung, "N750W", "750 W", &TFeldoraForm::N750WClick);
    PopLeistung->addSeparator();
    menuAction(PopLeistung, "Abstand5m", "Abstand 5 m", &TFeldoraForm::Abstand5mClick);
    menuAction(PopLeistung, "Abstand10m", "Abstand 10 m", &TFeldoraForm::Abstand10mClick);
    menuAction(PopLeistung, "Abstandbel", "Abstand bel.", &TFeldoraForm::AbstandbelClick);
    EditPower->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(EditPower, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopLeistung->popup(EditPower->mapToGlobal(pos)); });
}

void TFeldoraForm::createMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = bar->addMenu("&Datei");
    file->setObjectName("MIDatei");
    MIopen = menuAction(file, "MIopen", "&Öffnen", &TFeldoraForm::MIopenClick);
    MISave = menuAction(file, "MISave", "&Speichern", &TFeldoraForm::MISaveClick);
    MISaveAs = menuAction(file, "MISaveAs", "Speichern &unter", &TFeldoraForm::MISaveAsClick);
    file->addSeparator();
    MIDrucken = menuAction(file, "MIDrucken", "&Drucken", &TFeldoraForm::MIDruckenClick);
    MIopen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    MISave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    MIDrucken->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    MIAntDateiModify = menuAction(file, "MIAntDateiModify", "&Antennen.txt bearbeiten", &TFeldoraForm::MIAntDateiModifyClick);
    MIAntUserModify = menuAction(file, "MIAntUserModify", "Ant&User.txt bearbeiten", &TFeldoraForm::MIAntUserModifyClick);
    MIAntennenNeuLaden = menuAction(file, "MIAntennenNeuLaden", "Antennen neu &laden", &TFeldoraForm::MIAntennenNeuLadenClick);
    file->addSeparator();
    MIEigeneAntenne = menuAction(file, "MIEigeneAntenne", "Eigene Antenne konstruieren", &TFeldoraForm::MIEigeneAntenneClick);
    MIVirtFeld = menuAction(file, "MIVirtFeld", "Virt. Felder exportieren", &TFeldoraForm::MIVirtFeldClick);
    file->addSeparator();
    MIPfade = menuAction(file, "MIPfade", "&Individuelle Dateipfade", &TFeldoraForm::MIPfadeClick);
    MIPfade->setCheckable(true);
    MIAutoload = menuAction(file, "MIAutoload", "&Autoload", &TFeldoraForm::MIAutoloadClick);
    MIAutoload->setCheckable(true);
    file->addSeparator();
    MIEnd = menuAction(file, "MIEnd", "&Beenden", &TFeldoraForm::MIEndClick);

    QMenu *forms = bar->addMenu("&Formulare");
    menuAction(forms, "MIAnzeige", "&Anzeige", &TFeldoraForm::MIAnzeigeClick);
    menuAction(forms, "MIKonfiguration", "&Konfiguration", &TFeldoraForm::MIKonfigurationClick);
    menuAction(forms, "MILageplan", "&Lageplan (Draufsicht)", &TFeldoraForm::MILageplanClick);
    menuAction(forms, "MIStandort", "&Standort", &TFeldoraForm::MIStandortClick);

    QMenu *agency = bar->addMenu("&BNetzA");
    menuAction(agency, "MIAnleitung", "&Anleitung zur Anzeige", &TFeldoraForm::MIAnleitungClick);
    menuAction(agency, "MIErlaeuterung", "&Erläuterung der Bewertungsverfahren", &TFeldoraForm::MIErlaeuterungClick);
    menuAction(agency, "MIWiesbeck", "&Wiesbeck-Studie", &TFeldoraForm::MIWiesbeckClick);

    QMenu *infos = bar->addMenu("&Infos");
    menuAction(infos, "MIBedienung", "&Bedienung", &TFeldoraForm::MIBedienungClick);
    menuAction(infos, "MIPfadeAnzeigen", "&Pfade anzeigen", &TFeldoraForm::MIPfadeAnzeigenClick);
    MIGrenzwerttabelle = menuAction(infos, "MIGrenzwerttabelle", "Grenzwert&tabelle", &TFeldoraForm::MIGrenzwerttabelleClick);
    menuAction(infos, "MIUebersicht", "&Übersicht aller Bänder", &TFeldoraForm::MIUebersichtClick);
    infos->addSeparator();
    menuAction(infos, "MIHinweis", "&Hinweis zur Haftung", &TFeldoraForm::MIHinweisClick);
    menuAction(infos, "MIeMailanAutor", "eMail an Autor", &TFeldoraForm::MIeMailanAutorClick);
    infos->addSeparator();
    menuAction(infos, "MIBekannteFehler", "Bekannte &Fehler", &TFeldoraForm::MIBekannteFehlerClick);
    menuAction(infos, "MIGoodies", "&Goodies", &TFeldoraForm::MIGoodiesClick);
    menuAction(infos, "MIHistory", "&History", &TFeldoraForm::MIHistoryClick);

    // The test menu is never shown; its trace switch is reachable through its action.
    auto *test = new QMenu("Test", this);
    test->setObjectName("MITest");
    menuAction(test, "Draufsicht1", "Draufsicht", &TFeldoraForm::Draufsicht1Click);
    test->addSeparator();
    menuAction(test, "DataFile", "DataFile", &TFeldoraForm::DataFileClick);
    menuAction(test, "MITXT_WiesInfo", "TXT_WIESINFO", &TFeldoraForm::MITXT_WiesInfoClick);
    menuAction(test, "MITXT_IntWarning", "TXT_IntWarning", &TFeldoraForm::MITXT_IntWarningClick);
    test->addSeparator();
    menuAction(test, "MIReadTxtData", "ReadTxtData", &TFeldoraForm::MIReadTxtDataClick);
    menuAction(test, "MIWriteTxtData", "WriteTxtData", &TFeldoraForm::MIWriteTxtDataClick);
    test->addSeparator();
    MIDebugMode = menuAction(test, "MIDebugMode", "DebugMode", &TFeldoraForm::MIDebugModeClick);
    MIDebugMode->setCheckable(true);
    MIDebugMode->setChecked(true);
}
