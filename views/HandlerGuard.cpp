#include "views/HandlerGuard.h"

#include "util/ConvertError.h"
#include "util/TextFile.h"
#include "util/Messages.h"

void RunGuarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const ConvertError &e) {
        ShowError(e.what());
    } catch (const FileError &e) {
        ShowError(e.what());
    } catch (const std::exception &e) {
        ShowError(std::string("Unerwarteter Fehler: ") + e.what());
    }
}
