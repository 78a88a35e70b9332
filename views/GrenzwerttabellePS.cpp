#include "views/GrenzwerttabellePS.h"

#include "core/LimitTable.h"
#include "util/TextFile.h"
#include "views/Controls.h"
#include "views/DialogService.h"
#include "views/EscapeClose.h"
#include "views/HandlerGuard.h"
#include "views/WindowPlacement.h"
#include "views/draw/DrawCommon.h"
#include "views/draw/ImageFiles.h"
#include "views/draw/LimitPlot.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace
{

const char *const kPlotItems[kLimitPlotVariants] = {
    "E-Grenzwerte (0...30 MHz)",
    "E-Grenzwerte (30...300 MHz)",
    "E-Grenzwerte (300...3000 MHz)",
    "H-Grenzwerte (0...30 MHz)",
};

} // namespace

TFormGrenzwerttabellePS::TFormGrenzwerttabellePS(QWidget *parent) : QDialog(parent)
{
    setObjectName("FormGrenzwerttabellePS");
    ui::KeepOnScreen(this);
    ui::CloseOnEscape(this);
    setWindowTitle("Grenzwerte zur Berechnung der Anzeige nach BEMFV");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *client = new QWidget(this);
    client->setFixedSize(877, 449);
    layout->addWidget(client);

    QGroupBox *table = ui::makeGroupBox(client, "GroupBox1", "Personenschutzgrenzwerte", 8, 8, 345, 433);
    Memo1 = new QPlainTextEdit(table);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(8, 16, 329, 409);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFont(ui::courierFont(13));
    Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Memo1, &QWidget::customContextMenuRequested, this, &TFormGrenzwerttabellePS::showMemoMenu);

    QGroupBox *graphic = ui::makeGroupBox(client, "GroupBox2", "Graphik", 360, 8, 513, 433);
    Image1 = new QLabel(graphic);
    Image1->setObjectName("Image1");
    Image1->setGeometry(8, 16, 497, 409);

    createMenus();
    fill();
    adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormGrenzwerttabellePS::createMenus()
{
    auto *bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    auto add = [this](QMenu *menu, const char *name, const char *caption, void (TFormGrenzwerttabellePS::*handler)()) {
        QAction *action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, Guarded(this, handler));
        return action;
    };
    QMenu *save = bar->addMenu("Speichern");
    save->setObjectName("Speichern1");
    add(save, "Tabellespeichern1", "Tabelle speichern", &TFormGrenzwerttabellePS::PMISaveClick);
    add(save, "Tabellekopieren1", "Tabelle kopieren", &TFormGrenzwerttabellePS::PMICopyClick);
    add(save, "Graphikspeichern1", "Graphik speichern ", &TFormGrenzwerttabellePS::Graphikspeichern1Click);
    add(save, "Graphikkopieren1", "Graphik kopieren", &TFormGrenzwerttabellePS::Graphikkopieren1Click);
    save->addSeparator();
    QAction *close = save->addAction("Schliessen");
    close->setObjectName("Schliessen1");
    connect(close, &QAction::triggered, this, &QDialog::accept);

    QMenu *plot = bar->addMenu("Plot");
    plot->setObjectName("Plot1");
    for (int v = 0; v < kLimitPlotVariants; ++v) {
        QAction *action = plot->addAction(QString::fromUtf8(kPlotItems[v]));
        action->setObjectName(QString("MIPlot%1").arg(v));
        connect(action, &QAction::triggered, this, [this, v] { RunGuarded([this, v] { Plot(v); }); });
    }

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    add(PopupMenu1, "PMISave", "Speichern (*.txt)", &TFormGrenzwerttabellePS::PMISaveClick);
    add(PopupMenu1, "PMICopy", "Kopieren", &TFormGrenzwerttabellePS::PMICopyClick);
}

void TFormGrenzwerttabellePS::showMemoMenu(const QPoint &pos)
{
    PopupMenu1->popup(Memo1->mapToGlobal(pos));
}

void TFormGrenzwerttabellePS::fill()
{
    Memo1->clear();
    QStringList lines;
    for (const std::string &line : LimitTableLines())
        lines << QString::fromStdString(line);
    Memo1->setPlainText(lines.join('\n'));
    Plot(0);
}

QStringList TFormGrenzwerttabellePS::tableLines() const
{
    return Memo1->toPlainText().split('\n');
}

void TFormGrenzwerttabellePS::Plot(int variant)
{
    TListPlot plot(Image1->width(), Image1->height());
    DrawLimitPlot(plot, variant);
    picture_ = plot.picture();
    variant_ = variant;
    Image1->setPixmap(QPixmap::fromImage(picture_));
}

void TFormGrenzwerttabellePS::PMISaveClick()
{
    const QString path = Dialogs().saveFileName("Speichern unter", UserDesktopFolder() + "Grenzwerte Export.txt",
                                                "Alle Dateien (*);;TextDateien (*.txt)", "TextDateien (*.txt)", "txt");
    if (path.isEmpty())
        return;
    std::vector<std::string> lines;
    for (const QString &line : tableLines())
        lines.push_back(line.toStdString());
    WriteTextLines(path.toStdString(), lines);
}

void TFormGrenzwerttabellePS::PMICopyClick()
{
    QString text;
    for (const QString &line : tableLines())
        text += line + "\r\n";
    Dialogs().setClipboardText(text);
}

void TFormGrenzwerttabellePS::Graphikspeichern1Click()
{
    const QString path = Dialogs().saveFileName("Speichern unter", UserDesktopFolder() + "BEMFV-Grenzwerte.bmp",
                                                "Alle Dateien (*);;BitMap-Bild (*.bmp)", "BitMap-Bild (*.bmp)", "bmp");
    if (path.isEmpty())
        return;
    SaveBitmapFile(picture_, path); // BMP whatever the extension says
    if (!QFileInfo::exists(path))
        Dialogs().message(MessageKind::Warning, "Die Datei\r\n\r\n" + path + "\r\n\r\nwurde nicht gespeichert!");
}

void TFormGrenzwerttabellePS::Graphikkopieren1Click()
{
    Dialogs().setClipboardImage(picture_);
}
