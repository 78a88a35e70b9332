#pragma once

// The one conversion between the core's UTF-8 std::string and QString.

#include <QString>
#include <string>

inline QString qs(const std::string &s)
{
    return QString::fromStdString(s);
}
inline std::string ss(const QString &s)
{
    return s.toStdString();
}
