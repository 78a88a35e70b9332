#include "views/DesktopFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString UserDesktopFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QDir::homePath();
    return dir.endsWith('/') ? dir : dir + "/";
}
