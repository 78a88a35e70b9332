// Turns the manual's Markdown text into an A4 PDF at build time: mkmanual IN.md OUT.pdf
#include <QFile>
#include <QFont>
#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: mkmanual EINGABE.md AUSGABE.pdf\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // builds need no display
    QGuiApplication app(argc, argv);

    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "Fehler: %s kann nicht gelesen werden.\n", argv[1]);
        return 1;
    }
    QTextDocument doc;
    QFont font("Liberation Sans");
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    doc.setDefaultStyleSheet("code { font-family: 'Liberation Mono'; }");
    doc.setMarkdown(QString::fromUtf8(in.readAll()));

    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "Fehler: %s kann nicht geschrieben werden.\n", argv[2]);
        return 1;
    }
    {
        QPdfWriter writer(&out);
        writer.setTitle("Feldora – Bedienung");
        writer.setCreator("Feldora");
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));
        writer.setResolution(300);
        // Lay out at the writer's resolution, so lines fill the page width.
        doc.documentLayout()->setPaintDevice(&writer);
        doc.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
        doc.print(&writer);
    }
    if (!out.commit()) {
        std::fprintf(stderr, "Fehler: %s kann nicht geschrieben werden.\n", argv[2]);
        return 1;
    }
    return 0;
}
