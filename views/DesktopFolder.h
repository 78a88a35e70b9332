#pragma once

#include <QString>

// The user's desktop folder (freedesktop conventions) with a closing "/", the home folder when
// there is none: where the windows propose their exports.
QString UserDesktopFolder();
