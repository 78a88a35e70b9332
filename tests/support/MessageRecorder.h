#pragma once

// Records what the program would have shown in message boxes, for the lifetime of the object.

#include "util/Messages.h"

#include <string>
#include <vector>

struct RecordedMessage {
    MessageKind kind;
    std::string text;
};

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    const std::vector<RecordedMessage> &messages() const { return messages_; }
    bool empty() const { return messages_.empty(); }
    size_t count() const { return messages_.size(); }
    std::string allTexts() const; // for failure output
    void clear() { messages_.clear(); }

private:
    std::vector<RecordedMessage> messages_;
    MessageSink previous_;
};
