#pragma once

// A dialog service for tests: answers input and file dialogs from a script, records every
// message and every request to open something, and never blocks.

#include "views/DialogService.h"

#include <QStringList>
#include <deque>
#include <vector>

// How a scripted print dialog is answered: printed into a PDF file instead of a printer.
struct PrintAnswer {
    QString pdfFile;       // empty = "Abbrechen"
    int from = 0, to = 0;  // page range; 0 = all pages
    int copies = 1;
};

struct ShownMessage {
    MessageKind kind;
    QString text;
};

class ScriptedDialogs : public DialogService {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Next answers, in order; nullopt answers "Abbrechen".
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<int> choiceAnswers;   // the button's index
    std::deque<std::optional<int>> itemAnswers; // the index in the list
    QStringList itemPrompts;         // prompts of the lists shown
    QStringList lastItems;
    int lastItemPreset = -1;
    QStringList questions;           // texts of the questions asked
    std::deque<QString> fileAnswers; // empty string = cancelled
    std::deque<std::optional<QColor>> colorAnswers;
    std::deque<PrintAnswer> printAnswers;

    std::vector<ShownMessage> messages;
    QStringList inputTitles;
    QStringList opened;
    QString clipboard;
    QImage clipboardImage;
    int unexpected = 0; // dialogs asked for without a scripted answer
    bool desktopOpens = true; // false: the desktop has no program for the file or address

    QString lastMessage() const { return messages.empty() ? QString() : messages.back().text; }
    void clear();

    void message(MessageKind kind, const QString &text) override;
    int choose(const QString &text, const QStringList &answers) override;
    std::optional<int> chooseItem(const QString &title, const QString &prompt, const QStringList &items,
                                  int current) override;
    std::optional<QString> inputText(const QString &title, const QString &prompt, const QString &preset) override;
    QString openFileName(const QString &title, const QString &directory, const QString &filter) override;
    QString saveFileName(const QString &title, const QString &proposedPath, const QString &filter,
                         const QString &selectedFilter, const QString &defaultSuffix) override;
    bool openWithDesktop(const QString &path) override;
    bool openUrl(const QString &url) override;
    void setClipboardText(const QString &text) override;
    void setClipboardImage(const QImage &picture) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    bool printDialog(QPrinter &printer, int pageCount) override;
    // Paints the pages into previewPdf when one is named.
    void printPreview(const QString &title, const std::function<void(QPrinter &)> &paint) override;
    QStringList previewTitles;
    QString previewPdf;

    QString lastProposedPath;
    QString lastFilter;
    QString lastSelectedFilter;
    QString lastDefaultSuffix;
    int lastPrintPageCount = 0; // what the print dialog was preset to

private:
    DialogService *previous_;
};
