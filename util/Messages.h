#pragma once

// Every message of the program goes through one replaceable sink: the windows install
// real message boxes, tests record, a run without windows writes to standard error.

#include <functional>
#include <string>
#include <vector>

enum class MessageKind { Warning, Information, Error, InfoMemo };

using MessageSink = std::function<void(MessageKind, const std::string &)>;

// Installs a sink and returns the previous one; an empty sink restores standard error.
MessageSink SetMessageSink(MessageSink sink);
// Writes "Warnung: ", "Information: " or "Fehler: " and the text on one line to stderr.
void StderrMessageSink(MessageKind kind, const std::string &text);

void ShowWarning(const std::string &text);
void ShowInfo(const std::string &text);
void ShowError(const std::string &text);
void ShowWarningAfter(const std::string &text, const std::string &lead);
void ShowInfoList(const std::vector<std::string> &lines);
void ShowInfoMemo(const std::vector<std::string> &lines); // the memo window's lines, joined by CR LF
