#pragma once

// Reading written PDF files back with poppler-utils (pdfinfo, pdftotext), as a user's viewer would.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// Standard output of a poppler tool; a missing tool fails the test that needs it.
inline QString RunPdfTool(const QString &tool, const QStringList &args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << tool.toStdString() << " lief nicht (poppler-utils installiert?)";
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// One field of pdfinfo's answer ("Pages", "Title", "Creator", "Page size").
inline QString PdfInfoField(const QString &pdf, const QString &field)
{
    for (const QString &line : RunPdfTool("pdfinfo", {pdf}).split('\n'))
        if (line.startsWith(field + ":"))
            return line.mid(field.size() + 1).trimmed();
    return {};
}

inline int PdfPageCount(const QString &pdf)
{
    return PdfInfoField(pdf, "Pages").toInt();
}

// Lines of one page, laid out as on the sheet, blanks at the ends removed.
inline QStringList PdfPageLines(const QString &pdf, int page)
{
    const QString text =
        RunPdfTool("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    QStringList lines;
    for (const QString &line : text.split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}
