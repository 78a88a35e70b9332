// The hidden menu "Test": viewers of stored texts and a round trip of a small INI-style file.
#include "mainwindow/FeldoraU.h"

#include "core/WiesbeckCalc.h"
#include "data/DataFile.h"
#include "mainwindow/InfoTexts.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <QComboBox>

QString TFeldoraForm::txtDataFile() const { return desktopDir_ + "Feldora TxtData.ini"; }

void TFeldoraForm::DataFileClick()
{
    trace("DataFileClick");
    TDataFile file(userAntennaFile_.toStdString());
    try {
        file.Load();
    } catch (const FileError &e) {
        ShowError(e.what());
        return;
    }
    file.ShowNumbered();
}

void TFeldoraForm::MITXT_WiesInfoClick()
{
    trace("MITXT_WiesInfoClick");
    ShowInfoMemo(SplitLines(kWiesInfoText));
}

void TFeldoraForm::MITXT_IntWarningClick()
{
    trace("MITXT_IntWarningClick");
    ShowInfoMemo(SplitLines(info::kIntWarning));
}

void TFeldoraForm::MIWriteTxtDataClick()
{
    trace("MIWriteTxtDataClick");
    const std::string path = txtDataFile().toStdString();
    try {
        WriteTextLines(path, {"[Test]", "Rufzeichen=" + model_.shown().EditCall.str(),
                              "Band=" + printoutTexts().band, "Leistung=" + model_.shown().EditPower.str(),
                              "Abstand=" + model_.shown().EditrPS.str()});
    } catch (const FileError &e) {
        ShowError(e.what());
        return;
    }
    ShowInfo("Die Datei " + path + " wurde geschrieben.");
}

void TFeldoraForm::MIReadTxtDataClick()
{
    trace("MIReadTxtDataClick");
    try {
        ShowInfoMemo(ReadTextLines(txtDataFile().toStdString()));
    } catch (const FileError &e) {
        ShowError(e.what());
    }
}
