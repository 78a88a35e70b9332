#pragma once

// The folders of this run, chosen before the main window exists (beside the program, or the
// user's folders when installed), with the user's folders filled at the first start.

#include "mainwindow/FeldoraU.h"

// appDir: folder of the program file. Problems filling the user's folders are reported as
// warnings; the start then ends at the missing catalogue like any other.
FormOptions PrepareStartFolders(const QString &appDir);
