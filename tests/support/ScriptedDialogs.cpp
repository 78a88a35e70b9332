#include "ScriptedDialogs.h"

#include <QPrinter>

ScriptedDialogs::ScriptedDialogs() : previous_(SetDialogService(this)) { InstallDialogMessageSink(); }

ScriptedDialogs::~ScriptedDialogs()
{
    SetDialogService(previous_);
    SetMessageSink(nullptr);
}

void ScriptedDialogs::clear()
{
    messages.clear();
    inputTitles.clear();
    opened.clear();
}

void ScriptedDialogs::message(MessageKind kind, const QString &text) { messages.push_back({kind, text}); }

int ScriptedDialogs::choose(const QString &text, const QStringList &answers)
{
    questions << text;
    if (choiceAnswers.empty()) {
        ++unexpected;
        return static_cast<int>(answers.size()) - 1; // as Escape
    }
    const int answer = choiceAnswers.front();
    choiceAnswers.pop_front();
    return answer;
}

std::optional<int> ScriptedDialogs::chooseItem(const QString &, const QString &prompt, const QStringList &items,
                                               int current)
{
    itemPrompts << prompt;
    lastItems = items;
    lastItemPreset = current;
    if (itemAnswers.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    const std::optional<int> answer = itemAnswers.front();
    itemAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::inputText(const QString &title, const QString &, const QString &)
{
    inputTitles << title;
    if (inputAnswers.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    const bool given = inputAnswers.front().has_value();
    const QString value = given ? *inputAnswers.front() : QString();
    inputAnswers.pop_front();
    if (!given)
        return std::nullopt;
    return value;
}

QString ScriptedDialogs::openFileName(const QString &, const QString &, const QString &)
{
    if (fileAnswers.empty()) {
        ++unexpected;
        return {};
    }
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::saveFileName(const QString &, const QString &proposedPath, const QString &filter,
                                      const QString &selectedFilter, const QString &defaultSuffix)
{
    lastProposedPath = proposedPath;
    lastFilter = filter;
    lastSelectedFilter = selectedFilter;
    lastDefaultSuffix = defaultSuffix;
    return openFileName({}, {}, {});
}

bool ScriptedDialogs::openWithDesktop(const QString &path)
{
    opened << path;
    return desktopOpens;
}

bool ScriptedDialogs::openUrl(const QString &url)
{
    opened << url;
    return desktopOpens;
}

void ScriptedDialogs::setClipboardText(const QString &text) { clipboard = text; }

void ScriptedDialogs::setClipboardImage(const QImage &picture) { clipboardImage = picture; }

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor &)
{
    if (colorAnswers.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    const std::optional<QColor> answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::printDialog(QPrinter &printer, int pageCount)
{
    lastPrintPageCount = pageCount;
    if (printAnswers.empty()) {
        ++unexpected;
        return false;
    }
    const PrintAnswer answer = printAnswers.front();
    printAnswers.pop_front();
    if (answer.pdfFile.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer.pdfFile);
    printer.setPrintRange(answer.from > 0 ? QPrinter::PageRange : QPrinter::AllPages);
    if (answer.from > 0)
        printer.setFromTo(answer.from, answer.to);
    printer.setCopyCount(answer.copies);
    return true;
}

void ScriptedDialogs::printPreview(const QString &title, const std::function<void(QPrinter &)> &paint)
{
    previewTitles << title;
    if (previewPdf.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(previewPdf);
    paint(printer);
}
