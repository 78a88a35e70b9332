#include "util/Messages.h"


#include <iostream>

namespace {

MessageSink &currentSink()
{
    static MessageSink sink = StderrMessageSink;
    return sink;
}

void emit(MessageKind kind, const std::string &text)
{
    MessageSink &sink = currentSink();
    if (sink)
        sink(kind, text);
}

std::string joinLines(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

MessageSink SetMessageSink(MessageSink sink)
{
    MessageSink previous = currentSink();
    currentSink() = sink ? std::move(sink) : MessageSink(StderrMessageSink);
    return previous;
}

void StderrMessageSink(MessageKind kind, const std::string &text)
{
    const char *lead = "Information: ";
    if (kind == MessageKind::Warning)
        lead = "Warnung: ";
    else if (kind == MessageKind::Error)
        lead = "Fehler: ";
    // One message, one line.
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r')
            continue;
        line += text[i] == '\n' ? ' ' : text[i];
    }
    std::cerr << lead << line << '\n';
}

void ShowWarning(const std::string &text) { emit(MessageKind::Warning, text); }
void ShowInfo(const std::string &text) { emit(MessageKind::Information, text); }
void ShowError(const std::string &text) { emit(MessageKind::Error, text); }

void ShowWarningAfter(const std::string &text, const std::string &lead)
{
    emit(MessageKind::Warning, lead + "\r\n" + text);
}

void ShowInfoList(const std::vector<std::string> &lines) { emit(MessageKind::Information, joinLines(lines)); }

void ShowInfoMemo(const std::vector<std::string> &lines) { emit(MessageKind::InfoMemo, joinLines(lines)); }
