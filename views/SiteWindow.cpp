#include "views/SiteWindow.h"

#include "data/SiteTable.h"

#include "data/ConfigFile.h"
#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"
#include "views/DialogService.h"
#include "views/HandlerGuard.h"
#include "views/WindowPlacement.h"
#include "views/draw/CadScript.h"
#include "views/draw/ImageFiles.h"
#include "views/draw/QtText.h"
#include "views/draw/SiteExport.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUndoCommand>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

// The plan as an image drawn by the window; the widget shows it and reports the mouse.
class SitePlanView : public QWidget
{
public:
    explicit SitePlanView(QWidget *parent) : QWidget(parent)
    {
        setObjectName("Plan");
        setMouseTracking(true);
        setFocusPolicy(Qt::ClickFocus);
        setCursor(Qt::CrossCursor);
        setMinimumSize(360, 300);
    }
    QImage image;
    std::function<void(QPointF)> pressed;
    std::function<void(QPointF, bool)> moved;
    std::function<void()> released, resized, escaped, deleted;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, image); }
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton)
            RunGuarded([&] { pressed(e->position()); });
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        RunGuarded([&] { moved(e->position(), e->buttons() & Qt::LeftButton); });
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton)
            RunGuarded([&] { released(); });
    }
    void resizeEvent(QResizeEvent *) override
    {
        RunGuarded([&] { resized(); });
    }
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->key() == Qt::Key_Escape)
            RunGuarded([&] { escaped(); });
        else if (e->key() == Qt::Key_Delete)
            RunGuarded([&] { deleted(); });
        else
            QWidget::keyPressEvent(e);
    }
};

// A side view as an image drawn by the window.
class SiteCutView : public QWidget
{
public:
    SiteCutView(QWidget *parent, const char *name) : QWidget(parent)
    {
        setObjectName(name);
        setMinimumSize(360, 300);
    }
    QImage image;
    std::function<void()> resized;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, image); }
    void resizeEvent(QResizeEvent *) override
    {
        RunGuarded([&] { resized(); });
    }
};

// One step of the undo stack: the whole site before and after. A site is small, and a snapshot
// cannot miss a part of the change.
class SiteEditCommand : public QUndoCommand
{
public:
    SiteEditCommand(TFormStandort *window, const QString &text, Site before, Site after, bool applied)
        : QUndoCommand(text), window_(window), before_(std::move(before)), after_(std::move(after)), skip_(applied)
    {
    }
    void undo() override { window_->apply(before_); }
    void redo() override
    {
        if (!std::exchange(skip_, false)) // a drag has shown its end already
            window_->apply(after_);
    }

private:
    TFormStandort *window_;
    Site before_, after_;
    bool skip_;
};

namespace
{

constexpr ValueRange kCoordinate{-1e6, 1e6, "m"};
constexpr ValueRange kPersonHeight{0, 1000, "m"};
constexpr ValueRange kNorth{-360, 360, "°"};
constexpr ValueRange kScaleLength{1e-3, 1e5, "m"};
constexpr double kGrip = 8; // pixels within which a click takes a point
constexpr double kLiveCalculationMs = 30;

const char *const kSiteFilter = "Standorte (*.standort);;Alle Dateien (*)";
const char *const kConfigFilter = "Konfigurationen (*.txt);;Alle Dateien (*)";
const char *const kScriptFilter = "Zeichnungen (*.txt);;Alle Dateien (*)";
const char *const kAxisNames[2] = {"x", "y"};
const char *const kSiteFieldNames[6] = {"EditRufzeichen", "EditBetreiber",        "EditAnschrift",
                                        "EditDatum",      "EditAufenthaltshoehe", "EditNordrichtung"};
const char *const kSiteFieldLabels[6] = {
    "Rufzeichen:", "Betreiber:", "Anschrift:", "Datum:", "Aufenthaltshöhe [m]:", "Nordrichtung [°]:"};

std::string quoted(const std::string &text)
{
    return "„" + text + "“";
}
double centimetres(double v)
{
    return std::round(v * 100) / 100;
}
QString number(double v)
{
    return qs(SiteNumberText(v));
}

// A path of the site file as the file names it, and back.
std::string absoluteIn(const std::string &folder, const std::string &path)
{
    if (path.empty() || path.front() == '/' || folder.empty())
        return path;
    return QDir::cleanPath(qs(folder + path)).toStdString();
}
std::string relativeTo(const std::string &folder, const std::string &path)
{
    if (path.empty() || path.front() != '/' || folder.empty())
        return path;
    return QDir(qs(folder)).relativeFilePath(qs(path)).toStdString();
}
// Every file the site names, mapped: the configurations, the side views' scripts, the background.
void mapPaths(Site &site, const std::function<std::string(const std::string &)> &map)
{
    site.cutScriptX = map(site.cutScriptX);
    site.cutScriptY = map(site.cutScriptY);
    for (SiteAntenna &a : site.antennas)
        a.configuration = map(a.configuration);
    for (SiteExtraSection &s : site.extraSections)
        if (EqualsIgnoreCase(s.name, kBackgroundSection))
            for (auto &[key, value] : s.entries)
                if (EqualsIgnoreCase(key, "Datei"))
                    value = map(Trim(value));
}

std::string folderOf(const QString &file)
{
    return file.isEmpty() ? std::string() : (QFileInfo(file).absolutePath() + "/").toStdString();
}

double segmentDistance(site::Point a, site::Point b, site::Point p)
{
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

// A new point of the area goes into the edge it lies nearest, so the outline stays simple.
size_t insertPosition(const site::Polygon &area, site::Point p)
{
    if (area.size() < 3)
        return area.size();
    size_t best = 0;
    double bestDistance = INFINITY;
    for (size_t i = 0; i < area.size(); ++i) {
        const double d = segmentDistance(area[i], area[(i + 1) % area.size()], p);
        if (d < bestDistance)
            bestDistance = d, best = i;
    }
    return best + 1;
}

QTableWidget *pointTable(QWidget *parent, const char *name, const QStringList &heading, int height)
{
    auto *t = new QTableWidget(0, static_cast<int>(heading.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(heading);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    t->verticalHeader()->setDefaultSectionSize(20);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setFixedHeight(height);
    return t;
}

QPushButton *button(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// Cells are written in place: a cell's own change signal may be what led here.
void setRow(QTableWidget *table, int row, const QStringList &cells, bool editable = true)
{
    for (int c = 0; c < cells.size(); ++c) {
        QTableWidgetItem *item = table->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            if (!editable)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            table->setItem(row, c, item);
        }
        const bool figure = !cells[c].isEmpty() && (cells[c][0].isDigit() || cells[c][0] == '-');
        const Qt::Alignment align = (figure ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        if (item->text() != cells[c])
            item->setText(cells[c]);
        if (item->textAlignment() != int(align))
            item->setTextAlignment(align);
    }
}

std::vector<std::string> fieldsOf(const std::string &line)
{
    return SplitText(line, ';');
}

QColor qColor(SiteColor c)
{
    return QColor(c.r, c.g, c.b);
}

// A colour button shows its colour.
void showColor(QPushButton *b, const QColor &c)
{
    QPixmap swatch(16, 16);
    swatch.fill(c);
    QPainter(&swatch).drawRect(0, 0, 15, 15);
    b->setIcon(QIcon(swatch));
}

std::string &scriptOf(Site &site, int axis)
{
    return axis == 0 ? site.cutScriptX : site.cutScriptY;
}

} // namespace

TFormStandort::TFormStandort(SiteWindowInput input, QWidget *parent)
    : QMainWindow(parent, Qt::Window), input_(std::move(input))
{
    setObjectName("FormStandort");
    setAttribute(Qt::WA_DeleteOnClose);
    ui::KeepOnScreen(this);
    undo_ = new QUndoStack(this);
    connect(undo_, &QUndoStack::cleanChanged, this, [this] { updateTitle(); });
    createControls();
    createMenus();
    QSize size(1320, 860);
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95); // a laptop's screen too
    resize(size);
    if (input_.lastSite.isEmpty() || !QFileInfo::exists(input_.lastSite) || !openSite(input_.lastSite))
        newSite();
}

TFormStandort::~TFormStandort()
{
    // The stack's commands call back into the window: gone before its members.
    delete undo_;
    undo_ = nullptr;
}

QAction *TFormStandort::menuAction(QMenu *menu, const char *name, const QString &caption,
                                   void (TFormStandort::*handler)())
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, Guarded(this, handler));
    return a;
}

void TFormStandort::createMenus()
{
    QMenu *file = menuBar()->addMenu("&Datei");
    menuAction(file, "MINeu", "&Neu", &TFormStandort::MINeuClick)->setShortcut(QKeySequence::New);
    menuAction(file, "MIOeffnen", "Ö&ffnen…", &TFormStandort::MIOeffnenClick)->setShortcut(QKeySequence::Open);
    menuAction(file, "MISpeichern", "&Speichern", &TFormStandort::MISpeichernClick)->setShortcut(QKeySequence::Save);
    menuAction(file, "MISpeichernUnter", "Speichern &unter…", &TFormStandort::MISpeichernUnterClick)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    QAction *close = file->addAction("S&chließen");
    close->setObjectName("MISchliessen");
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    connect(close, &QAction::triggered, this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu("&Bearbeiten");
    QAction *undo = undo_->createUndoAction(this, "Rückgängig");
    undo->setObjectName("MIRueckgaengig");
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction *redo = undo_->createRedoAction(this, "Wiederherstellen");
    redo->setObjectName("MIWiederherstellen");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    QAction *remove =
        menuAction(edit, "MIPunktLoeschen", "Gewählten Punkt &löschen", &TFormStandort::MIPunktLoeschenClick);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut); // in the plan; the tables keep their own Delete
    Plan->addAction(remove);

    QMenu *back = menuBar()->addMenu("&Hintergrund");
    menuAction(back, "MIHintergrund", "Hintergrund &laden…", &TFormStandort::MIHintergrundClick);
    back->addAction(ToolActions[int(Tool::ScalePoints)]);
    back->addAction(ToolActions[int(Tool::Origin)]);
    menuAction(back, "MIHintergrundEntfernen", "Hintergrund &entfernen", &TFormStandort::MIHintergrundEntfernenClick);

    QMenu *views = menuBar()->addMenu("&Seitenansichten");
    for (int k = 0; k < 2; ++k) {
        views->addAction(ScriptActions[k][0]);
        views->addAction(ScriptActions[k][1]);
        if (k == 0)
            views->addSeparator();
    }

    QMenu *exports = menuBar()->addMenu("&Exportieren");
    menuAction(exports, "MIExportPdf", "Lageplan als &PDF…", &TFormStandort::MIExportPdfClick);
    menuAction(exports, "MIExportSvg", "Lageplan als &SVG…", &TFormStandort::MIExportSvgClick);
    menuAction(exports, "MIExportPng", "Lageplan als P&NG…", &TFormStandort::MIExportPngClick);
    exports->addSeparator();
    menuAction(exports, "MIKopieren", "Lageplan &kopieren", &TFormStandort::MIKopierenClick);
    exports->addSeparator();
    menuAction(exports, "MITabelleKopieren", "Konfigurationstabelle k&opieren", &TFormStandort::MITabelleKopierenClick);
    menuAction(exports, "MITabelleSpeichern", "Konfigurationstabelle spei&chern…",
               &TFormStandort::MITabelleSpeichernClick);
    if (input_.writeDocuments) {
        exports->addSeparator();
        menuAction(exports, "MIUnterlagen", "&Unterlagen als PDF…", &TFormStandort::MIUnterlagenClick);
        if (input_.paintDocuments)
            menuAction(exports, "MIUnterlagenVorschau", "Unterlagen – &Vorschau…",
                       &TFormStandort::MIUnterlagenVorschauClick);
        AllAngleTables = exports->addAction("&Alle Winkeltabellen");
        AllAngleTables->setObjectName("MIAlleWinkeltabellen");
        AllAngleTables->setCheckable(true);
    }
}

void TFormStandort::createControls()
{
    // Tools: what a click on the plan does.
    QToolBar *tools = addToolBar("Werkzeuge");
    tools->setObjectName("Werkzeuge");
    tools->setMovable(false);
    auto *group = new QActionGroup(this);
    const struct {
        const char *name, *caption;
    } toolNames[5] = {{"ToolAuswahl", "Auswählen und verschieben"},
                      {"ToolBereich", "Punkte des Bereichs setzen"},
                      {"ToolAntenne", "Punkte der Antenne setzen"},
                      {"ToolMassstab", "Maßstab aus zwei Punkten"},
                      {"ToolUrsprung", "Ursprung setzen"}};
    for (int i = 0; i < 5; ++i) {
        QAction *a = group->addAction(QString::fromUtf8(toolNames[i].caption));
        a->setObjectName(toolNames[i].name);
        a->setCheckable(true);
        if (i < 3)
            tools->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { RunGuarded([&] { setTool(Tool(i)); }); });
        ToolActions[i] = a;
    }
    ToolActions[0]->setChecked(true);
    tools->addSeparator();
    tools->addAction(ToolActions[int(Tool::ScalePoints)]);
    tools->addAction(ToolActions[int(Tool::Origin)]);

    auto *split = new QSplitter(Qt::Horizontal, this);
    setCentralWidget(split);

    // Left: the plan, the figures under it.
    auto *left = new QWidget(split);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 4, 4);
    TabAnsichten = new QTabWidget(left);
    TabAnsichten->setObjectName("TabAnsichten");
    Plan = new SitePlanView(TabAnsichten);
    Plan->pressed = [this](QPointF p) { planPressed(p); };
    Plan->moved = [this](QPointF p, bool down) { planMoved(p, down); };
    Plan->released = [this] { planReleased(); };
    Plan->resized = [this] { planResized(); };
    Plan->escaped = [this] { setTool(Tool::Select); }; // gives up choosing points on the picture
    Plan->deleted = [this] { MIPunktLoeschenClick(); };
    TabAnsichten->addTab(Plan, "Draufsicht");
    for (int k = 0; k < 2; ++k) {
        auto *page = new QWidget(TabAnsichten);
        auto *pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        Cut[k] = new SiteCutView(page, k == 0 ? "AnsichtX" : "AnsichtY");
        Cut[k]->resized = [this] { redrawCuts(); };
        pageLayout->addWidget(Cut[k], 1);
        auto *row = new QHBoxLayout;
        row->setContentsMargins(4, 0, 4, 4);
        LabelZeichnung[k] = new QLabel(page);
        LabelZeichnung[k]->setObjectName(k == 0 ? "LabelZeichnungX" : "LabelZeichnungY");
        row->addWidget(LabelZeichnung[k], 1);
        // The view's drawing script: in the menu "Seitenansichten" and under the view itself.
        const QString axis = kAxisNames[k];
        QAction *choose = new QAction("Zeichnung für die Ansicht entlang " + axis + " &wählen…", this);
        choose->setObjectName(k == 0 ? "MIZeichnungX" : "MIZeichnungY");
        connect(choose, &QAction::triggered, this, [this, k] { RunGuarded([&] { chooseScript(k); }); });
        QAction *remove = new QAction("Zeichnung der Ansicht entlang " + axis + " &entfernen", this);
        remove->setObjectName(k == 0 ? "MIZeichnungXEntfernen" : "MIZeichnungYEntfernen");
        connect(remove, &QAction::triggered, this, [this, k] { RunGuarded([&] { removeScript(k); }); });
        ScriptActions[k][0] = choose;
        ScriptActions[k][1] = remove;
        for (QAction *action : {choose, remove}) {
            auto *tb = new QToolButton(page);
            tb->setDefaultAction(action);
            tb->setText(action == choose ? "Zeichnung…" : "Entfernen");
            row->addWidget(tb);
        }
        pageLayout->addLayout(row);
        TabAnsichten->addTab(page, QString("Ansicht entlang ") + kAxisNames[k]);
    }
    connect(TabAnsichten, &QTabWidget::currentChanged, this, [this] { RunGuarded([&] { redrawCuts(); }); });
    leftLayout->addWidget(TabAnsichten, 1);
    LabelHinweis = new QLabel(left);
    LabelHinweis->setObjectName("LabelHinweis");
    leftLayout->addWidget(LabelHinweis);
    LabelMeldung = new QLabel(left);
    LabelMeldung->setObjectName("LabelMeldung");
    LabelMeldung->setWordWrap(true);
    LabelMeldung->setStyleSheet("color: rgb(192, 0, 0);");
    leftLayout->addWidget(LabelMeldung);
    TabErgebnis = new QTableWidget(0, 0, left);
    TabErgebnis->setObjectName("TabErgebnis");
    TabErgebnis->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TabErgebnis->verticalHeader()->hide();
    TabErgebnis->verticalHeader()->setDefaultSectionSize(20);
    TabErgebnis->setMaximumHeight(130);
    leftLayout->addWidget(TabErgebnis);
    LabelGruppen = new QLabel(left);
    LabelGruppen->setObjectName("LabelGruppen");
    LabelGruppen->setWordWrap(true);
    leftLayout->addWidget(LabelGruppen);

    // Right: what the plan is made of.
    auto *scroll = new QScrollArea(split);
    scroll->setWidgetResizable(true);
    auto *panel = new QWidget(scroll);
    scroll->setWidget(panel);
    scroll->setMinimumWidth(400);
    auto *col = new QVBoxLayout(panel);

    auto *siteBox = new QGroupBox("Standort", panel);
    auto *form = new QFormLayout(siteBox);
    for (int i = 0; i < 6; ++i) {
        EditSite[i] = new QLineEdit(siteBox);
        EditSite[i]->setObjectName(kSiteFieldNames[i]);
        form->addRow(QString::fromUtf8(kSiteFieldLabels[i]), EditSite[i]);
        connect(EditSite[i], &QLineEdit::editingFinished, this, [this, i] { RunGuarded([&] { siteFieldExit(i); }); });
    }
    col->addWidget(siteBox);

    auto *areaBox = new QGroupBox("Kontrollierbarer Bereich", panel);
    auto *areaLayout = new QVBoxLayout(areaBox);
    TabBereich = pointTable(areaBox, "TabBereich", {"x [m]", "y [m]"}, 130);
    connect(TabBereich, &QTableWidget::cellChanged, this,
            [this](int r, int c) { RunGuarded([&] { areaCellChanged(r, c); }); });
    areaLayout->addWidget(TabBereich);
    auto *areaButtons = new QHBoxLayout;
    QPushButton *b = button(areaBox, "ButBereichPunkt", "Punkt anfügen");
    connect(b, &QPushButton::clicked, this, Guarded(this, &TFormStandort::ButBereichPunktClick));
    areaButtons->addWidget(b);
    b = button(areaBox, "ButBereichLoeschen", "Punkt löschen");
    connect(b, &QPushButton::clicked, this, Guarded(this, &TFormStandort::ButBereichLoeschenClick));
    areaButtons->addWidget(b);
    ButBereichFarbe = button(areaBox, "ButBereichFarbe", "Farbe…");
    connect(ButBereichFarbe, &QPushButton::clicked, this, Guarded(this, &TFormStandort::ButBereichFarbeClick));
    areaButtons->addWidget(ButBereichFarbe);
    areaLayout->addLayout(areaButtons);
    col->addWidget(areaBox);

    auto *antBox = new QGroupBox("Antennen", panel);
    auto *antLayout = new QVBoxLayout(antBox);
    ListAntennen = new QListWidget(antBox);
    ListAntennen->setObjectName("ListAntennen");
    ListAntennen->setFixedHeight(72);
    connect(ListAntennen, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_)
            return;
        RunGuarded([&] {
            selectedAntenna_ = row;
            fillAntennaPanel();
            redraw();
        });
    });
    antLayout->addWidget(ListAntennen);
    auto *antButtons = new QGridLayout;
    const struct {
        const char *name, *caption;
        void (TFormStandort::*handler)();
    } antennaButtons[4] = {
        {"ButAntenneNeu", "Hinzufügen…", &TFormStandort::ButAntenneNeuClick},
        {"ButAntenneEntfernen", "Entfernen", &TFormStandort::ButAntenneEntfernenClick},
        {"ButAntenneUmbenennen", "Umbenennen…", &TFormStandort::ButAntenneUmbenennenClick},
        {"ButKonfigUebernehmen", "Aktuelle Konfiguration übernehmen", &TFormStandort::ButKonfigUebernehmenClick}};
    for (int i = 0; i < 4; ++i) {
        b = button(antBox, antennaButtons[i].name, antennaButtons[i].caption);
        connect(b, &QPushButton::clicked, this, Guarded(this, antennaButtons[i].handler));
        if (i < 3)
            antButtons->addWidget(b, 0, i);
        else
            antButtons->addWidget(b, 1, 0, 1, 3);
    }
    antLayout->addLayout(antButtons);

    GBAntenne = new QWidget(antBox);
    GBAntenne->setObjectName("GBAntenne");
    auto *one = new QVBoxLayout(GBAntenne);
    one->setContentsMargins(0, 4, 0, 0);
    auto *configRow = new QHBoxLayout;
    LabelKonfiguration = new QLabel(GBAntenne);
    LabelKonfiguration->setObjectName("LabelKonfiguration");
    configRow->addWidget(LabelKonfiguration, 1);
    b = button(GBAntenne, "ButKonfiguration", "Konfiguration…");
    connect(b, &QPushButton::clicked, this, Guarded(this, &TFormStandort::ButKonfigurationClick));
    configRow->addWidget(b);
    ButAntenneFarbe = button(GBAntenne, "ButAntenneFarbe", "Farbe…");
    connect(ButAntenneFarbe, &QPushButton::clicked, this, Guarded(this, &TFormStandort::ButAntenneFarbeClick));
    configRow->addWidget(ButAntenneFarbe);
    one->addLayout(configRow);
    one->addWidget(new QLabel("Punkte (ein Punkt oder ein Draht):", GBAntenne));
    TabPunkte = pointTable(GBAntenne, "TabPunkte", {"x [m]", "y [m]"}, 68);
    connect(TabPunkte, &QTableWidget::cellChanged, this,
            [this](int r, int c) { RunGuarded([&] { pointCellChanged(r, c); }); });
    one->addWidget(TabPunkte);
    auto *pointButtons = new QHBoxLayout;
    b = button(GBAntenne, "ButPunkt", "Punkt anfügen");
    connect(b, &QPushButton::clicked, this, Guarded(this, &TFormStandort::ButPunktClick));
    pointButtons->addWidget(b);
    b = button(GBAntenne, "ButPunktLoeschen", "Punkt löschen");
    connect(b, &QPushButton::clicked, this, Guarded(this, &TFormStandort::ButPunktLoeschenClick));
    pointButtons->addWidget(b);
    one->addLayout(pointButtons);
    one->addWidget(new QLabel("Bänder (leer: alle mit der Leistung der Konfiguration):", GBAntenne));
    TabBaender = pointTable(GBAntenne, "TabBaender", {"Band", "PEP [W]"}, 110);
    connect(TabBaender, &QTableWidget::cellChanged, this,
            [this](int r, int c) { RunGuarded([&] { bandCellChanged(r, c); }); });
    one->addWidget(TabBaender);
    auto *bandButtons = new QHBoxLayout;
    b = button(GBAntenne, "ButBand", "Band anfügen");
    connect(b, &QPushButton::clicked, this, Guarded(this, &TFormStandort::ButBandClick));
    bandButtons->addWidget(b);
    b = button(GBAntenne, "ButBandLoeschen", "Band löschen");
    connect(b, &QPushButton::clicked, this, Guarded(this, &TFormStandort::ButBandLoeschenClick));
    bandButtons->addWidget(b);
    one->addLayout(bandButtons);
    CBWinkeldaempfung = new QCheckBox("Winkeldämpfung", GBAntenne);
    CBWinkeldaempfung->setObjectName("CBWinkeldaempfung");
    connect(CBWinkeldaempfung, &QCheckBox::clicked, this, Guarded(this, &TFormStandort::CBWinkeldaempfungClick));
    one->addWidget(CBWinkeldaempfung);
    auto *groupRow = new QHBoxLayout;
    groupRow->addWidget(new QLabel("Gruppe (gleichzeitig sendend):", GBAntenne));
    EditGruppe = new QLineEdit(GBAntenne);
    EditGruppe->setObjectName("EditGruppe");
    connect(EditGruppe, &QLineEdit::editingFinished, this, Guarded(this, &TFormStandort::EditGruppeExit));
    groupRow->addWidget(EditGruppe);
    one->addLayout(groupRow);
    antLayout->addWidget(GBAntenne);
    col->addWidget(antBox);

    auto *backBox = new QGroupBox("Hintergrund", panel);
    auto *backLayout = new QVBoxLayout(backBox);
    LabelHintergrund = new QLabel(backBox);
    LabelHintergrund->setObjectName("LabelHintergrund");
    LabelHintergrund->setWordWrap(true);
    backLayout->addWidget(LabelHintergrund);
    auto *pageRow = new QHBoxLayout;
    pageRow->addWidget(new QLabel("Seite des PDF:", backBox));
    SpinSeite = new QSpinBox(backBox);
    SpinSeite->setObjectName("SpinSeite");
    SpinSeite->setRange(1, 1);
    connect(SpinSeite, &QSpinBox::valueChanged, this, [this] {
        if (!filling_)
            RunGuarded([&] { SpinSeiteChange(); });
    });
    pageRow->addWidget(SpinSeite);
    pageRow->addStretch();
    backLayout->addLayout(pageRow);
    col->addWidget(backBox);
    col->addStretch();

    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setSizes({900, 420});
    statusBar()->setObjectName("Statuszeile");
}

bool TFormStandort::modified() const
{
    return undo_ && !undo_->isClean();
}

const QImage &TFormStandort::planImage() const
{
    return Plan->image;
}

const QImage &TFormStandort::cutImage(int axis) const
{
    return Cut[axis]->image;
}

bool TFormStandort::cutsShown() const
{
    return TabAnsichten->isTabVisible(1);
}

std::string TFormStandort::folder() const
{
    return fileName_.isEmpty()
               ? (input_.startFolder.isEmpty() ? std::string()
                                               : QDir(input_.startFolder).absolutePath().toStdString() + "/")
               : folderOf(fileName_);
}

QString TFormStandort::siteLabel() const
{
    return fileName_.isEmpty() ? QString("Neuer Standort") : QFileInfo(fileName_).fileName();
}

void TFormStandort::updateTitle()
{
    setWindowTitle("Standort – " + siteLabel() + "[*]");
    setWindowModified(modified());
}

void TFormStandort::showFault(const QString &text)
{
    Dialogs().message(MessageKind::Warning, text);
}

// Changes

void TFormStandort::change(const QString &text, const Site &after)
{
    undo_->push(new SiteEditCommand(this, text, site_, after, false));
}

void TFormStandort::apply(const Site &site)
{
    site_ = site;
    if (selectedAntenna_ >= int(site_.antennas.size()))
        selectedAntenna_ = int(site_.antennas.size()) - 1;
    if (selectedAntenna_ < 0 && !site_.antennas.empty())
        selectedAntenna_ = 0;
    if (selectedPoint_) {
        const PointRef &r = *selectedPoint_;
        const size_t n = r.antenna < 0                            ? site_.area.size()
                         : r.antenna < int(site_.antennas.size()) ? site_.antennas[r.antenna].points.size()
                                                                  : 0;
        if (size_t(r.index) >= n)
            selectedPoint_.reset();
    }
    recalculate();
    refreshBackground();
    refreshScripts();
    fillPanels();
    if (!loaded_ && (tool_ == Tool::ScalePoints || tool_ == Tool::Origin))
        setTool(Tool::Select); // the picture to click on is gone
    redraw();
    updateTitle();
}

void TFormStandort::recalculate()
{
    calculationError_.clear();
    QElapsedTimer timer;
    timer.start();
    const auto took = qScopeGuard([&] { lastCalculationMs_ = double(timer.elapsed()); });
    try {
        result_ = CalculateSite(site_, "", input_.base, siteLabel().toStdString());
        return;
    } catch (const SiteError &e) {
        calculationError_ = qs(e.what());
    } catch (const std::exception &e) {
        calculationError_ = qs(e.what());
    }
    // The plan still shows the area and the points; the zones wait for a site that computes.
    result_ = SiteResult{};
    result_.site = site_;
}

std::optional<SiteBackground> TFormStandort::background() const
{
    try {
        return SiteBackgroundOf(site_, siteLabel().toStdString());
    } catch (const SiteError &) {
        return std::nullopt;
    }
}

void TFormStandort::refreshBackground()
{
    placed_.reset();
    std::optional<SiteBackground> b;
    QString sectionFault;
    try {
        b = SiteBackgroundOf(site_, siteLabel().toStdString());
    } catch (const SiteError &e) {
        sectionFault = qs(e.what());
    }
    if (!b) {
        loaded_.reset();
        loadedFile_.clear();
        backgroundFault_ = sectionFault;
        return;
    }
    if (qs(b->file) != loadedFile_ || b->page != loadedPage_) {
        loadedFile_ = qs(b->file);
        loadedPage_ = b->page;
        loaded_.reset();
        backgroundFault_.clear();
        try {
            loaded_ = LoadBackgroundPicture(loadedFile_, b->page);
        } catch (const FileError &e) {
            backgroundFault_ = qs(e.what()) + " Der Plan wird ohne Hintergrund gezeigt.";
            Dialogs().message(MessageKind::Error, backgroundFault_);
        }
    }
    if (loaded_)
        placed_ = PlaceBackground(*loaded_, *b);
}

void TFormStandort::refreshScripts()
{
    for (int k = 0; k < 2; ++k) {
        const std::string &file = scriptOf(site_, k);
        if (file == scriptFile_[k])
            continue;
        scriptFile_[k] = file;
        script_[k].clear();
        scriptFault_[k].clear();
        if (file.empty())
            continue;
        try {
            script_[k] = ReadCadScript(qs(file));
        } catch (const FileError &e) {
            scriptFault_[k] =
                qs(e.what()) + QString(" Die Ansicht entlang ") + kAxisNames[k] + " wird ohne Zeichnung gezeigt.";
            Dialogs().message(MessageKind::Error, scriptFault_[k]);
        }
    }
}

// Drawing

SitePictureInput TFormStandort::pictureInput() const
{
    SitePictureInput in = SitePictureInputOf(result_);
    in.background = placed_;
    for (int k = 0; k < 2; ++k)
        in.cutScripts[k] = script_[k];
    return in;
}

std::optional<QTransform> TFormStandort::pictureToDevice() const
{
    if (!loaded_ || (tool_ != Tool::ScalePoints && tool_ != Tool::Origin))
        return std::nullopt;
    const QSizeF units = loaded_->units;
    const QSizeF room = QSizeF(Plan->image.size()) - QSizeF(20, 20);
    const double k = std::min(room.width() / units.width(), room.height() / units.height());
    if (!(k > 0))
        return std::nullopt;
    return QTransform::fromScale(k, k)
           * QTransform::fromTranslate((Plan->image.width() - k * units.width()) / 2,
                                       (Plan->image.height() - k * units.height()) / 2);
}

void TFormStandort::redraw()
{
    const QSize size = Plan->size().expandedTo(QSize(1, 1));
    QImage &image = Plan->image;
    image = QImage(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    auto marker = [&](QPointF at, const QColor &color, const QString &label) {
        p.setPen(QPen(color, 2));
        p.drawLine(at - QPointF(8, 0), at + QPointF(8, 0));
        p.drawLine(at - QPointF(0, 8), at + QPointF(0, 8));
        p.drawText(at + QPointF(6, -6), label);
    };

    if (const auto picture = pictureToDevice()) {
        // Calibrating: the picture alone, as large as it fits, with the points chosen so far.
        p.save();
        p.setTransform(QTransform::fromScale(loaded_->unitsPerPixel, loaded_->unitsPerPixel) * *picture);
        p.drawImage(QPointF(0, 0), loaded_->image);
        p.restore();
        const std::optional<SiteBackground> b = background();
        auto at = [&](site::Point u) { return picture->map(QPointF(u.x, u.y)); };
        if (pendingScale_)
            marker(at(*pendingScale_), Qt::blue, "1");
        else if (b && b->calibration == BackgroundCalibration::TwoPoints) {
            p.setPen(QPen(Qt::blue, 1, Qt::DashLine));
            p.drawLine(at(b->scale1), at(b->scale2));
            marker(at(b->scale1), Qt::blue, "1");
            marker(at(b->scale2), Qt::blue, "2");
        }
        if (b && b->origin)
            marker(at(*b->origin), Qt::red, "0");
        drawn_ = SitePictureDrawn{};
        Plan->update();
        return;
    }

    const SitePictureInput in = pictureInput();
    const QRectF target(image.rect());
    if (frozenView_) {
        // While a point is dragged the plan keeps the scale and place it had when it was
        // taken: a view fitted anew at each move would shift the point away from the mouse.
        QImage probe(1, 1, QImage::Format_RGB32);
        QPainter measure(&probe);
        const QTransform fitted = DrawSitePlan(measure, target, in).metresToDevice;
        p.setTransform(fitted.inverted() * *frozenView_);
        drawn_ = DrawSitePlan(p, target, in);
        p.resetTransform();
        drawn_.metresToDevice = *frozenView_;
    } else {
        drawn_ = DrawSitePlan(p, target, in);
    }

    // Grips of what a click can take: the area's corners, the chosen antenna's points.
    const QTransform &t = drawn_.metresToDevice;
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0, 96, 128), 1));
    for (const site::Point &q : site_.area)
        p.drawRect(QRectF(t.map(QPointF(q.x, q.y)) - QPointF(3, 3), QSizeF(6, 6)));
    if (selectedAntenna_ >= 0 && selectedAntenna_ < int(site_.antennas.size())) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        for (const site::Point &q : site_.antennas[selectedAntenna_].points)
            p.drawEllipse(t.map(QPointF(q.x, q.y)), 7, 7);
    }
    if (selectedPoint_) {
        const PointRef &r = *selectedPoint_;
        const site::Point q = r.antenna < 0 ? site_.area[r.index] : site_.antennas[r.antenna].points[r.index];
        p.setBrush(Qt::black);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(t.map(QPointF(q.x, q.y)) - QPointF(4, 4), QSizeF(8, 8)));
    }
    Plan->update();
    redrawCuts();
}

void TFormStandort::planResized()
{
    redraw();
}

void TFormStandort::redrawCuts()
{
    // Only the view on show: dragging a point redraws the plan alone.
    for (int k = 0; k < 2; ++k) {
        if (TabAnsichten->currentIndex() != k + 1)
            continue;
        QImage &image = Cut[k]->image;
        image = QImage(Cut[k]->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        cutDrawn_[k] = DrawSiteCut(p, QRectF(image.rect()), pictureInput(), k == 0 ? SiteAxis::X : SiteAxis::Y);
        QString text = scriptFile_[k].empty() ? QString("Keine Zeichnung.")
                                              : "Zeichnung: " + QFileInfo(qs(scriptFile_[k])).fileName();
        if (cutDrawn_[k].scriptRun && !cutDrawn_[k].script.ok)
            text += " – " + cutDrawn_[k].script.message;
        LabelZeichnung[k]->setText(text);
        LabelZeichnung[k]->setToolTip(qs(scriptFile_[k]));
        Cut[k]->update();
    }
}

// Panels

void TFormStandort::fillPanels()
{
    filling_ = true;
    const std::string values[6] = {site_.callsign,
                                   site_.operatorName,
                                   site_.address,
                                   site_.date,
                                   SiteNumberText(site_.personHeight),
                                   SiteNumberText(site_.north)};
    for (int i = 0; i < 6; ++i)
        if (EditSite[i]->text() != qs(values[i])) // unchanged, the cursor stays where it is
            EditSite[i]->setText(qs(values[i]));
    {
        const QSignalBlocker block(TabBereich);
        TabBereich->setRowCount(int(site_.area.size()));
        for (size_t i = 0; i < site_.area.size(); ++i)
            setRow(TabBereich, int(i), {number(site_.area[i].x), number(site_.area[i].y)});
    }
    ListAntennen->clear();
    for (size_t i = 0; i < site_.antennas.size(); ++i) {
        const SiteAntenna &a = site_.antennas[i];
        ListAntennen->addItem(qs(a.name) + (a.group.empty() ? QString() : "  (Gruppe " + qs(a.group) + ")"));
        QPixmap swatch(12, 12);
        swatch.fill(qColor(AntennaColor(site_, i)));
        ListAntennen->item(int(i))->setIcon(QIcon(swatch));
    }
    ListAntennen->setCurrentRow(selectedAntenna_);
    filling_ = false;
    fillAntennaPanel();

    const std::optional<SiteBackground> b = background();
    QString text;
    if (!b) {
        text = "Kein Hintergrund.";
    } else {
        text = "Datei: " + QFileInfo(qs(b->file)).fileName();
        switch (b->calibration) {
        case BackgroundCalibration::None:
            text += "\nNoch ohne Maßstab: „Maßstab aus zwei Punkten“ wählen.";
            break;
        case BackgroundCalibration::TwoPoints:
            text += "\nMaßstab aus zwei Punkten im Abstand von " + number(b->scaleLength) + " m.";
            break;
        case BackgroundCalibration::WorldFile:
            text += "\nMaßstab aus der Weltdatei (" + qs(FormatValue("%1.4f", std::hypot(b->world.a, b->world.d)))
                    + " m je Bildpunkt).";
            break;
        }
        text += b->origin ? QString("\nUrsprung gesetzt.") : QString("\nUrsprung: Bildmitte (noch nicht gesetzt).");
    }
    LabelHintergrund->setText(text);
    filling_ = true;
    SpinSeite->setRange(1, loaded_ ? std::max(1, loaded_->pageCount) : 1);
    SpinSeite->setValue(b ? b->page : 1);
    SpinSeite->setEnabled(b && ImageExtension(qs(b->file)) == ".pdf");
    filling_ = false;
    for (Tool t : {Tool::ScalePoints, Tool::Origin})
        ToolActions[int(t)]->setEnabled(loaded_.has_value());

    QStringList faults;
    if (!calculationError_.isEmpty())
        faults << calculationError_;
    if (!backgroundFault_.isEmpty())
        faults << backgroundFault_;
    for (const QString &fault : scriptFault_)
        if (!fault.isEmpty())
            faults << fault;
    LabelMeldung->setText(faults.join("\n"));
    LabelMeldung->setVisible(!faults.isEmpty());
    showColor(ButBereichFarbe, qColor(site_.areaColor));
    // The side views when a zone leaves the area in the top view.
    const bool cuts = calculationError_.isEmpty() && SiteNeedsCuts(result_);
    if (!cuts && TabAnsichten->currentIndex() > 0)
        TabAnsichten->setCurrentIndex(0);
    TabAnsichten->setTabVisible(1, cuts);
    TabAnsichten->setTabVisible(2, cuts);
    fillResults();
}

void TFormStandort::fillAntennaPanel()
{
    const bool chosen = selectedAntenna_ >= 0 && selectedAntenna_ < int(site_.antennas.size());
    GBAntenne->setEnabled(chosen);
    const QSignalBlocker b1(TabPunkte), b2(TabBaender);
    if (!chosen) {
        LabelKonfiguration->setText("Keine Antenne gewählt.");
        TabPunkte->setRowCount(0);
        TabBaender->setRowCount(0);
        CBWinkeldaempfung->setChecked(false);
        EditGruppe->clear();
        return;
    }
    const SiteAntenna &a = site_.antennas[selectedAntenna_];
    LabelKonfiguration->setText("Konfiguration: " + QFileInfo(qs(a.configuration)).fileName());
    LabelKonfiguration->setToolTip(qs(a.configuration));
    showColor(ButAntenneFarbe, qColor(AntennaColor(site_, size_t(selectedAntenna_))));
    TabPunkte->setRowCount(int(a.points.size()));
    for (size_t i = 0; i < a.points.size(); ++i)
        setRow(TabPunkte, int(i), {number(a.points[i].x), number(a.points[i].y)});
    const std::vector<SiteBand> bands = a.bands.value_or(std::vector<SiteBand>{});
    TabBaender->setRowCount(int(bands.size()));
    for (size_t i = 0; i < bands.size(); ++i)
        setRow(TabBaender, int(i), {qs(BandName(bands[i].band)), number(bands[i].pep)});
    CBWinkeldaempfung->setChecked(a.angleDamping);
    if (EditGruppe->text() != qs(a.group))
        EditGruppe->setText(qs(a.group));
}

void TFormStandort::fillResults()
{
    const std::vector<std::string> lines = SiteReportLines(result_, siteLabel().toStdString());
    // The report's sections: site, antennas, groups, notification; each a heading and rows.
    std::vector<std::vector<std::string>> antennas, groups, notices;
    std::vector<std::vector<std::string>> *section = nullptr;
    for (const std::string &line : lines) {
        const std::vector<std::string> f = fieldsOf(line);
        if (f.empty())
            continue;
        if (f[0] == "Antenne" && f.size() > 1 && f[1] == "Konfiguration")
            section = &antennas;
        else if (f[0] == "Gruppe" && f.size() > 1 && f[1] == "Antennen")
            section = &groups;
        else if (f[0] == "Anzeige")
            section = &notices;
        else if (section)
            section->push_back(f);
        if (section && section->empty() && (f[0] == "Antenne" || f[0] == "Gruppe" || f[0] == "Anzeige"))
            section->push_back(f); // the heading first
    }
    const QStringList heading = {"Antenne",
                                 "Katalogantenne",
                                 "Höhe",
                                 "Band",
                                 "Sicherheits-\nabstand",
                                 "Radius\nDraufsicht",
                                 "Radius in\nAufenthaltshöhe",
                                 "Abstand\nzur Grenze",
                                 "Abstand zur Grenze\nin Aufenthaltshöhe",
                                 "Ergebnis"};
    TabErgebnis->setColumnCount(int(heading.size()));
    TabErgebnis->setHorizontalHeaderLabels(heading);
    TabErgebnis->setRowCount(antennas.empty() ? 0 : int(antennas.size()) - 1);
    for (size_t r = 1; r < antennas.size(); ++r) {
        QStringList cells;
        for (size_t c = 0; c < antennas[r].size(); ++c)
            if (c != 1) // the configuration's path is in the panel
                cells << qs(antennas[r][c]);
        setRow(TabErgebnis, int(r) - 1, cells, false);
    }
    TabErgebnis->resizeColumnsToContents();

    QStringList text;
    for (size_t r = 1; r < groups.size(); ++r) {
        const auto &g = groups[r];
        if (g.size() >= 7)
            text << "Gruppe " + qs(g[0]) + " (" + qs(g[1]) + "): größte Summe außerhalb " + qs(g[2])
                        + ", in Aufenthaltshöhe " + qs(g[4]) + " – " + qs(g[6]);
    }
    for (size_t r = 1; r < notices.size(); ++r) {
        const auto &n = notices[r];
        if (n.size() >= 5)
            text << qs(n[0]) + ": größte EIRP " + qs(n[1])
                        + (n[3].empty() ? QString() : " (" + qs(n[2]) + ", " + qs(n[3]) + ")")
                        + ", Anzeige erforderlich: " + qs(n[4]);
    }
    LabelGruppen->setText(text.join("\n"));
}

void TFormStandort::setTool(Tool tool)
{
    tool_ = tool;
    ToolActions[int(tool)]->setChecked(true);
    pendingScale_.reset();
    static const char *const hints[5] = {"Punkte anklicken und ziehen; Entf löscht den gewählten Punkt.",
                                         "Ein Klick setzt einen Punkt des kontrollierbaren Bereichs.",
                                         "Ein Klick setzt einen weiteren Punkt der gewählten Antenne (ein Draht).",
                                         "Zwei Punkte des Bildes anklicken, deren Abstand bekannt ist.",
                                         "Den Punkt des Bildes anklicken, der der Ursprung (0 0) des Plans ist."};
    LabelHinweis->setText(QString::fromUtf8(hints[int(tool)]));
    redraw();
}

// The plan's mouse

site::Point TFormStandort::toMetres(QPointF device) const
{
    const QPointF m = drawn_.metresToDevice.inverted().map(device);
    return {centimetres(m.x()), centimetres(m.y())};
}

std::optional<TFormStandort::PointRef> TFormStandort::pointNear(QPointF device) const
{
    std::optional<PointRef> best;
    double bestDistance = kGrip;
    auto consider = [&](const site::Point &q, int antenna, int index) {
        const QPointF d = drawn_.metresToDevice.map(QPointF(q.x, q.y)) - device;
        const double distance = std::hypot(d.x(), d.y());
        if (distance <= bestDistance)
            bestDistance = distance, best = PointRef{antenna, index};
    };
    for (size_t i = 0; i < site_.area.size(); ++i)
        consider(site_.area[i], -1, int(i));
    for (size_t a = 0; a < site_.antennas.size(); ++a)
        for (size_t i = 0; i < site_.antennas[a].points.size(); ++i)
            consider(site_.antennas[a].points[i], int(a), int(i));
    return best;
}

void TFormStandort::planPressed(QPointF device)
{
    if (const auto picture = pictureToDevice()) {
        std::optional<SiteBackground> b = background();
        if (!b)
            return;
        const QPointF u = picture->inverted().map(device);
        const site::Point unit{std::round(u.x() * 10) / 10, std::round(u.y() * 10) / 10};
        if (unit.x < 0 || unit.y < 0 || unit.x > loaded_->units.width() || unit.y > loaded_->units.height())
            return; // beside the picture
        if (tool_ == Tool::Origin) {
            b->origin = unit;
            Site after = site_;
            SetSiteBackground(after, b);
            change("Ursprung des Hintergrunds", after);
            setTool(Tool::Select);
            return;
        }
        if (!pendingScale_) {
            pendingScale_ = unit;
            LabelHinweis->setText("Den zweiten Punkt des Maßstabs anklicken.");
            redraw();
            return;
        }
        const site::Point first = *pendingScale_;
        pendingScale_.reset();
        if (first == unit) {
            showFault("Die beiden Punkte des Maßstabs fallen zusammen.");
            redraw();
            return;
        }
        const std::optional<QString> answer =
            Dialogs().inputText("Länge", "Abstand der beiden Punkte in Metern:", QString());
        if (!answer) {
            redraw();
            return;
        }
        const auto length = TryTolerantToFloat(answer->trimmed().toStdString());
        if (!length || !kScaleLength.contains(*length)) {
            showFault(qs(kScaleLength.refusal("Die Länge")));
            redraw();
            return;
        }
        b->calibration = BackgroundCalibration::TwoPoints;
        b->scale1 = first;
        b->scale2 = unit;
        b->scaleLength = *length;
        Site after = site_;
        SetSiteBackground(after, b);
        change("Maßstab des Hintergrunds", after);
        setTool(b->origin ? Tool::Select : Tool::Origin);
        return;
    }
    if (tool_ == Tool::ScalePoints || tool_ == Tool::Origin)
        return;
    if (!drawn_.planDevice.contains(device))
        return; // the legend beside the plan

    const site::Point m = toMetres(device);
    if (tool_ == Tool::Select) {
        selectedPoint_ = pointNear(device);
        if (selectedPoint_ && selectedPoint_->antenna >= 0 && selectedPoint_->antenna != selectedAntenna_) {
            selectedAntenna_ = selectedPoint_->antenna;
            filling_ = true;
            ListAntennen->setCurrentRow(selectedAntenna_);
            filling_ = false;
            fillAntennaPanel();
        }
        if (selectedPoint_) {
            dragStart_ = site_;
            dragged_ = selectedPoint_;
            frozenView_ = drawn_.metresToDevice;
        }
        redraw();
        return;
    }
    if (!kCoordinate.contains(m.x) || !kCoordinate.contains(m.y))
        return;
    Site after = site_;
    if (tool_ == Tool::AreaPoint) {
        const size_t at = insertPosition(after.area, m);
        after.area.insert(after.area.begin() + long(at), m);
        selectedPoint_ = PointRef{-1, int(at)};
        change("Punkt des Bereichs gesetzt", after);
        return;
    }
    if (selectedAntenna_ < 0) {
        Dialogs().message(MessageKind::Information, "Bitte zuerst eine Antenne in der Liste wählen.");
        return;
    }
    auto &points = after.antennas[selectedAntenna_].points;
    points.push_back(m);
    selectedPoint_ = PointRef{selectedAntenna_, int(points.size()) - 1};
    change("Punkt der Antenne " + qs(after.antennas[selectedAntenna_].name) + " gesetzt", after);
}

void TFormStandort::planMoved(QPointF device, bool buttonDown)
{
    if (pictureToDevice())
        return;
    const site::Point m = toMetres(device);
    statusBar()->showMessage("x = " + qs(FormatValue("%1.2f", m.x)) + " m   y = " + qs(FormatValue("%1.2f", m.y))
                             + " m");
    if (!buttonDown || !dragged_ || !kCoordinate.contains(m.x) || !kCoordinate.contains(m.y))
        return;
    Site s = site_;
    site::Point &p =
        dragged_->antenna < 0 ? s.area[dragged_->index] : s.antennas[dragged_->antenna].points[dragged_->index];
    if (p == m)
        return;
    // Zones and margins follow the point while it moves; one undo step when it is let go.
    p = m;
    site_ = s;
    // A site that takes longer than a frame follows the mouse with its zones as they were and
    // is worked out when the point is let go.
    if (lastCalculationMs_ < kLiveCalculationMs) {
        recalculate();
    } else {
        result_.site = site_;
        stale_ = true;
    }
    fillPanels();
    redraw();
}

void TFormStandort::planReleased()
{
    const bool frozen = frozenView_.has_value();
    frozenView_.reset();
    if (std::exchange(stale_, false)) {
        recalculate();
        fillPanels();
        redraw();
    } else if (frozen) {
        redraw();
    }
    if (dragStart_ && dragged_) {
        const Site start = *dragStart_;
        const PointRef r = *dragged_;
        const auto pointOf = [&](const Site &s) {
            return r.antenna < 0 ? s.area[r.index] : s.antennas[r.antenna].points[r.index];
        };
        if (!(pointOf(start) == pointOf(site_))) {
            const QString what = r.antenna < 0 ? QString("Punkt des Bereichs verschoben")
                                               : "Antenne " + qs(site_.antennas[r.antenna].name) + " verschoben";
            undo_->push(new SiteEditCommand(this, what, start, site_, true));
        }
    }
    dragStart_.reset();
    dragged_.reset();
}

// Menu and buttons

void TFormStandort::newSite()
{
    Site s;
    s.date = TodayGermanDate();
    fileName_.clear();
    undo_->clear();
    selectedAntenna_ = -1;
    selectedPoint_.reset();
    apply(s);
    undo_->setClean();
    setTool(Tool::Select);
}

bool TFormStandort::openSite(const QString &path)
{
    Site s;
    try {
        s = ReadSite(path.toStdString());
    } catch (const SiteError &e) {
        Dialogs().message(MessageKind::Error, qs(e.what()));
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const std::string dir = folderOf(absolute);
    mapPaths(s, [&](const std::string &p) { return absoluteIn(dir, p); });
    fileName_ = absolute;
    undo_->clear();
    selectedAntenna_ = s.antennas.empty() ? -1 : 0;
    selectedPoint_.reset();
    apply(s);
    undo_->setClean();
    setTool(Tool::Select);
    if (input_.remember)
        input_.remember(absolute);
    return true;
}

bool TFormStandort::mayLeave()
{
    if (!modified())
        return true;
    const int answer = Dialogs().choose("Der Standort „" + siteLabel()
                                            + "“ wurde geändert.\n"
                                              "Sollen die Änderungen gespeichert werden?",
                                        {"Speichern", "Verwerfen", "Abbrechen"});
    if (answer == 0)
        return fileName_.isEmpty() ? saveAs() : saveTo(fileName_);
    return answer == 1;
}

void TFormStandort::closeEvent(QCloseEvent *event)
{
    bool leave = true;
    RunGuarded([&] { leave = mayLeave(); });
    if (leave)
        event->accept();
    else
        event->ignore();
}

bool TFormStandort::saveTo(const QString &path)
{
    std::string fault = site::PolygonFault(site_.area);
    if (fault.empty() && site_.antennas.empty())
        fault = "Es ist keine Antenne angegeben.";
    if (!fault.empty()) {
        showFault("Der Standort kann so nicht gespeichert werden, er ließe sich nicht wieder öffnen: "
                  "Der kontrollierbare Bereich oder die Antennen fehlen.\n"
                  + qs(fault));
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const std::string dir = folderOf(absolute);
    Site file = site_;
    mapPaths(file, [&](const std::string &p) { return relativeTo(dir, p); });
    try {
        WriteSite(absolute.toStdString(), file);
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, qs(e.what()));
        return false;
    }
    fileName_ = absolute;
    undo_->setClean();
    updateTitle();
    fillResults();
    if (input_.remember)
        input_.remember(absolute);
    return true;
}

bool TFormStandort::saveAs()
{
    const QString proposed =
        !fileName_.isEmpty()
            ? fileName_
            : qs(folder()) + (site_.callsign.empty() ? QString("Standort") : qs(site_.callsign)) + ".standort";
    const QString path =
        Dialogs().saveFileName("Standort speichern unter", proposed, kSiteFilter, "Standorte (*.standort)", "standort");
    return !path.isEmpty() && saveTo(path);
}

void TFormStandort::MINeuClick()
{
    if (mayLeave())
        newSite();
}

void TFormStandort::MIOeffnenClick()
{
    if (!mayLeave())
        return;
    const QString path = Dialogs().openFileName("Standort öffnen", qs(folder()), kSiteFilter);
    if (!path.isEmpty())
        openSite(path);
}

void TFormStandort::MISpeichernClick()
{
    if (fileName_.isEmpty())
        saveAs();
    else
        saveTo(fileName_);
}

void TFormStandort::MISpeichernUnterClick()
{
    saveAs();
}

void TFormStandort::siteFieldExit(int field)
{
    const std::string text = Trim(EditSite[field]->text().toStdString());
    Site after = site_;
    std::string *strings[4] = {&after.callsign, &after.operatorName, &after.address, &after.date};
    if (field < 4) {
        if (*strings[field] == text)
            return;
        *strings[field] = text;
    } else {
        const ValueRange &range = field == 4 ? kPersonHeight : kNorth;
        const char *subject = field == 4 ? "Die Aufenthaltshöhe" : "Die Nordrichtung";
        const auto value = TryTolerantToFloat(text);
        double &target = field == 4 ? after.personHeight : after.north;
        if (!value || !range.contains(*value)) {
            EditSite[field]->setText(qs(SiteNumberText(target)));
            showFault(qs(range.refusal(subject)));
            return;
        }
        if (*value == target) {
            EditSite[field]->setText(qs(SiteNumberText(target)));
            return;
        }
        target = *value;
    }
    static const char *const what[6] = {"Rufzeichen", "Betreiber",       "Anschrift",
                                        "Datum",      "Aufenthaltshöhe", "Nordrichtung"};
    change(QString::fromUtf8(what[field]) + " geändert", after);
}

// A typed coordinate; none (and the refusal shown) for anything else.
static std::optional<double> typedCoordinate(const QTableWidget *table, int row, int column)
{
    const auto v = TryTolerantToFloat(table->item(row, column)->text().trimmed().toStdString());
    if (!v || !kCoordinate.contains(*v)) {
        Dialogs().message(MessageKind::Warning, qs(kCoordinate.refusal(column == 0 ? "x" : "y")));
        return std::nullopt;
    }
    return v;
}

void TFormStandort::areaCellChanged(int row, int column)
{
    const auto v = typedCoordinate(TabBereich, row, column);
    if (!v || size_t(row) >= site_.area.size()) {
        fillPanels();
        return;
    }
    Site after = site_;
    (column == 0 ? after.area[row].x : after.area[row].y) = *v;
    change("Punkt des Bereichs geändert", after);
}

void TFormStandort::pointCellChanged(int row, int column)
{
    const auto v = typedCoordinate(TabPunkte, row, column);
    if (!v || selectedAntenna_ < 0 || size_t(row) >= site_.antennas[selectedAntenna_].points.size()) {
        fillPanels();
        return;
    }
    Site after = site_;
    site::Point &p = after.antennas[selectedAntenna_].points[row];
    (column == 0 ? p.x : p.y) = *v;
    change("Antenne " + qs(after.antennas[selectedAntenna_].name) + " verschoben", after);
}

void TFormStandort::bandCellChanged(int row, int column)
{
    if (selectedAntenna_ < 0)
        return;
    Site after = site_;
    SiteAntenna &a = after.antennas[selectedAntenna_];
    if (!a.bands || size_t(row) >= a.bands->size()) {
        fillPanels();
        return;
    }
    const std::string text = Trim(TabBaender->item(row, column)->text().toStdString());
    SiteBand &band = (*a.bands)[row];
    if (column == 0) {
        const int position = BandListPosition(text);
        const BandIndex index = static_cast<BandIndex>(position + 1);
        std::string refusal;
        if (position < 0)
            refusal = "Ein Band " + quoted(text) + " gibt es nicht.";
        else if (index != band.band
                 && std::any_of(a.bands->begin(), a.bands->end(), [&](const SiteBand &b) { return b.band == index; }))
            refusal = "Das Band " + BandName(index) + " steht schon in der Liste.";
        if (!refusal.empty()) {
            showFault(qs(refusal));
            fillPanels();
            return;
        }
        band.band = index;
    } else {
        const auto pep = TryTolerantToFloat(text);
        if (!pep || !range::kPower.contains(*pep)) {
            showFault(qs(range::kPower.refusal("Die PEP")));
            fillPanels();
            return;
        }
        band.pep = *pep;
    }
    change("Band der Antenne " + qs(a.name) + " geändert", after);
}

void TFormStandort::ButBereichPunktClick()
{
    Site after = site_;
    const site::Point last = after.area.empty() ? site::Point{0, 0} : after.area.back();
    after.area.push_back({last.x + (after.area.empty() ? 0 : 1), last.y});
    change("Punkt des Bereichs angefügt", after);
}

void TFormStandort::ButBereichLoeschenClick()
{
    const int row = TabBereich->currentRow();
    if (row < 0 || size_t(row) >= site_.area.size())
        return;
    Site after = site_;
    after.area.erase(after.area.begin() + row);
    selectedPoint_.reset();
    change("Punkt des Bereichs gelöscht", after);
}

void TFormStandort::MIPunktLoeschenClick()
{
    if (!selectedPoint_)
        return;
    const PointRef r = *selectedPoint_;
    Site after = site_;
    if (r.antenna < 0) {
        after.area.erase(after.area.begin() + r.index);
        selectedPoint_.reset();
        change("Punkt des Bereichs gelöscht", after);
        return;
    }
    auto &points = after.antennas[r.antenna].points;
    if (points.size() < 2) {
        showFault("Eine Antenne braucht mindestens einen Punkt.");
        return;
    }
    points.erase(points.begin() + r.index);
    selectedPoint_.reset();
    change("Punkt der Antenne " + qs(after.antennas[r.antenna].name) + " gelöscht", after);
}

void TFormStandort::ButPunktClick()
{
    if (selectedAntenna_ < 0)
        return;
    Site after = site_;
    auto &points = after.antennas[selectedAntenna_].points;
    points.push_back({points.back().x + 1, points.back().y});
    change("Punkt der Antenne " + qs(after.antennas[selectedAntenna_].name) + " angefügt", after);
}

void TFormStandort::ButPunktLoeschenClick()
{
    const int row = TabPunkte->currentRow();
    if (selectedAntenna_ < 0 || row < 0)
        return;
    selectedPoint_ = PointRef{selectedAntenna_, row};
    MIPunktLoeschenClick();
}

void TFormStandort::ButBandClick()
{
    if (selectedAntenna_ < 0)
        return;
    Site after = site_;
    SiteAntenna &a = after.antennas[selectedAntenna_];
    if (!a.bands) {
        // The bands worked out so far, each at the power it was worked out with, to be edited.
        std::vector<SiteBand> bands;
        if (size_t(selectedAntenna_) < result_.antennas.size())
            for (const StationBand &b : result_.antennas[selectedAntenna_].bands)
                bands.push_back({b.band, b.farFieldInput.power});
        if (bands.empty())
            bands.push_back({15, 100}); // 2m
        a.bands = bands;
    } else {
        BandIndex free = 0;
        for (BandIndex b = 1; b <= 27 && free == 0; ++b)
            if (std::none_of(a.bands->begin(), a.bands->end(), [&](const SiteBand &s) { return s.band == b; }))
                free = b;
        if (free == 0)
            return;
        a.bands->push_back({free, a.bands->empty() ? 100 : a.bands->back().pep});
    }
    change("Band der Antenne " + qs(a.name) + " angefügt", after);
}

void TFormStandort::ButBandLoeschenClick()
{
    const int row = TabBaender->currentRow();
    if (selectedAntenna_ < 0 || row < 0)
        return;
    Site after = site_;
    SiteAntenna &a = after.antennas[selectedAntenna_];
    if (!a.bands || size_t(row) >= a.bands->size())
        return;
    a.bands->erase(a.bands->begin() + row);
    if (a.bands->empty())
        a.bands.reset(); // every band of the configuration again
    change("Band der Antenne " + qs(a.name) + " gelöscht", after);
}

void TFormStandort::CBWinkeldaempfungClick()
{
    if (selectedAntenna_ < 0)
        return;
    Site after = site_;
    after.antennas[selectedAntenna_].angleDamping = CBWinkeldaempfung->isChecked();
    change("Winkeldämpfung der Antenne " + qs(after.antennas[selectedAntenna_].name), after);
}

void TFormStandort::EditGruppeExit()
{
    if (selectedAntenna_ < 0)
        return;
    const std::string group = Trim(EditGruppe->text().toStdString());
    if (group == site_.antennas[selectedAntenna_].group)
        return;
    Site after = site_;
    after.antennas[selectedAntenna_].group = group;
    change("Gruppe der Antenne " + qs(after.antennas[selectedAntenna_].name), after);
}

std::optional<QString> TFormStandort::chooseConfiguration()
{
    const QString path = Dialogs().openFileName("Konfiguration wählen", qs(folder()), kConfigFilter);
    if (path.isEmpty())
        return std::nullopt;
    // Checked as "&Öffnen" checks it, before the site takes it.
    const ConfigOpenResult opened = OpenStationConfig(path.toStdString());
    if (!opened.ok()) {
        Dialogs().message(opened.kind, qs(opened.message));
        return std::nullopt;
    }
    return QFileInfo(path).absoluteFilePath();
}

void TFormStandort::addAntenna(const std::string &configuration)
{
    Site after = site_;
    SiteAntenna a;
    for (char c = 'A'; c <= 'Z' && a.name.empty(); ++c)
        if (std::none_of(after.antennas.begin(), after.antennas.end(),
                         [&](const SiteAntenna &o) { return EqualsIgnoreCase(o.name, std::string(1, c)); }))
            a.name = std::string(1, c);
    for (int n = 27; a.name.empty(); ++n)
        if (std::none_of(after.antennas.begin(), after.antennas.end(),
                         [&](const SiteAntenna &o) { return o.name == std::to_string(n); }))
            a.name = std::to_string(n);
    a.configuration = configuration;
    // In the middle of the area, to be moved from there.
    site::Point centre{0, 0};
    if (!after.area.empty()) {
        double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
        for (const site::Point &p : after.area)
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        centre = {centimetres((x0 + x1) / 2), centimetres((y0 + y1) / 2)};
    }
    a.points = {centre};
    const QString name = qs(a.name);
    after.antennas.push_back(std::move(a));
    selectedAntenna_ = int(after.antennas.size()) - 1;
    selectedPoint_ = PointRef{selectedAntenna_, 0};
    change("Antenne " + name + " hinzugefügt", after);
}

void TFormStandort::ButAntenneNeuClick()
{
    if (const auto path = chooseConfiguration())
        addAntenna(path->toStdString());
}

void TFormStandort::ButKonfigurationClick()
{
    if (selectedAntenna_ < 0)
        return;
    const auto path = chooseConfiguration();
    if (!path)
        return;
    Site after = site_;
    after.antennas[selectedAntenna_].configuration = path->toStdString();
    change("Konfiguration der Antenne " + qs(after.antennas[selectedAntenna_].name), after);
}

void TFormStandort::ButKonfigUebernehmenClick()
{
    if (!input_.currentStation)
        return;
    if (fileName_.isEmpty()) {
        Dialogs().message(MessageKind::Information, "Die Konfiguration wird neben der Standortdatei gespeichert: "
                                                    "Bitte den Standort zuerst speichern.");
        return;
    }
    const StationModel station = input_.currentStation();
    QString proposed = qs(folder()) + "Konfiguration " + qs(station.fileTag()) + ".txt";
    for (int n = 2; QFileInfo::exists(proposed); ++n)
        proposed = qs(folder()) + "Konfiguration " + qs(station.fileTag()) + " (" + QString::number(n) + ").txt";
    const QString path =
        Dialogs().saveFileName("Konfiguration speichern", proposed, kConfigFilter, "Konfigurationen (*.txt)", "txt");
    if (path.isEmpty())
        return;
    try {
        if (!SaveStationConfig(path.toStdString(), station.currentConfig(), station.matchingLine()))
            return; // refused with its warning
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, qs(e.what()));
        return;
    }
    addAntenna(QFileInfo(path).absoluteFilePath().toStdString());
}

void TFormStandort::ButAntenneEntfernenClick()
{
    if (selectedAntenna_ < 0)
        return;
    Site after = site_;
    const QString name = qs(after.antennas[selectedAntenna_].name);
    after.antennas.erase(after.antennas.begin() + selectedAntenna_);
    selectedPoint_.reset();
    change("Antenne " + name + " entfernt", after);
}

void TFormStandort::ButAntenneUmbenennenClick()
{
    if (selectedAntenna_ < 0)
        return;
    const std::string old = site_.antennas[selectedAntenna_].name;
    const auto answer = Dialogs().inputText("Antenne umbenennen", "Neuer Name der Antenne:", qs(old));
    if (!answer)
        return;
    const std::string name = Trim(answer->toStdString());
    std::string refusal;
    if (name.empty())
        refusal = "Die Antenne braucht einen Namen.";
    else if (name.find_first_of("[]\r\n") != std::string::npos)
        refusal = "Der Name darf weder „[“ noch „]“ enthalten.";
    else
        for (size_t i = 0; i < site_.antennas.size(); ++i)
            if (int(i) != selectedAntenna_ && EqualsIgnoreCase(site_.antennas[i].name, name))
                refusal = "Eine Antenne " + quoted(name) + " gibt es schon.";
    if (!refusal.empty()) {
        showFault(qs(refusal));
        return;
    }
    if (name == old)
        return;
    Site after = site_;
    after.antennas[selectedAntenna_].name = name;
    change("Antenne " + qs(old) + " umbenannt", after);
}

// Background

void TFormStandort::MIHintergrundClick()
{
    const QString path = Dialogs().openFileName("Hintergrund laden", qs(folder()),
                                                "Hintergründe (*.png *.jpg *.bmp *.svg *.pdf);;Alle Dateien (*)");
    if (path.isEmpty())
        return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    LoadedBackground picture;
    try {
        picture = LoadBackgroundPicture(absolute, 1);
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, qs(e.what()));
        return;
    }
    SiteBackground b;
    b.file = absolute.toStdString();
    try {
        if (const auto world = FindWorldFile(b.file)) {
            b.calibration = BackgroundCalibration::WorldFile;
            b.world = world->numbers;
        }
    } catch (const SiteError &e) {
        showFault(qs(e.what()) + "\nDer Maßstab wird aus zwei Punkten bestimmt.");
    }
    // Read once: the cache takes the picture just checked.
    loadedFile_ = absolute;
    loadedPage_ = 1;
    loaded_ = std::move(picture);
    Site after = site_;
    SetSiteBackground(after, b);
    change("Hintergrund geladen", after);
    setTool(b.calibration == BackgroundCalibration::WorldFile ? Tool::Origin : Tool::ScalePoints);
}

void TFormStandort::MIHintergrundEntfernenClick()
{
    if (std::none_of(site_.extraSections.begin(), site_.extraSections.end(),
                     [](const SiteExtraSection &s) { return EqualsIgnoreCase(s.name, kBackgroundSection); }))
        return;
    Site after = site_;
    SetSiteBackground(after, std::nullopt);
    change("Hintergrund entfernt", after);
    setTool(Tool::Select);
}

void TFormStandort::SpinSeiteChange()
{
    std::optional<SiteBackground> b = background();
    if (!b || b->page == SpinSeite->value())
        return;
    b->page = SpinSeite->value();
    Site after = site_;
    SetSiteBackground(after, b);
    change("Seite des Hintergrunds", after);
}

// Colours

void TFormStandort::ButAntenneFarbeClick()
{
    if (selectedAntenna_ < 0)
        return;
    const SiteColor old = AntennaColor(site_, size_t(selectedAntenna_));
    const std::optional<QColor> chosen = Dialogs().chooseColor(qColor(old));
    if (!chosen || !chosen->isValid())
        return;
    const SiteColor color{chosen->red(), chosen->green(), chosen->blue()};
    if (color == old)
        return;
    Site after = site_;
    after.antennas[selectedAntenna_].color = color;
    change("Farbe der Antenne " + qs(after.antennas[selectedAntenna_].name), after);
}

void TFormStandort::ButBereichFarbeClick()
{
    const std::optional<QColor> chosen = Dialogs().chooseColor(qColor(site_.areaColor));
    if (!chosen || !chosen->isValid())
        return;
    const SiteColor color{chosen->red(), chosen->green(), chosen->blue()};
    if (color == site_.areaColor)
        return;
    Site after = site_;
    after.areaColor = color;
    change("Farbe des Bereichs", after);
}

// The side views' drawing scripts

void TFormStandort::chooseScript(int axis)
{
    const QString path = Dialogs().openFileName(QString("Zeichnung für die Ansicht entlang ") + kAxisNames[axis],
                                                qs(folder()), kScriptFilter);
    if (path.isEmpty())
        return;
    const std::string absolute = QFileInfo(path).absoluteFilePath().toStdString();
    QStringList lines;
    try {
        lines = ReadCadScript(qs(absolute));
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, qs(e.what()));
        return;
    }
    if (absolute == scriptOf(site_, axis))
        return;
    // Read once: the cache takes the script just checked.
    scriptFile_[axis] = absolute;
    script_[axis] = lines;
    scriptFault_[axis].clear();
    Site after = site_;
    scriptOf(after, axis) = absolute;
    change(QString("Zeichnung der Ansicht entlang ") + kAxisNames[axis], after);
}

void TFormStandort::removeScript(int axis)
{
    if (scriptOf(site_, axis).empty())
        return;
    Site after = site_;
    scriptOf(after, axis).clear();
    change(QString("Zeichnung der Ansicht entlang ") + kAxisNames[axis] + " entfernt", after);
}

// Export

bool TFormStandort::mayExport()
{
    if (calculationError_.isEmpty() && !result_.antennas.empty())
        return true;
    QString text = "Der Lageplan lässt sich erst ausgeben, wenn der Standort berechnet ist.";
    if (!calculationError_.isEmpty())
        text += "\n" + calculationError_;
    else
        text += " Es ist keine Antenne angegeben.";
    showFault(text);
    return false;
}

void TFormStandort::exportPlan(ExportKind kind)
{
    if (!mayExport())
        return;
    // The scale: the offered ones, preset to the most detailed at which the plan fits A4.
    const int fitting = DefaultSiteScale(result_);
    std::vector<int> scales(std::begin(kSiteScales), std::end(kSiteScales));
    if (std::find(scales.begin(), scales.end(), fitting) == scales.end())
        scales.push_back(fitting);
    QStringList items;
    for (int scale : scales)
        items << "1:" + QString::number(scale);
    const int preset = int(std::find(scales.begin(), scales.end(), fitting) - scales.begin());
    const std::optional<int> chosen = Dialogs().chooseItem(
        "Maßstab", "Maßstab des Lageplans (auf A4 quer passt er ab 1:" + QString::number(fitting) + "):", items,
        preset);
    if (!chosen || *chosen < 0 || *chosen >= int(scales.size()))
        return;
    const int scale = scales[size_t(*chosen)];

    static const char *const suffixes[3] = {"pdf", "svg", "png"};
    static const char *const filters[3] = {"PDF-Dateien (*.pdf)", "SVG-Dateien (*.svg)", "PNG-Bilder (*.png)"};
    const int k = int(kind);
    const QString base = fileName_.isEmpty() ? (site_.callsign.empty() ? QString("Standort") : qs(site_.callsign))
                                             : QFileInfo(fileName_).completeBaseName();
    const QString proposed = qs(folder()) + base + " Lageplan." + suffixes[k];
    const QString path =
        Dialogs().saveFileName(QString("Lageplan als ") + QString(suffixes[k]).toUpper() + " speichern", proposed,
                               QString(filters[k]) + ";;Alle Dateien (*)", filters[k], suffixes[k]);
    if (path.isEmpty())
        return;
    const SitePictureInput in = pictureInput();
    // A PDF takes the side views on its second page; SVG and PNG hold one sheet, the side views
    // go into a second file beside it.
    const bool cuts = SiteNeedsCuts(result_);
    const QFileInfo info(path);
    const QString cutsPath = info.path() + "/" + info.completeBaseName() + " Ansichten." + info.suffix();
    try {
        switch (kind) {
        case ExportKind::Pdf:
            WriteSitePdf(path, in, scale);
            break;
        case ExportKind::Svg:
            WriteSiteSvg(path, in, scale, SiteSheet::Plan);
            if (cuts)
                WriteSiteSvg(cutsPath, in, scale, SiteSheet::Cuts);
            break;
        case ExportKind::Png:
            SavePngFile(SiteSheetImage(in, scale, SiteSheet::Plan), path);
            if (cuts)
                SavePngFile(SiteSheetImage(in, scale, SiteSheet::Cuts), cutsPath);
            break;
        }
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, qs(e.what()));
        return;
    }
    QString done = "Lageplan im Maßstab 1:" + QString::number(scale) + " gespeichert: " + info.fileName();
    if (cuts && kind != ExportKind::Pdf)
        done += ", Seitenansichten: " + QFileInfo(cutsPath).fileName();
    statusBar()->showMessage(done);
}

void TFormStandort::MIExportPdfClick()
{
    exportPlan(ExportKind::Pdf);
}
void TFormStandort::MIUnterlagenClick()
{
    if (!mayExport() || !input_.writeDocuments)
        return;
    const QString base = fileName_.isEmpty() ? (site_.callsign.empty() ? QString("Standort") : qs(site_.callsign))
                                             : QFileInfo(fileName_).completeBaseName();
    const QString filter = "PDF-Dateien (*.pdf)";
    const QString path = Dialogs().saveFileName("Unterlagen als PDF speichern", qs(folder()) + base + " Unterlagen.pdf",
                                                filter + ";;Alle Dateien (*)", filter, "pdf");
    if (path.isEmpty())
        return;
    try {
        input_.writeDocuments(path, pictureInput(), AllAngleTables && AllAngleTables->isChecked());
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, qs(e.what()));
        return;
    }
    statusBar()->showMessage("Unterlagen gespeichert: " + QFileInfo(path).fileName());
}
void TFormStandort::MITabelleKopierenClick()
{
    if (!mayExport())
        return;
    QString text;
    for (const std::string &line : SiteTableLines(SiteConfigurationTable(result_), '\t'))
        text += qs(line) + "\n";
    Dialogs().setClipboardText(text);
    statusBar()->showMessage("Konfigurationstabelle in die Zwischenablage kopiert.");
}

void TFormStandort::MITabelleSpeichernClick()
{
    if (!mayExport())
        return;
    const QString base = fileName_.isEmpty() ? (site_.callsign.empty() ? QString("Standort") : qs(site_.callsign))
                                             : QFileInfo(fileName_).completeBaseName();
    const QString path = Dialogs().saveFileName("Konfigurationstabelle speichern",
                                                qs(folder()) + base + " Konfigurationstabelle.txt",
                                                "Alle Dateien (*);;TextDateien (*.txt)", "TextDateien (*.txt)", "txt");
    if (path.isEmpty())
        return;
    try {
        WriteSiteTable(path.toStdString(), SiteConfigurationTable(result_));
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, qs(e.what()));
        return;
    }
    statusBar()->showMessage("Konfigurationstabelle gespeichert: " + QFileInfo(path).fileName());
}

void TFormStandort::MIUnterlagenVorschauClick()
{
    if (!mayExport() || !input_.paintDocuments)
        return;
    const SitePictureInput in = pictureInput();
    const bool all = AllAngleTables && AllAngleTables->isChecked();
    Dialogs().printPreview("Unterlagen – Vorschau", [&](QPrinter &printer) { input_.paintDocuments(printer, in, all); });
}
void TFormStandort::MIExportSvgClick()
{
    exportPlan(ExportKind::Svg);
}
void TFormStandort::MIExportPngClick()
{
    exportPlan(ExportKind::Png);
}

void TFormStandort::MIKopierenClick()
{
    if (!mayExport())
        return;
    // The sheet as a picture; at 150 dpi its scale holds when it is pasted at its size.
    const int scale = DefaultSiteScale(result_);
    Dialogs().setClipboardImage(SiteSheetImage(pictureInput(), scale, SiteSheet::Plan, 150));
    statusBar()->showMessage("Lageplan im Maßstab 1:" + QString::number(scale) + " in die Zwischenablage kopiert.");
}
