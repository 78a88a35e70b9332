#include "MessageRecorder.h"

MessageRecorder::MessageRecorder()
{
    previous_ = SetMessageSink([this](MessageKind kind, const std::string &text) {
        messages_.push_back({kind, text});
    });
}

MessageRecorder::~MessageRecorder() { SetMessageSink(previous_); }

std::string MessageRecorder::allTexts() const
{
    std::string all;
    for (const RecordedMessage &m : messages_)
        all += "[" + m.text + "] ";
    return all;
}
