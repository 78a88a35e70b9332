// libFuzzer: the input is a CAD script file; it is drawn into a small picture twice, once at a
// side-view scale and once at an absurd one. Any text must end in a drawing or a stopped run
// with a message, never in a crash, a hang or a painter left in another state.
#include "util/TextFile.h"
#include "views/draw/CadScript.h"

#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Decoded as a file read would be, without touching the disk.
    QStringList lines;
    for (const std::string &line : SplitLines(DecodeText(std::string(reinterpret_cast<const char *>(data), size))))
        lines << QString::fromStdString(line);

    static QImage image(81, 47, QImage::Format_RGB32);
    for (const CadFrame &frame : {CadFrame{3.311, 12, 45, 1}, CadFrame{1e5, -40, 200, 2}}) {
        image.fill(Qt::white);
        QPainter painter(&image);
        const QPen pen(Qt::green, 2);
        painter.setPen(pen);
        const CadRunResult result = DrawCAD(painter, lines, frame);
        if (result.ok != (result.failedLine == 0) || result.ok != result.message.isEmpty()
            || result.failedLine > lines.size() || result.message.size() > 200 || painter.pen() != pen)
            __builtin_trap();
    }
    return 0;
}
