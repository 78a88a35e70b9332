#include "views/VirtMP.h"

#include "data/MeasuringPointFiles.h"
#include "views/Controls.h"
#include "views/DialogService.h"
#include "views/EscapeClose.h"
#include "views/HandlerGuard.h"
#include "views/WindowPlacement.h"
#include "views/draw/DrawCommon.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

enum Column { Label, Distance, Angle, EField, HField, ColumnCount };

constexpr const char *kDistanceFilter = "Abstandsdatei (*.txt);;Alle Dateien (*)";
constexpr const char *kExchangeFilter = "Kalvo Exchange Datei (*.xch);;Alle Dateien (*)";

// The grid, telling whether a cell editor is open.
class PointGrid : public QTableWidget
{
public:
    using QTableWidget::QTableWidget;
    bool editing() const { return state() == EditingState; }
};

std::string text(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

} // namespace

TFormVirtMP::TFormVirtMP(const VirtMPInput &input, QWidget *parent) : QDialog(parent), input_(input)
{
    setObjectName("FormVirtMP");
    ui::KeepOnScreen(this);
    ui::CloseOnEscape(this);
    setWindowTitle("Export virtueller Messpunkte");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *client = new QWidget(this);
    client->setFixedSize(343, 326);
    layout->addWidget(client);

    SGvirtAbst = new PointGrid(0, ColumnCount, client);
    SGvirtAbst->setObjectName("SGvirtAbst");
    SGvirtAbst->setGeometry(8, 0, 329, 265);
    SGvirtAbst->setHorizontalHeaderLabels(QString("MPunkte;Abstand [m];Winkel [°];E [V/m];H [A/m]").split(';'));
    SGvirtAbst->verticalHeader()->hide();
    SGvirtAbst->verticalHeader()->setDefaultSectionSize(20);
    const int widths[ColumnCount] = {56, 68, 62, 60, 60};
    for (int c = 0; c < ColumnCount; ++c)
        SGvirtAbst->setColumnWidth(c, widths[c]);
    SGvirtAbst->installEventFilter(this);
    connect(SGvirtAbst, &QTableWidget::itemChanged, this, [this] {
        if (!updating_)
            RunGuarded([this] { SGvirtAbstUserChangedCell(); });
    });

    QGroupBox *group = ui::makeGroupBox(client, "GroupBox1", "Virtuelle Messpunkte", 8, 270, 153, 50);
    ButmpMinus = ui::makeButton(group, "ButmpMinus", "Weniger", 8, 18, 65, 24);
    Button2 = ui::makeButton(group, "Button2", "Mehr", 80, 18, 65, 24);
    ButExport = ui::makeButton(client, "ButExport", "virt. Messpunkte exportieren", 170, 272, 167, 24);
    ButClose = ui::makeButton(client, "ButClose", "Schliessen", 170, 298, 167, 24);
    connect(ButmpMinus, &QPushButton::clicked, this, Guarded(this, &TFormVirtMP::ButmpMinusClick));
    connect(Button2, &QPushButton::clicked, this, Guarded(this, &TFormVirtMP::Button2Click));
    connect(ButExport, &QPushButton::clicked, this, Guarded(this, &TFormVirtMP::ButExportClick));
    connect(ButClose, &QPushButton::clicked, this, &QDialog::accept);

    createMenus();
    adjustSize();
    if (parent)
        move(parent->frameGeometry().center() - rect().center());
    RunGuarded([this] { FormActivate(); });
}

void TFormVirtMP::createMenus()
{
    auto *bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    auto add = [this](QMenu *menu, const char *name, const char *caption, void (TFormVirtMP::*handler)()) {
        QAction *action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, Guarded(this, handler));
    };
    QMenu *file = bar->addMenu("Abstands&datei");
    file->setObjectName("MIAbstandsdatei");
    add(file, "MIOpen", "&Öffnen", &TFormVirtMP::MIOpenClick);
    add(file, "MISave", "&Speichern", &TFormVirtMP::MISaveClick);
    file->addSeparator();
    QAction *close = file->addAction("&Beenden");
    close->setObjectName("MIClose");
    connect(close, &QAction::triggered, this, &QDialog::accept);

    QMenu *distances = bar->addMenu("&Abstände");
    distances->setObjectName("MIAbstaende");
    add(distances, "MIEinsBisN", "&1..n Meter", &TFormVirtMP::MIEinsBisNClick);
    add(distances, "MIalleZehn", "alle &10 Meter", &TFormVirtMP::MIalleZehnClick);

    QMenu *angles = bar->addMenu("&Winkel");
    angles->setObjectName("MIWinkel");
    add(angles, "MIalleNull", "alle 0°", &TFormVirtMP::MIalleNullClick);
    add(angles, "MIfuenfGrad", "&5° Schritte", &TFormVirtMP::MIfuenfGradClick);
    add(angles, "MIzehnGrad", "&10° Schritte", &TFormVirtMP::MIzehnGradClick);
    add(angles, "MifromHeight", "aus &Höhe berechnen", &TFormVirtMP::MifromHeightClick);
}

bool TFormVirtMP::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SGvirtAbst && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Enter in an open cell editor reaches the grid before the editor hands its text over;
        // computing now would check the old text. The handover computes.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !static_cast<PointGrid *>(SGvirtAbst)->editing())
            RunGuarded([this] { calcFields(); });
    }
    return QDialog::eventFilter(watched, event);
}

std::vector<MeasuringPoint> TFormVirtMP::points() const
{
    std::vector<MeasuringPoint> points(static_cast<size_t>(SGvirtAbst->rowCount()));
    for (int r = 0; r < SGvirtAbst->rowCount(); ++r) {
        MeasuringPoint &p = points[static_cast<size_t>(r)];
        p.label = text(SGvirtAbst, r, Label);
        p.distance = text(SGvirtAbst, r, Distance);
        p.angle = text(SGvirtAbst, r, Angle);
        p.e = text(SGvirtAbst, r, EField);
        p.h = text(SGvirtAbst, r, HField);
    }
    return points;
}

void TFormVirtMP::setPoints(const std::vector<MeasuringPoint> &points)
{
    updating_ = true;
    SGvirtAbst->setRowCount(static_cast<int>(points.size()));
    for (int r = 0; r < SGvirtAbst->rowCount(); ++r) {
        const MeasuringPoint &p = points[static_cast<size_t>(r)];
        const std::string *cells[ColumnCount] = {&p.label, &p.distance, &p.angle, &p.e, &p.h};
        for (int c = 0; c < ColumnCount; ++c) {
            QTableWidgetItem *item = SGvirtAbst->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                if (c != Distance && c != Angle)
                    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                SGvirtAbst->setItem(r, c, item);
            }
            item->setText(QString::fromStdString(*cells[c]));
        }
    }
    updating_ = false;
}

void TFormVirtMP::changePoints(const std::function<void(MeasuringPoint &, int row)> &change)
{
    std::vector<MeasuringPoint> points = this->points();
    for (size_t i = 0; i < points.size(); ++i)
        change(points[i], static_cast<int>(i) + 1);
    setPoints(points);
    calcFields();
}

void TFormVirtMP::calcFields()
{
    std::vector<MeasuringPoint> points = this->points();
    const FieldSource source{input_.eirp, input_.angles, input_.eirpByAngle};
    switch (CalculateFields(points, source)) {
    case FieldCheck::DistanceError:
        Dialogs().message(MessageKind::Warning, "\r\ndistERR");
        return;
    case FieldCheck::AngleError:
        Dialogs().message(MessageKind::Warning, "\r\nwinkERR");
        return;
    case FieldCheck::Ok:
        setPoints(points);
        return;
    }
}

void TFormVirtMP::FormActivate()
{
    std::vector<MeasuringPoint> points = this->points();
    FillPoints(points, 5);
    setPoints(points);
    calcFields();
}

void TFormVirtMP::Button2Click()
{
    std::vector<MeasuringPoint> points = this->points();
    FillPoints(points, static_cast<int>(points.size()) + 1);
    setPoints(points);
    calcFields();
}

void TFormVirtMP::ButmpMinusClick()
{
    if (SGvirtAbst->rowCount() > 1)
        SGvirtAbst->setRowCount(SGvirtAbst->rowCount() - 1);
}

void TFormVirtMP::SGvirtAbstUserChangedCell()
{
    calcFields();
}

QString TFormVirtMP::filePath(const QString &name) const
{
    QString dir = input_.programDir;
    if (!dir.isEmpty() && !dir.endsWith('/'))
        dir += '/';
    return dir + name;
}

void TFormVirtMP::ButExportClick()
{
    const QString path = Dialogs().saveFileName("Speichern unter", filePath("jjj.xch"), kExchangeFilter,
                                                "Kalvo Exchange Datei (*.xch)", "xch");
    if (path.isEmpty())
        return;
    const ExchangeHeader header{input_.antennaName.toStdString(), input_.band, input_.power,
                                input_.dutyCycle.toStdString(), input_.factorSource.toStdString()};
    WriteExchangeFile(path.toStdString(), header, points());
}

void TFormVirtMP::MIOpenClick()
{
    const QString path = Dialogs().openFileName("Öffnen", filePath("Abstände.txt"), kDistanceFilter);
    if (path.isEmpty())
        return;
    // A file without a sound number of points is refused before the grid changes.
    const DistanceFileContent content = ReadDistanceFile(path.toStdString());
    std::vector<MeasuringPoint> points = this->points();
    points.resize(static_cast<size_t>(content.announced));
    for (size_t i = 0; i < points.size(); ++i)
        points[i].label = "MP " + std::to_string(i + 1);
    for (size_t i = 0; i < content.rows.size(); ++i) {
        points[i].distance = content.rows[i].distance;
        points[i].angle = content.rows[i].angle;
    }
    setPoints(points);
    if (content.lineError) {
        Dialogs().message(MessageKind::Error, QString::fromStdString(*content.lineError));
        return;
    }
    calcFields();
}

void TFormVirtMP::MISaveClick()
{
    const QString path = Dialogs().saveFileName("Speichern unter", filePath("Abstände.txt"), kDistanceFilter,
                                                "Abstandsdatei (*.txt)", "txt");
    if (path.isEmpty())
        return;
    WriteDistanceFile(path.toStdString(), points());
}

void TFormVirtMP::MIEinsBisNClick()
{
    changePoints([](MeasuringPoint &p, int r) { p.distance = std::to_string(r); });
}

void TFormVirtMP::MIalleZehnClick()
{
    changePoints([](MeasuringPoint &p, int) { p.distance = "10"; });
}

void TFormVirtMP::MIalleNullClick()
{
    changePoints([](MeasuringPoint &p, int) { p.angle = "0"; });
}

void TFormVirtMP::MIfuenfGradClick()
{
    changePoints([](MeasuringPoint &p, int r) { p.angle = std::to_string(5 * (r - 1)); });
}

void TFormVirtMP::MIzehnGradClick()
{
    changePoints([](MeasuringPoint &p, int r) { p.angle = std::to_string(10 * (r - 1)); });
}

void TFormVirtMP::MifromHeightClick()
{
    const double height = input_.height;
    changePoints([height](MeasuringPoint &p, int) {
        if (auto angle = AngleFromHeight(height, p.distance))
            p.angle = *angle;
    });
}
