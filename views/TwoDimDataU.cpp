#include "views/TwoDimDataU.h"
#include "views/HandlerGuard.h"

#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "views/Controls.h"
#include "views/DialogService.h"
#include "views/ImageExport.h"
#include "views/Koordinaten.h"
#include "views/WindowPlacement.h"
#include "views/draw/ImageFiles.h"

#include <QAction>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>
#include <functional>

namespace
{

const QColor kYellow(255, 255, 0);
const QColor kGreen(0, 128, 0);
constexpr double kMaxLength = 100000; // m; a longer scale or distance is no site plan
const char *const kExampleCall = "DL1ABC";

// The drawing surface shown 1:1, so that mouse positions are surface pixels.
class SurfaceView : public QWidget
{
public:
    SurfaceView(QWidget *parent, const QImage &surface) : QWidget(parent), surface_(surface)
    {
        setObjectName("Image");
        setCursor(Qt::CrossCursor);
        setMouseTracking(true);
    }
    std::function<void(QPoint)> moved;
    std::function<void()> clicked;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, surface_); }
    void mouseMoveEvent(QMouseEvent *e) override { moved(e->position().toPoint()); }
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() != Qt::LeftButton)
            return;
        moved(e->position().toPoint());
        clicked();
    }

private:
    const QImage &surface_;
};

// A raised panel or a colour swatch that reacts to a click.
class ClickPanel : public QLabel
{
public:
    ClickPanel(QWidget *parent, const char *name, const QString &caption, QRect geometry, std::function<void()> onClick)
        : QLabel(caption, parent), onClick_(std::move(onClick))
    {
        setObjectName(name);
        setGeometry(geometry);
        setAlignment(Qt::AlignCenter);
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setAutoFillBackground(true);
    }

protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton)
            onClick_();
    }

private:
    std::function<void()> onClick_;
};

void paint(QWidget *w, const QColor &color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, color);
    w->setPalette(pal);
}

QLabel *statusField(QWidget *parent, const char *name, QRect geometry)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAutoFillBackground(true);
    return l;
}

// A typed length in metres; none for anything that is no number above 0 (ignored silently).
std::optional<double> typedLength(const std::optional<QString> &answer)
{
    if (!answer)
        return std::nullopt;
    const std::optional<double> v = TryTolerantToFloat(answer->trimmed().toStdString());
    if (!v || !std::isfinite(*v) || *v <= 0 || *v > kMaxLength)
        return std::nullopt;
    return v;
}

} // namespace

TFormDraufsicht::TFormDraufsicht(const SitePlanStart &start, QWidget *parent)
    : QMainWindow(parent, Qt::Window), pictureDir_(start.pictureDir)
{
    setObjectName("FormDraufsicht");
    ui::KeepOnScreen(this);
    setWindowTitle("Werkzeug zur schnellen Erstellung eines Lageplans für die BEMFV-Anzeige");
    plan_.title = QString(kExampleCall) + ", " + QLocale(QLocale::German).toString(start.today, QLocale::ShortFormat);
    plan_.legend[0] = "Dipol";
    plan_.legend[1] = "Fritzel FB33";
    plan_.legend[2] = "Kontrollierbarer Bereich";

    const int windowWidth = start.screenWidth * 83 / 100;
    createControls(windowWidth);
    createMenus();
    koordinaten_ = new TFormKoordinaten(this);
    move(10, 10);
    NeuZeichnen1Click();
}

void TFormDraufsicht::createControls(int windowWidth)
{
    using ui::FieldKind;
    using ui::makeEdit;
    using ui::makeLabel;
    auto *client = new QWidget(this);
    setCentralWidget(client);

    const int m = 10;
    const int gbWidth = windowWidth - 255;
    const int imageWidth = gbWidth - 2 * m + 1;
    const int imageHeight = static_cast<int>(std::nearbyint(imageWidth / 1.41429)); // A sheet, landscape
    const int gbHeight = imageHeight + 2 * m + 5;
    GBImage = ui::makeGroupBox(client, "GBImage", "Bild", 8, 8, gbWidth, gbHeight);
    surface_ = QImage(imageWidth, imageHeight, QImage::Format_RGB32);
    auto *view = new SurfaceView(GBImage, surface_);
    view->setGeometry(m, m + 5, imageWidth, imageHeight);
    view->moved = [this](QPoint p) { ImageMouseMove(p); };
    view->clicked = [this] { ImageClick(); };
    Image = view;

    const int left = gbWidth + 16;
    const int w = windowWidth - left - 8;
    const int clientHeight = 8 + gbHeight + 8;

    QWidget *cursor = ui::makeGroupBox(client, "GBcursorPosition", "Cursor Position", left, 8, w, 84);
    const int half = w / 2;
    struct Field {
        const char *label, *caption, *name;
        int col, row;
        ui::TEdit **target;
    };
    const Field fields[] = {
        {"LaX", "Pixel X:", "EditX", 0, 0, &EditX},        {"LaY", "Pixel Y:", "EditY", 1, 0, &EditY},
        {"LaValX", "X [m]:", "EditValX", 0, 1, &EditValX}, {"LaValY", "Y [m]:", "EditValY", 1, 1, &EditValY},
        {"LaValR", "R [m]:", "EditValR", 0, 2, &EditValR}, {"LaValD", "Delta [m]:", "EditValD", 1, 2, &EditValD},
    };
    for (const Field &f : fields) {
        const int x = 6 + f.col * half, y = 18 + f.row * 21;
        makeLabel(cursor, f.label, f.caption, x, y, 52, 19);
        *f.target = makeEdit(cursor, f.name, FieldKind::Display, x + 54, y, half - 64, 19);
    }

    QWidget *cal = ui::makeGroupBox(client, "GBCal", "Kalibrierung", left, 96, w, 129);
    const int panelWidth = w - 70;
    new ClickPanel(cal, "PaUrsprung", "Ursprung", QRect(6, 16, panelWidth, 20), [this] { PaUrsprungClick(); });
    new ClickPanel(cal, "PaMassstab", "Massstab", QRect(6, 38, panelWidth, 20), [this] { PaMassstabClick(); });
    new ClickPanel(cal, "PaKontBer", "Kontrollierbarer Bereich", QRect(6, 60, panelWidth, 20),
                   [this] { PaKontBerClick(); });
    PaCUrsprung = statusField(cal, "PaCUrsprung", QRect(panelWidth + 10, 16, 54, 20));
    PaCMassstab = statusField(cal, "PaCMassstab", QRect(panelWidth + 10, 38, 54, 20));
    PaCKontBer = statusField(cal, "PaCKontBer", QRect(panelWidth + 10, 60, 54, 20));
    MCal = new QPlainTextEdit(cal);
    MCal->setObjectName("MCal");
    MCal->setReadOnly(true);
    MCal->setFont(ui::courierFont(8)); // "Terminal": four short lines must fit
    MCal->setLineWrapMode(QPlainTextEdit::NoWrap);
    MCal->setGeometry(6, 81, w - 12, 45);
    MCal->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MCal->document()->setDocumentMargin(1);

    GBAntennen = ui::makeGroupBox(client, "GBAntennen", "Antennen", left, 229, w, 63);
    const char *distanceHint = "Zum nachträglichen Ändern des\r\nSicherheitsabstands klicken!";
    const int third = (w - 16) / 3;
    for (int a = 0; a < 2; ++a) {
        const int y = 16 + a * 22;
        const QString n = QString::number(a + 1);
        new ClickPanel(GBAntennen, a == 0 ? "PaAnt1" : "PaAnt2", "Antenne " + n, QRect(6, y, third, 20),
                       [this, a] { antennaPanelClick(a); });
        PaCAnt[a] = statusField(GBAntennen, a == 0 ? "PaCAnt1" : "PaCAnt2", QRect(8 + third, y, third, 20));
        EditAnt[a] = makeEdit(GBAntennen, a == 0 ? "EditAnt1" : "EditAnt2", FieldKind::Display, 10 + 2 * third, y,
                              third, 20, distanceHint);
        connect(EditAnt[a], &ui::TEdit::clicked, this, [this, a] { RunGuarded([this, a] { editDistanceClick(a); }); });
    }

    GBBeschriftung = ui::makeGroupBox(client, "GBBeschriftung", "Beschriftung", left, 296, w, 113);
    const int textWidth = w - 6 - 46 - 26 - 8;
    ui::TEdit **texts[4] = {&EditCall, &EditLeg[0], &EditLeg[1], &EditLeg[2]};
    const char *names[4] = {"EditCall", "EditLeg1", "EditLeg2", "EditLeg3"};
    const char *buttons[4] = {"ButEditCall", "ButEditLeg1", "ButEditLeg2", "ButEditLeg3"};
    const char *swatches[3] = {"PaAnt1Col", "PaAnt2Col", "PaKontBerCol"};
    const ClickMode modes[4] = {ClickMode::PlaceTitle, ClickMode::PlaceLegend1, ClickMode::PlaceLegend2,
                                ClickMode::PlaceLegend3};
    for (int i = 0; i < 4; ++i) {
        const int y = 16 + i * 23;
        ui::TEdit *e = makeEdit(GBBeschriftung, names[i], FieldKind::Display, 6, y, textWidth, 21);
        e->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        e->setText(i == 0 ? plan_.title : plan_.legend[i - 1]);
        *texts[i] = e;
        const ClickMode mode = modes[i];
        connect(e, &ui::TEdit::clicked, this, [this, mode, e] { RunGuarded([this, mode, e] { placementClick(mode, e); }); });
        auto *but = new QPushButton("Edit", GBBeschriftung);
        but->setObjectName(buttons[i]);
        but->setGeometry(8 + textWidth, y, 46, 21);
        connect(but, &QPushButton::clicked, this, [this, i] { RunGuarded([this, i] { editTextClick(i); }); });
        if (i > 0)
            swatch_[i - 1] = new ClickPanel(GBBeschriftung, swatches[i - 1], QString(), QRect(w - 30, y + 1, 24, 19),
                                            [this, i] { colorClick(i - 1); });
    }

    MD = new QPlainTextEdit(client);
    MD->setObjectName("MD");
    MD->setReadOnly(true);
    MD->setFont(ui::courierFont(11));
    MD->setMaximumBlockCount(2000); // a diagnostic log, not a record
    MD->setGeometry(left, 416, w, std::max(20, clientHeight - 8 - 416));

    client->setFixedSize(windowWidth, std::max(clientHeight, 416 + 28));
}

QAction *TFormDraufsicht::menuAction(QMenu *menu, const char *name, const char *caption,
                                     void (TFormDraufsicht::*handler)())
{
    QAction *action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    if (handler)
        connect(action, &QAction::triggered, this, Guarded(this, handler));
    return action;
}

QAction *TFormDraufsicht::showItem(QMenu *menu, const char *name, const char *caption, bool checked)
{
    QAction *action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(checked);
    connect(action, &QAction::triggered, this, Guarded(this, &TFormDraufsicht::NeuZeichnen1Click));
    return action;
}

void TFormDraufsicht::createMenus()
{
    QMenu *file = menuBar()->addMenu("Datei");
    menuAction(file, "MILoadPicture", "Hintergrund laden", &TFormDraufsicht::MILoadPictureClick);
    menuAction(file, "MICopy", "Grafik in Zwischenablage kopieren", &TFormDraufsicht::MICopyClick);
    menuAction(file, "MISave", "Grafik speichen", &TFormDraufsicht::MISaveClick);
    menuAction(file, "Koordinatenfenster1", "Koordinatenfenster", &TFormDraufsicht::Koordinatenfenster1Click);
    connect(menuAction(file, "Schliessen1", "Schliessen", nullptr), &QAction::triggered, this, &QWidget::close);

    QMenu *options = menuBar()->addMenu("Optionen");
    connect(menuAction(options, "Fensterwiederherstellen1", "Fenster wiederherstellen", nullptr), &QAction::triggered,
            this, &QWidget::showNormal);
    menuAction(options, "Antennenlschen1", "Antennen löschen", &TFormDraufsicht::Antennenlschen1Click);

    QMenu *show = menuBar()->addMenu("Anzeigen");
    MICall = showItem(show, "MICall", "Call", false);
    MIUrsprung = showItem(show, "MIUrsprung", "Ursprung", false);
    MIMassstab = showItem(show, "MIMassstab", "Massstab", false);
    MIKontBer = showItem(show, "MIKontBer", "Kontrollierbarer Bereich", false);
    MILegende = showItem(show, "MILegende", "Legende", false);
    MIAnt[0] = showItem(show, "MIAnt1", "Antenne 1", true);
    MIAnt[1] = showItem(show, "MIAnt2", "Antenne 2", true);
    MIZone[0] = showItem(show, "MISicherheitsabstand1", "Sicherheitsabstand 1", true);
    MIZone[1] = showItem(show, "MISicherheitsabstand2", "Sicherheitsabstand 2", true);
    show->addSeparator();
    menuAction(show, "NeuZeichnen1", "Neu Zeichnen", &TFormDraufsicht::NeuZeichnen1Click);

    QMenu *debug = menuBar()->addMenu("Debug");
    menuAction(debug, "ShowLayout1", "ShowLayout", &TFormDraufsicht::ShowLayout1Click);
    menuAction(debug, "Halbdurchlssig1", "Halbdurchlässig", &TFormDraufsicht::Halbdurchlssig1Click);
}

void TFormDraufsicht::setStatus(QLabel *status, const QColor &color, const QString &text)
{
    paint(status, color);
    status->setText(text);
}

void TFormDraufsicht::ImageMouseMove(QPoint pos)
{
    cursor_ = pos;
    const SitePlanReadout r = CursorReadout(plan_.cal, pos, lastClick_);
    EditX->setText(r.x);
    EditY->setText(r.y);
    EditValX->setText(r.valX);
    EditValY->setText(r.valY);
    EditValR->setText(r.valR);
    EditValD->setText(r.valD);
}

void TFormDraufsicht::ImageClick()
{
    const QPoint p = cursor_;
    lastClick_ = p;
    switch (mode_) {
    case ClickMode::SetOrigin:
        plan_.cal.origin = p;
        plan_.cal.originSet = true;
        CalMemoUpdate();
        setStatus(PaCUrsprung, kGreen, "ok");
        MIUrsprung->setChecked(true);
        mode_ = ClickMode::Idle;
        NeuZeichnen1Click();
        break;
    case ClickMode::ScalePoint1:
        plan_.cal.scale1 = p;
        mode_ = ClickMode::ScalePoint2;
        CalMemoUpdate();
        break;
    case ClickMode::ScalePoint2: {
        plan_.cal.scale2 = p;
        const std::optional<double> length =
            typedLength(Dialogs().inputText("Länge", "Länge in Meter eingeben: ", "10"));
        if (length) {
            plan_.cal.scaleLength = *length;
            plan_.cal.scaleSet = true;
            setStatus(PaCMassstab, kGreen, "ok");
            MIMassstab->setChecked(true);
            mode_ = ClickMode::Idle;
            NeuZeichnen1Click();
        }
        CalMemoUpdate();
        break;
    }
    case ClickMode::PlaceTitle:
    case ClickMode::PlaceLegend1:
    case ClickMode::PlaceLegend2:
    case ClickMode::PlaceLegend3: {
        const int i = static_cast<int>(mode_) - static_cast<int>(ClickMode::PlaceLegend1);
        if (mode_ == ClickMode::PlaceTitle) {
            plan_.titlePos = p;
            EditCall->setBackground(ui::buttonFace());
            MICall->setChecked(true);
        } else {
            plan_.legendPos[i] = p;
            EditLeg[i]->setBackground(ui::buttonFace());
            MILegende->setChecked(true);
        }
        mode_ = ClickMode::Idle;
        NeuZeichnen1Click();
        break;
    }
    case ClickMode::Idle:
        if (!plan_.area.finished) {
            plan_.area.points << p;
            MD->clear();
            for (int i = 0; i < plan_.area.points.size(); ++i)
                MD->appendPlainText(AreaPointLine(i, plan_.area.points[i]));
        }
        for (SitePlanAntenna &ant : plan_.antenna)
            if (!ant.line.finished)
                ant.line.points << p;
        break;
    }
}

void TFormDraufsicht::PaUrsprungClick()
{
    setStatus(PaCUrsprung, kYellow, "bearb.");
    mode_ = ClickMode::SetOrigin;
}

void TFormDraufsicht::PaMassstabClick()
{
    // A new scale invalidates every radius computed with the old one.
    deleteAntennas();
    plan_.cal.scaleSet = false;
    setStatus(PaCMassstab, kYellow, "bearb.");
    mode_ = ClickMode::ScalePoint1;
    NeuZeichnen1Click();
}

void TFormDraufsicht::PaKontBerClick()
{
    SitePlanPolyline &area = plan_.area;
    area.finished = !area.finished;
    if (!area.finished) {
        area.points.clear();
        setStatus(PaCKontBer, kYellow, "bearb.");
    } else {
        setStatus(PaCKontBer, kGreen, "ok");
        MIKontBer->setChecked(true);
        NeuZeichnen1Click();
    }
}

void TFormDraufsicht::antennaPanelClick(int a)
{
    SitePlanAntenna &ant = plan_.antenna[a];
    ant.line.finished = !ant.line.finished;
    if (!ant.line.finished) {
        ant.line.points.clear();
        setStatus(PaCAnt[a], kYellow, "bearb.");
        return;
    }
    if (askDistance(a)) {
        setStatus(PaCAnt[a], kGreen, "ok");
        MIAnt[a]->setChecked(true);
        NeuZeichnen1Click();
    }
}

void TFormDraufsicht::editDistanceClick(int a)
{
    if (askDistance(a))
        NeuZeichnen1Click();
}

bool TFormDraufsicht::askDistance(int a)
{
    const std::optional<double> d =
        typedLength(Dialogs().inputText("Sicherheitsabstand", "Länge in Meter eingeben: ", "5"));
    if (!d)
        return false;
    SitePlanAntenna &ant = plan_.antenna[a];
    ant.distance = d;
    ant.radius = SafetyRadiusPixels(plan_.cal, *d);
    EditAnt[a]->setText(DistanceText(*d));
    return true;
}

void TFormDraufsicht::placementClick(ClickMode mode, ui::TEdit *field)
{
    field->setBackground(kYellow);
    mode_ = mode;
}

void TFormDraufsicht::editTextClick(int line)
{
    ui::TEdit *field = line == 0 ? EditCall : EditLeg[line - 1];
    const std::optional<QString> text =
        Dialogs().inputText("Beschriftung", "Beschriftungszeile eingeben: ", field->text());
    if (!text)
        return;
    field->setText(*text);
    (line == 0 ? plan_.title : plan_.legend[line - 1]) = *text;
    NeuZeichnen1Click();
}

void TFormDraufsicht::colorClick(int which)
{
    QColor &color = which < 2 ? plan_.antennaColor[which] : plan_.areaColor;
    const std::optional<QColor> chosen = Dialogs().chooseColor(color);
    if (!chosen || !chosen->isValid())
        return;
    color = *chosen;
    NeuZeichnen1Click();
}

void TFormDraufsicht::MILoadPictureClick()
{
    const QString path = Dialogs().openFileName(
        "Öffnen", pictureDir_,
        "Alle (*.png *.jpg *.bmp *.svg *.wmf);;Portable Network Graphics (*.png);;JPEG-Grafikdatei (*.jpg);;"
        "Bitmaps (*.bmp);;SVG-Grafik (*.svg);;Metadateien (*.wmf)");
    if (path.isEmpty())
        return;
    try {
        SitePlanBackground b = LoadSitePlanBackground(path);
        if (b.isNull()) {
            // Windows metafiles included: no reader on Linux draws them faithfully.
            Dialogs().message(MessageKind::Warning, "Öffnen von " + ImageExtension(path) + "-Dateien nicht möglich.");
            return;
        }
        plan_.background = std::move(b);
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, QString::fromStdString(e.what()));
        return;
    }
    NeuZeichnen1Click();
}

void TFormDraufsicht::MICopyClick()
{
    CopyViewPicture(surface_);
}

void TFormDraufsicht::MISaveClick()
{
    SaveViewPicture(surface_, "Seitenansicht.bmp");
}

void TFormDraufsicht::Koordinatenfenster1Click()
{
    koordinaten_->Fill(plan_);
    if (!koordinatenPlaced_) {
        // Not over the plan's menu and picture corner: in its lower right, kept on the screen.
        const QRect plan = frameGeometry();
        koordinaten_->move(plan.right() - koordinaten_->width(), plan.bottom() - koordinaten_->height());
        koordinatenPlaced_ = true;
    }
    koordinaten_->show();
    koordinaten_->raise();
}

void TFormDraufsicht::deleteAntennas()
{
    for (int a = 0; a < 2; ++a) {
        plan_.antenna[a].line.points.clear();
        plan_.antenna[a].distance.reset();
        plan_.antenna[a].radius.reset();
        setStatus(PaCAnt[a], ui::buttonFace(), QString());
        EditAnt[a]->clear();
    }
}

void TFormDraufsicht::Antennenlschen1Click()
{
    deleteAntennas();
    NeuZeichnen1Click();
}

void TFormDraufsicht::NeuZeichnen1Click()
{
    plan_.show = {MICall->isChecked(),    MIUrsprung->isChecked(), MIMassstab->isChecked(),
                  MIKontBer->isChecked(), MILegende->isChecked(),  MIAnt[0]->isChecked(),
                  MIAnt[1]->isChecked(),  MIZone[0]->isChecked(),  MIZone[1]->isChecked()};
    const QLabel *begun[3] = {PaCAnt[0], PaCAnt[1], PaCKontBer};
    for (int i = 0; i < 3; ++i)
        plan_.legendBegun[i] = !begun[i]->text().isEmpty();
    QPainter p(&surface_);
    const SitePlanFigures fig = DrawSitePlan(p, surface_.size(), plan_);
    p.end();
    for (const QString &line : fig.log)
        MD->appendPlainText(line);
    syncSwatches();
    Image->update();
}

void TFormDraufsicht::syncSwatches()
{
    const QColor colors[3] = {plan_.antennaColor[0], plan_.antennaColor[1], plan_.areaColor};
    for (int i = 0; i < 3; ++i)
        paint(swatch_[i], colors[i]);
}

void TFormDraufsicht::ShowLayout1Click()
{
    auto line = [](const char *head, const QWidget *w) {
        return QString(head) + "(" + QString::number(w->width()) + "," + QString::number(w->height()) + ")";
    };
    MD->appendPlainText(line("GBImage: ", GBImage));
    MD->appendPlainText(line("  Image: ", Image));
    MD->appendPlainText(line("GBBesch: ", GBBeschriftung));
    MD->appendPlainText(line("GBAnt  : ", GBAntennen));
}

void TFormDraufsicht::Halbdurchlssig1Click()
{
    QPainter p(&surface_);
    DrawTranslucencyTest(p);
    p.end();
    Image->update();
}

void TFormDraufsicht::CalMemoUpdate()
{
    MCal->setPlainText(CalibrationSummary(plan_.cal).join('\n'));
}
