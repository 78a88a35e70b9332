// The baselines of the start benchmark: a bare Qt program started the same way as Feldora.
//   bare_qt window   a QApplication that shows one window and quits
//   bare_qt core     a QCoreApplication that quits at once
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "core") == 0) {
        QCoreApplication app(argc, argv);
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
        return QCoreApplication::exec();
    }
    QApplication app(argc, argv);
    QWidget window;
    window.resize(600, 560);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
