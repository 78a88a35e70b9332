#include "mainwindow/StartFolders.h"

#include "data/Settings.h"
#include "data/UserFolders.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <QStandardPaths>
#include <filesystem>

#ifndef FELDORA_SHIPPED_RELATIVE
#define FELDORA_SHIPPED_RELATIVE "../share/feldora"
#endif
#ifndef FELDORA_DOC_RELATIVE
#define FELDORA_DOC_RELATIVE "../share/doc/feldora"
#endif

FormOptions PrepareStartFolders(const QString &appDir)
{
    FolderChoiceInput in;
    in.programDir = appDir.toStdString();
    in.configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
    in.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    in.shippedRelative = FELDORA_SHIPPED_RELATIVE;
    in.documentRelative = FELDORA_DOC_RELATIVE;
    const FeldoraFolders folders = ChooseFolders(in, ProgramFolderUsable(in.programDir));

    FormOptions options;
    options.programDir = QString::fromStdString(folders.dataDir);
    options.settingsFile = QString::fromStdString(folders.settingsFile);
    options.documentDir = QString::fromStdString(folders.documentDir);
    if (!folders.userFolders)
        return options;
    try {
        FillMissingFiles(folders.shippedDir, folders.dataDir);
        if (!FileExists(folders.settingsFile)) {
            std::error_code ec;
            std::filesystem::create_directories(DirectoryPart(folders.settingsFile), ec);
            WriteSettings(folders.settingsFile, DefaultSettings(folders.dataDir));
        }
    } catch (const FileError &e) {
        ShowWarning(e.what());
    }
    return options;
}
