#include "views/Uebersicht.h"

#include "core/WinkAnt.h"
#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/ValueRanges.h"
#include "views/Controls.h"
#include "views/DesktopFolder.h"
#include "views/DialogService.h"
#include "views/EscapeClose.h"
#include "views/HandlerGuard.h"
#include "views/WindowPlacement.h"
#include "views/draw/QtText.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <algorithm>

namespace
{

constexpr int kColumnWidths[] = {52, 74, 62, 72, 84, 80, 84, 74, 74, 84, 96};
constexpr int kRowHeight = 20;
constexpr int kHeaderHeight = 52; // three heading lines

} // namespace

TFormUebersicht::TFormUebersicht(UebersichtInput input, QWidget *parent) : QDialog(parent), input_(std::move(input))
{
    setObjectName("FormUebersicht");
    ui::KeepOnScreen(this);
    ui::CloseOnEscape(this);
    setWindowTitle("Übersicht aller Bänder");
    int tableWidth = 2; // frame
    for (int w : kColumnWidths)
        tableWidth += w;
    // As tall as its rows: three bands of a tribander need no room for 21.
    const int tableHeight = kHeaderHeight + kRowHeight * std::max<int>(1, static_cast<int>(input_.bands.size())) + 2;
    setFixedSize(tableWidth + 16, 64 + tableHeight + 6 + 40 + 25 + 8);

    LabelStation = ui::makeLabel(this, "LabelStation", "", 8, 8, tableWidth, 17);
    LabelStation->setText(input_.station);
    ui::makeLabel(this, "LabelAbstand", "Abstand zum kontrollierbaren Bereich:", 8, 34, 230, 21);
    EditAbstand = ui::makeEdit(this, "EditAbstand", ui::FieldKind::Input, 240, 34, 70, 21,
                               "Abstand von der Antenne bis zur Grenze des kontrollierbaren Bereichs; "
                               "die letzte Spalte zeigt je Band die größte PEP, die ihn einhält.",
                               true);
    EditAbstand->setText(qs(FormatValue("%3.2f", input_.areaDistance)));
    ui::makeLabel(this, "LabelAbstandM", "m", 314, 34, 20, 21);
    connect(EditAbstand, &ui::TEdit::exited, this, Guarded(this, &TFormUebersicht::EditAbstandExit));

    SGBaender = new QTableWidget(0, static_cast<int>(std::size(kColumnWidths)), this);
    SGBaender->setObjectName("SGBaender");
    SGBaender->setGeometry(8, 64, tableWidth, tableHeight);
    SGBaender->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGBaender->setSelectionMode(QAbstractItemView::ContiguousSelection);
    SGBaender->verticalHeader()->hide();
    SGBaender->verticalHeader()->setDefaultSectionSize(kRowHeight);
    SGBaender->horizontalHeader()->setFixedHeight(kHeaderHeight);
    SGBaender->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 0; c < SGBaender->columnCount(); ++c)
        SGBaender->setColumnWidth(c, kColumnWidths[c]);

    const int below = 64 + tableHeight + 6;
    ui::makeLabel(this, "LabelHinweis", kAllBandsNote, 8, below, tableWidth, 30)->setWordWrap(true);
    ButKopieren = ui::makeButton(this, "ButKopieren", "Kopieren", 8, below + 40, 90, 25);
    ButSpeichern = ui::makeButton(this, "ButSpeichern", "Speichern", 106, below + 40, 90, 25);
    ButSchliessen = ui::makeButton(this, "ButSchliessen", "Schließen", tableWidth + 8 - 90, below + 40, 90, 25);
    // Enter in the distance field recalculates; it must not press a button as well.
    for (QPushButton *b : {ButKopieren, ButSpeichern, ButSchliessen})
        b->setAutoDefault(false);
    connect(ButKopieren, &QPushButton::clicked, this, Guarded(this, &TFormUebersicht::ButKopierenClick));
    connect(ButSpeichern, &QPushButton::clicked, this, Guarded(this, &TFormUebersicht::ButSpeichernClick));
    connect(ButSchliessen, &QPushButton::clicked, this, &QDialog::accept);

    if (parent) {
        // Centred on the main window, but wider than it: kept on the screen.
        QPoint corner = parent->frameGeometry().center() - rect().center();
        if (const QScreen *screen = parent->screen()) {
            const QRect room = screen->availableGeometry();
            corner.setX(std::clamp(corner.x(), room.left(), std::max(room.left(), room.right() - width())));
            corner.setY(std::clamp(corner.y(), room.top(), std::max(room.top(), room.bottom() - height())));
        }
        move(corner);
    }
    fill();
}

void TFormUebersicht::fill()
{
    rows_ = AllBandsRows(input_.bands, input_.areaDistance);
    QStringList heading;
    for (const std::string &h : AllBandsHeading(input_.areaDistance))
        heading << qs(h);
    SGBaender->setHorizontalHeaderLabels(heading);
    SGBaender->setRowCount(static_cast<int>(rows_.size()) - 1);
    for (size_t r = 1; r < rows_.size(); ++r) {
        for (size_t c = 0; c < rows_[r].size(); ++c) {
            auto *item = new QTableWidgetItem(qs(rows_[r][c]));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            SGBaender->setItem(static_cast<int>(r) - 1, static_cast<int>(c), item);
        }
    }
}

void TFormUebersicht::EditAbstandExit()
{
    const auto typed = TryTolerantToFloat(EditAbstand->text().toStdString());
    std::string refusal;
    if (!typed)
        refusal = "Der Abstand muß eine Gleitkommazahl sein!";
    else if (!(*typed > 0))
        refusal = "Der Abstand muß größer als 0 sein!";
    else if (!range::kAreaDistance.contains(*typed))
        refusal = range::kAreaDistance.refusal("Der Abstand");
    if (!refusal.empty()) {
        EditAbstand->setText(qs(FormatValue("%3.2f", input_.areaDistance))); // the last distance stays
        Dialogs().message(MessageKind::Warning, qs(refusal));
        return;
    }
    input_.areaDistance = *typed;
    EditAbstand->setText(qs(FormatValue("%3.2f", *typed)));
    fill();
}

void TFormUebersicht::ButKopierenClick()
{
    Dialogs().setClipboardText(qs(AngleCopyText(rows_)));
}

void TFormUebersicht::ButSpeichernClick()
{
    const QString file = Dialogs().saveFileName("Speichern unter", UserDesktopFolder() + "FO Alle Bänder.txt",
                                                "Alle Dateien (*);;TextDateien (*.txt)", "TextDateien (*.txt)", "txt");
    if (file.isEmpty())
        return;
    try {
        WriteTextLines(file.toStdString(), AllBandsLines(rows_));
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, qs(e.what()));
    }
}
