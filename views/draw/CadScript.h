#pragma once

// The "CAD" script: a few drawing commands in metres that the user puts over the side view
// (his house, the neighbour's balcony). One command per line, tokens split at every blank and
// ";", numbers with the decimal comma. A bad number stops the run at its line; what was drawn
// up to there stays.

#include <QPainter>
#include <QString>
#include <QStringList>

struct CadFrame {
    double scale = 1; // s, pixels per metre
    int originX = 0;  // ox
    int groundY = 0;  // gy
    int penWidth = 1; // the width the side view used last (1 or 2)
};

struct CadRunResult {
    bool ok = true;
    int failedLine = 0; // 1-based line that stopped the run, 0 = none
    QString message;    // German conversion message naming the line
};

// Runs the script over what the painter already shows; nothing is cleared first.
// The painter's own pen, brush and hints are restored afterwards.
CadRunResult DrawCAD(QPainter &painter, const QStringList &lines, const CadFrame &frame);

// Reads a script file: Windows-1252, or UTF-8 when valid UTF-8. Throws FileError.
QStringList ReadCadScript(const QString &path);
