#include "views/HandlerGuard.h"

#include "util/ConvertError.h"
#include "util/TextFile.h"
#include "views/DialogService.h"

void RunGuarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const ConvertError &e) {
        Dialogs().message(MessageKind::Error, QString::fromStdString(e.what()));
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, QString::fromStdString(e.what()));
    } catch (const std::exception &e) {
        Dialogs().message(MessageKind::Error, "Unerwarteter Fehler: " + QString::fromStdString(e.what()));
    }
}
