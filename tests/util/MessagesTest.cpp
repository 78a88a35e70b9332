#include "MessageRecorder.h"
#include "util/Messages.h"

#include <gtest/gtest.h>

TEST(Messages, FixedTextsAndKinds)
{
    MessageRecorder recorder;
    ShowWarning("w");
    ShowInfo("i");
    ShowError("e");
    ShowWarningAfter("Text", "");
    ShowInfoList({"eins", "zwei"});
    ShowInfoMemo({"Zeile 0;x"});
    struct {
        MessageKind kind;
        const char *text;
    } expected[] = {
        {MessageKind::Warning, "w"},
        {MessageKind::Information, "i"},
        {MessageKind::Error, "e"},
        {MessageKind::Warning, "\r\nText"},
        {MessageKind::Information, "eins\r\nzwei\r\n"},
        {MessageKind::InfoMemo, "Zeile 0;x\r\n"},
    };
    ASSERT_EQ(recorder.count(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(recorder.messages()[i].kind, expected[i].kind) << i;
        EXPECT_EQ(recorder.messages()[i].text, expected[i].text) << i;
    }
}

TEST(Messages, StderrSinkWritesOneLedLinePerMessage)
{
    testing::internal::CaptureStderr();
    StderrMessageSink(MessageKind::Warning, "a\r\nb");
    StderrMessageSink(MessageKind::Error, "c");
    StderrMessageSink(MessageKind::Information, "d");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Warnung: a b\nFehler: c\nInformation: d\n");
}
