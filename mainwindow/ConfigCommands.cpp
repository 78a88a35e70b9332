// The file menu commands that save and open station configurations.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "util/Messages.h"
#include "views/DialogService.h"

namespace
{

const char *kConfigFilter = "Textdateien (*.txt);;Alle Dateien (*)";

} // namespace

void TFeldoraForm::MIopenClick()
{
    trace("MIopenClick");
    const QString file = Dialogs().openFileName("Öffnen", programDir_, kConfigFilter);
    if (file.isEmpty()) {
        ShowWarning("Datei wurde nicht geöffnet!");
        return;
    }
    model_.Oeffnen(ss(file));
}

bool TFeldoraForm::StartWithFile(const QString &fileName)
{
    if (fileName.endsWith(".standort", Qt::CaseInsensitive)) {
        // A site opens in its window over the main window as it starts every day.
        if (!AfterCreation())
            return false;
        show();
        guarded([&] { openSiteFile(fileName); });
        return true;
    }
    model_.setAutoload(false);
    const bool ok = AfterCreation();
    model_.setAutoload(MIAutoload->isChecked()); // the setting itself stays as it was
    if (!ok)
        return false;
    show();
    openConfiguration(fileName);
    return true;
}

void TFeldoraForm::MISaveClick()
{
    trace("MISaveClick");
    if (model_.currentFileName().empty())
        MISaveAsClick();
    else
        model_.Speichern(model_.currentFileName());
}

void TFeldoraForm::MISaveAsClick()
{
    trace("MISaveAsClick");
    // Refused before the file dialog and its overwrite question, not after them.
    if (model_.matchingLine() == kNoMatchLine) {
        ShowWarning(kSaveRefusedMessage);
        return;
    }
    const QString proposed = programDir_ + qs(model_.shown().EditCall) + " " + qs(model_.fileTag()) + ".txt";
    const QString file =
        Dialogs().saveFileName("Speichern unter", proposed, kConfigFilter, "Textdateien (*.txt)", "txt");
    if (file.isEmpty()) {
        ShowWarning("Datei wurde nicht gespeichert!");
        return;
    }
    model_.Speichern(ss(file));
}
