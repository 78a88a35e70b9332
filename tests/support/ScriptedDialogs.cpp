#include "ScriptedDialogs.h"

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

QString ScriptedDialogs::saveFileName(const QString &, const QString &proposedPath, const QString &, const QString &,
                                      const QString &)
{
    lastProposedPath = proposedPath;
    return openFileName({}, {}, {});
}

bool ScriptedDialogs::openWithDesktop(const QString &path)
{
    opened << path;
    return true;
}

bool ScriptedDialogs::openUrl(const QString &url)
{
    opened << url;
    return true;
}

void ScriptedDialogs::setClipboardText(const QString &text) { clipboard = text; }
