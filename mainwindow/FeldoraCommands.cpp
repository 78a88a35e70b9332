// Start sequence, settings file and the commands of the main menu.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"
#include "core/CableLib2.h"

#include "core/WiesbeckLib.h"
#include "data/AntennenLib.h"
#include "views/DialogService.h"
#include "views/WindowPlacement.h"
#include "mainwindow/InfoTexts.h"
#include "mainwindow/ListLookups.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>

void TFeldoraForm::showSplash()
{
    auto *splash = new QLabel(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    splash->setObjectName("Splash");
    splash->setAlignment(Qt::AlignCenter);
    splash->setText(QString("<div style='font-size:48px;font-weight:bold;color:#1a3c78'>Feldora</div>"
                            "<div style='font-size:16px'>%1 &ndash; Sicherheitsabstände nach BEMFV</div>")
                        .arg(kVersionText));
    splash->setAutoFillBackground(true);
    splash->resize(420, 200);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        splash->move(screen->geometry().center() - splash->rect().center());
    splash->show();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 2500) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    delete splash;
}

void TFeldoraForm::FormCreate()
{
    trace("FormCreate");
    setWindowTitle(QString("%1 %2").arg(kProgramTitle, kVersionText));
    if (showSplash_)
        showSplash();
    const std::string dir = programDir_.toStdString();
    settings_ = ReadSettings(settingsFile_.toStdString(), dir);
    ui::RestorePosition(this, {settings_.left, settings_.top});
    ui::KeepOnScreen(this);
    MIPfade->setChecked(settings_.individualPaths);
    MIAutoload->setChecked(settings_.autoload);
    const FeldoraPaths paths = DerivePaths(dir, settings_, DesktopFolder());
    antennaFile_ = qs(paths.antennaFile);
    userAntennaFile_ = qs(paths.userAntennaFile);
    angleDir_ = qs(paths.angleDir);
    desktopDir_ = qs(paths.desktopDir);
    model_ = StationModel(StationPaths{paths.antennaFile, paths.userAntennaFile, paths.angleDir});
    model_.setTrace([this](const std::string &line) { dm->appendPlainText(qs(line)); });
    model_.setTracing(MIDebugMode->isChecked());
    model_.setNameOrder(SortForList);
    model_.setAutoload(settings_.autoload);
    model_.setLastSavedFileName(settings_.lastSavedFileName);
}

Settings TFeldoraForm::settings() const
{
    Settings s = settings_;
    s.lastSavedFileName = model_.lastSavedFileName();
    return s;
}

void TFeldoraForm::FormClose()
{
    trace("FormClose");
    settings_.left = ui::StoredPosition(this).x();
    settings_.top = ui::StoredPosition(this).y();
    settings_.individualPaths = MIPfade->isChecked();
    settings_.autoload = MIAutoload->isChecked();
    settings_.lastSavedFileName = model_.lastSavedFileName();
    try {
        WriteSettings(settingsFile_.toStdString(), settings_);
    } catch (const FileError &e) {
        ShowWarning(e.what());
    }
}

void TFeldoraForm::closeEvent(QCloseEvent *event)
{
    if (!siteWindowMayClose()) {
        event->ignore();
        return;
    }
    guarded([this] { FormClose(); });
    event->accept();
}

bool TFeldoraForm::AfterCreation()
{
    bool ok = true; // a conversion failure on the way is reported, and the start goes on
    guarded([this, &ok] {
        fillCableList();
        fillConnectorGrid();
        ok = model_.AfterCreation();
    });
    if (!ok)
        close();
    return ok;
}

void TFeldoraForm::MIAntDateiModifyClick()
{
    trace("MIAntDateiModifyClick");
    OpenWithDesktopOrWarn(antennaFile_);
}
void TFeldoraForm::MIAntUserModifyClick()
{
    trace("MIAntUserModifyClick");
    OpenWithDesktopOrWarn(userAntennaFile_);
}

void TFeldoraForm::MIAntennenNeuLadenClick()
{
    trace("MIAntennenNeuLadenClick");
    if (AfterCreation())
        PageControl->setCurrentWidget(TabSheetAntenne);
}

void TFeldoraForm::MIPfadeClick()
{
    trace("MIPfadeClick");
    ShowInfo("Sie sollten Feldora schließen und neu starten.\r\nErst dann werden die Einstellungen in der "
             "ini-Datei (un-)wirksam.");
}

void TFeldoraForm::MIAutoloadClick() { trace("MIAutoloadClick"); }

void TFeldoraForm::MIPfadeAnzeigenClick()
{
    trace("MIPfadeAnzeigenClick");
    std::vector<std::string> lines = {"Pfad zu den Winkeldaten: " + angleDir_.toStdString(),
                                      "Antennendatei: " + antennaFile_.toStdString(),
                                      "Userdatei: " + userAntennaFile_.toStdString(),
                                      "Arbeitsverzeichnis: " + programDir_.toStdString()};
    // Installed, the settings live in the user's configuration folder.
    if (settingsFile_ != programDir_ + "Feldora.ini")
        lines.push_back("Einstellungsdatei: " + settingsFile_.toStdString());
    ShowInfoList(lines);
}

void TFeldoraForm::MIEndClick()
{
    trace("MIEndClick");
    close();
}
void TFeldoraForm::MIDebugModeClick() { trace("MIDebugModeClick"); }

void TFeldoraForm::MIBekannteFehlerClick()
{
    trace("MIBekannteFehlerClick");
    ShowInfo(info::kKnownFaults);
}
void TFeldoraForm::MIGoodiesClick()
{
    trace("MIGoodiesClick");
    ShowInfo(info::kGoodies);
}
void TFeldoraForm::MIHistoryClick()
{
    trace("MIHistoryClick");
    ShowInfo(info::kHistory);
}
void TFeldoraForm::MIHinweisClick()
{
    trace("MIHinweisClick");
    ShowInfo(info::kNotice);
}

void TFeldoraForm::MIeMailanAutorClick()
{
    trace("MIeMailanAutorClick");
    if (!Dialogs().openUrl(info::MailToUrl(info::SystemDescription())))
        ShowWarning("Für die E-Mail an den Autor ist kein E-Mail-Programm zum Öffnen eingerichtet.");
}

void TFeldoraForm::openDocument(const QString &fileName)
{
    QString path = programDir_ + fileName;
    // Installed, the shipped manual lies apart from the user's own documents.
    if (!FileExists(path.toStdString()) && !documentDir_.isEmpty()
        && FileExists((documentDir_ + fileName).toStdString()))
        path = documentDir_ + fileName;
    if (!FileExists(path.toStdString())) {
        ShowError("Die Datei " + path.toStdString() + " konnte nicht gefunden werden!");
        return;
    }
    OpenWithDesktopOrWarn(path);
}

void TFeldoraForm::MIAnzeigeClick()
{
    trace("MIAnzeigeClick");
    openDocument("Feldora_Anzeige.pdf");
}
void TFeldoraForm::MIKonfigurationClick()
{
    trace("MIKonfigurationClick");
    openDocument("Feldora_Konfiguration.pdf");
}
void TFeldoraForm::MIAnleitungClick()
{
    trace("MIAnleitungClick");
    openDocument("Feldora_Anleitung.pdf");
}
void TFeldoraForm::MIErlaeuterungClick()
{
    trace("MIErlaeuterungClick");
    openDocument("Feldora_Erlaeuterung.pdf");
}
void TFeldoraForm::MIWiesbeckClick()
{
    trace("MIWiesbeckClick");
    openDocument("Feldora_Wiesbeck.pdf");
}
void TFeldoraForm::MIBedienungClick()
{
    trace("MIBedienungClick");
    openDocument("Feldora_Bedienung.pdf");
}
