#pragma once

// Every modal interaction of the windows goes through one replaceable service: message boxes,
// input dialogs, file dialogs, opening files with the desktop, the clipboard. Tests install
// their own service that answers and records, so nothing blocks.

#include "util/Messages.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

class DialogService {
public:
    virtual ~DialogService() = default;

    virtual void message(MessageKind kind, const QString &text) = 0;
    // A question answered by one of its buttons, the first being the default; the index of
    // the one chosen. Escape or closing the box gives the last.
    virtual int choose(const QString &text, const QStringList &answers) = 0;
    // One of a list, preset to current; the index chosen, nullopt when the user cancels.
    virtual std::optional<int> chooseItem(const QString &title, const QString &prompt, const QStringList &items,
                                          int current) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> inputText(const QString &title, const QString &prompt,
                                             const QString &preset) = 0;
    // Empty when cancelled. filter in Qt form ("Textdateien (*.txt);;Alle Dateien (*)").
    virtual QString openFileName(const QString &title, const QString &directory, const QString &filter) = 0;
    virtual QString saveFileName(const QString &title, const QString &proposedPath, const QString &filter,
                                 const QString &selectedFilter, const QString &defaultSuffix) = 0;
    virtual bool openWithDesktop(const QString &path) = 0;
    virtual bool openUrl(const QString &url) = 0;
    virtual void setClipboardText(const QString &text) = 0;
    virtual void setClipboardImage(const QImage &picture) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    // Print dialog preset to pages 1..pageCount; on OK (true) the printer holds the chosen
    // printer, page range and copies.
    virtual bool printDialog(QPrinter &printer, int pageCount) = 0;
    // A page preview titled title; paint draws every page on the printer it is given, from
    // where the user may print them.
    virtual void printPreview(const QString &title, const std::function<void(QPrinter &)> &paint) = 0;
};

// The service in use; a QtDialogService until someone installs another.
DialogService &Dialogs();
// Installs a service (not owned) and returns the previous one; nullptr restores the Qt service.
DialogService *SetDialogService(DialogService *service);
// Routes the core's messages (util/Messages.h) into the dialog service.
void InstallDialogMessageSink();

// The real thing: Qt message boxes and dialogs, parented to the active window.
class QtDialogService : public DialogService {
public:
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
    void printPreview(const QString &title, const std::function<void(QPrinter &)> &paint) override;
};

// Opens a file with the desktop; a desktop without a program for it gets the warning, never
// silence.
void OpenWithDesktopOrWarn(const QString &path);

// CR LF of the program's texts as Qt line breaks.
QString DisplayText(const QString &text);
