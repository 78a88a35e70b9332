#include "views/DialogService.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QtDialogService &qtService()
{
    static QtDialogService service;
    return service;
}

DialogService *&current()
{
    static DialogService *service = nullptr;
    return service;
}

QWidget *parentWindow() { return QApplication::activeWindow(); }

void showMemo(const QString &text)
{
    QDialog dialog(parentWindow());
    dialog.setWindowTitle("Information");
    auto *layout = new QVBoxLayout(&dialog);
    auto *memo = new QPlainTextEdit(&dialog);
    memo->setReadOnly(true);
    memo->setPlainText(text);
    layout->addWidget(memo);
    dialog.resize(480, 360);
    dialog.exec();
}

} // namespace

QString DisplayText(const QString &text)
{
    QString t = text;
    t.replace("\r\n", "\n");
    return t;
}

void OpenWithDesktopOrWarn(const QString &path)
{
    if (!Dialogs().openWithDesktop(path))
        Dialogs().message(MessageKind::Warning,
                          "Für die Datei " + path + " ist kein Programm zum Öffnen eingerichtet.");
}

DialogService &Dialogs() { return current() ? *current() : qtService(); }

DialogService *SetDialogService(DialogService *service)
{
    DialogService *previous = current();
    current() = service;
    return previous;
}

void InstallDialogMessageSink()
{
    SetMessageSink([](MessageKind kind, const std::string &text) {
        Dialogs().message(kind, QString::fromStdString(text));
    });
}

void QtDialogService::message(MessageKind kind, const QString &text)
{
    const QString shown = DisplayText(text);
    const QString title = QApplication::applicationDisplayName();
    switch (kind) {
    case MessageKind::Warning:
        QMessageBox::warning(parentWindow(), title, shown);
        break;
    case MessageKind::Information:
        QMessageBox::information(parentWindow(), title, shown);
        break;
    case MessageKind::Error:
        QMessageBox::critical(parentWindow(), title, shown);
        break;
    case MessageKind::InfoMemo:
        showMemo(shown);
        break;
    }
}

int QtDialogService::choose(const QString &text, const QStringList &answers)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), DisplayText(text), QMessageBox::NoButton,
                    parentWindow());
    QList<QAbstractButton *> buttons;
    for (const QString &answer : answers)
        buttons << box.addButton(answer, QMessageBox::ActionRole);
    if (buttons.isEmpty())
        return -1;
    box.setDefaultButton(static_cast<QPushButton *>(buttons.front()));
    box.setEscapeButton(buttons.back());
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? static_cast<int>(buttons.size()) - 1 : static_cast<int>(chosen);
}

std::optional<int> QtDialogService::chooseItem(const QString &title, const QString &prompt, const QStringList &items,
                                               int current)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parentWindow(), title, DisplayText(prompt), items,
                                                 std::clamp(current, 0, std::max(0, int(items.size()) - 1)), false, &ok);
    const qsizetype index = items.indexOf(chosen);
    if (!ok || index < 0)
        return std::nullopt;
    return static_cast<int>(index);
}

std::optional<QString> QtDialogService::inputText(const QString &title, const QString &prompt,
                                                  const QString &preset)
{
    bool ok = false;
    QString text = QInputDialog::getText(parentWindow(), title, DisplayText(prompt), QLineEdit::Normal, preset, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtDialogService::openFileName(const QString &title, const QString &directory, const QString &filter)
{
    return QFileDialog::getOpenFileName(parentWindow(), title, directory, filter);
}

QString QtDialogService::saveFileName(const QString &title, const QString &proposedPath, const QString &filter,
                                      const QString &selectedFilter, const QString &defaultSuffix)
{
    QFileDialog dialog(parentWindow(), title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.selectNameFilter(selectedFilter);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool QtDialogService::openWithDesktop(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtDialogService::openUrl(const QString &url) { return QDesktopServices::openUrl(QUrl(url)); }

void QtDialogService::setClipboardText(const QString &text) { QApplication::clipboard()->setText(text); }

void QtDialogService::setClipboardImage(const QImage &picture) { QApplication::clipboard()->setImage(picture); }

std::optional<QColor> QtDialogService::chooseColor(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

bool QtDialogService::printDialog(QPrinter &printer, int pageCount)
{
    printer.setFromTo(1, pageCount);
    QPrintDialog dialog(&printer, parentWindow());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogService::printPreview(const QString &title, const std::function<void(QPrinter &)> &paint)
{
    QPrintPreviewDialog dialog(parentWindow());
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *printer) { paint(*printer); });
    dialog.exec();
}
