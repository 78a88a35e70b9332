#include "data/Settings.h"
#include "mainwindow/FeldoraU.h"
#include "mainwindow/SiteDocuments.h"
#include "print/draw/DruckenSeiten.h"
#include "views/SiteWindow.h"
#include "views/draw/QtText.h"

#include <QFileInfo>
#include <QPrinter>

// One site window at a time; it takes a copy of the started station and asks for the
// configuration of the moment only when "Aktuelle Konfiguration übernehmen" needs it.
// withLastSite: a new window opens the last site, as the menu opens it.
TFormStandort *TFeldoraForm::siteWindow(bool withLastSite)
{
    auto *window = findChild<TFormStandort *>("FormStandort", Qt::FindDirectChildrenOnly);
    if (!window) {
        SiteWindowInput input;
        input.base = model_;
        input.base.setTrace({}); // the site's calculations write nothing into the main window
        input.currentStation = [this] { return model_; };
        if (withLastSite)
            input.lastSite = qs(settings_.siteFileName);
        input.remember = [this](const QString &path) { settings_.siteFileName = path.toStdString(); };
        input.startFolder = qs(DesktopFolder());
        input.writeDocuments = [base = input.base](const QString &path, const SitePictureInput &in, bool all) {
            WriteSiteDocumentsPdf(path, BuildSiteDocuments(in, base, GermanDate(QDate::currentDate()).toStdString(), all));
        };
        input.paintDocuments = [base = input.base](QPrinter &printer, const SitePictureInput &in, bool all) {
            PaintSiteDocuments(printer, BuildSiteDocuments(in, base, GermanDate(QDate::currentDate()).toStdString(), all),
                               true);
        };
        window = new TFormStandort(std::move(input), this);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void TFeldoraForm::MIStandortClick()
{
    trace("MIStandortClick");
    siteWindow(true);
}

void TFeldoraForm::openSiteFile(const QString &fileName)
{
    // A site that cannot be read is told by the window, which then stays empty.
    TFormStandort *window = siteWindow(false);
    if (window->fileName().isEmpty() || window->mayLeave())
        window->openSite(fileName);
}

bool TFeldoraForm::siteWindowMayClose()
{
    auto *window = findChild<TFormStandort *>("FormStandort", Qt::FindDirectChildrenOnly);
    return !window || window->mayLeave();
}
