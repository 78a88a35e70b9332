#include "views/Controls.h"

#include "data/Settings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOptionFrame>
#include <QPalette>
#include <QRadioButton>
#include <QStyleFactory>

namespace ui {

void ApplyFeldoraStyle()
{
    // The window system puts it after every caption: "Export virtueller Messpunkte — Feldora".
    QApplication::setApplicationDisplayName(kProgramTitle);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setFont(windowFont(11));
    // The classic info background: the pictures' default light yellow, as the command line draws it.
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    QApplication::setPalette(palette);
    // The caption sits on the frame line, so child positions count from the box's top edge.
    qApp->setStyleSheet("QGroupBox { border: 1px solid #a8a8a8; border-radius: 2px; margin-top: 6px; }"
                        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                        " left: 7px; top: 0px; padding: 0px 2px; }"
                        "QListWidget, QTableWidget { outline: 0; }");
}

void TightCaption(QGroupBox *box) { box->setStyleSheet("QGroupBox::title { left: 2px; padding: 0px 1px; }"); }

QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }
QColor infoBackground() { return QApplication::palette().color(QPalette::ToolTipBase); }

QString hintText(const char *text) { return QString::fromUtf8(text).replace("\r\n", "\n"); }

QGroupBox *makeGroupBox(QWidget *parent, const char *name, const char *caption, int x, int y, int w, int h)
{
    auto *box = new QGroupBox(QString::fromUtf8(caption), parent);
    box->setObjectName(name);
    box->setGeometry(x, y, w, h);
    return box;
}

TLabel *makeLabel(QWidget *parent, const char *name, const char *caption, int x, int y, int w, int h,
                  Qt::Alignment align)
{
    auto *l = new TLabel(parent, name, QString::fromUtf8(caption), align);
    l->setGeometry(x, y, w, h);
    return l;
}

QPushButton *makeButton(QWidget *parent, const char *name, const char *caption, int x, int y, int w, int h)
{
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, h);
    return b;
}

TEdit *makeEdit(QWidget *parent, const char *name, FieldKind kind, int x, int y, int w, int h, const char *hint,
                bool enterLeaves)
{
    auto *e = new TEdit(parent, name, kind, enterLeaves);
    e->setGeometry(x, y, w, h);
    if (hint)
        e->setToolTip(hintText(hint));
    return e;
}

TEdit::TEdit(QWidget *parent, const QString &name, FieldKind kind, bool enterLeaves)
    : QLineEdit(parent), kind_(kind), enterLeaves_(enterLeaves)
{
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    setFrame(true);
    setTextMargins(0, 0, 0, 0);
    align_ = alignment();
    setKind(kind);
    connect(this, &QLineEdit::textChanged, this, &TEdit::showFit);
}

bool TEdit::textCut() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    const int lineEditMargin = 2; // QLineEdit keeps 2 px free on either side of its text
    return fontMetrics().horizontalAdvance(text()) > contents.width() - 2 * lineEditMargin;
}

void TEdit::showFit()
{
    if (toolTip() != shownTip_)
        hint_ = toolTip();
    const bool cut = textCut();
    if (!shownCut_)
        align_ = alignment();
    shownCut_ = cut;
    if (cut) {
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (isReadOnly() || !hasFocus())
            setCursorPosition(0);
    } else {
        setAlignment(align_);
    }
    if (cut && text() != hint_)
        shownTip_ = hint_.isEmpty() ? text() : text() + "\n" + hint_;
    else
        shownTip_ = hint_;
    setToolTip(shownTip_);
}

void TEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    showFit();
}

void TEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        showFit();
}

void TEdit::setKind(FieldKind kind)
{
    kind_ = kind;
    const bool display = kind == FieldKind::Display;
    setReadOnly(display);
    setFocusPolicy(display ? Qt::ClickFocus : Qt::StrongFocus);
    if (display)
        setCursor(Qt::ArrowCursor);
    else
        unsetCursor();
    setBackground(display ? buttonFace() : QColor(Qt::white));
}

void TEdit::setBackground(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

void TEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A message box or menu taking the focus is no leaving of the field; nor is the program
    // putting the focus back into a field whose entry it refused.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason
        || event->reason() == Qt::OtherFocusReason)
        return;
    if (leavingByEnter_)
        return;
    if (!isReadOnly())
        emit exited();
    showFit();
}

void TEdit::keyPressEvent(QKeyEvent *event)
{
    if (enterLeaves_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // Enter moves on as if the user had left the field; the exit runs exactly once.
        leavingByEnter_ = true;
        focusNextChild();
        leavingByEnter_ = false;
        emit exited();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    emit clicked();
}

void TEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

namespace {

void tipIfCut(QListWidget *list, QListWidgetItem *item)
{
    const QStyle *style = list->style();
    // Counted as if the scroll bar were shown: a tip too many does no harm, one too few does.
    int room = list->width() - 2 * list->frameWidth() - style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list)
        - 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    if (item->data(Qt::CheckStateRole).isValid())
        room -= style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list)
            + 2 * style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list);
    const QFont font = item->data(Qt::FontRole).isValid() ? item->font() : list->font();
    const QString tip = QFontMetrics(font).horizontalAdvance(item->text()) > room ? item->text() : QString();
    if (item->toolTip() != tip)
        item->setToolTip(tip);
}

void tipRows(QListWidget *list, int first, int last)
{
    for (int row = first; row <= last; ++row)
        if (QListWidgetItem *item = list->item(row))
            tipIfCut(list, item);
}

} // namespace

void TipCutEntries(QListWidget *list)
{
    QAbstractItemModel *model = list->model();
    QObject::connect(model, &QAbstractItemModel::rowsInserted, list,
                     [list](const QModelIndex &, int first, int last) { tipRows(list, first, last); });
    QObject::connect(model, &QAbstractItemModel::dataChanged, list,
                     [list](const QModelIndex &from, const QModelIndex &to, const QList<int> &roles) {
                         if (roles.size() == 1 && roles.front() == Qt::ToolTipRole)
                             return;
                         tipRows(list, from.row(), to.row());
                     });
}

TComboBox::TComboBox(QWidget *parent, const QString &name) : QComboBox(parent)
{
    setObjectName(name);
    setEditable(false);
}

void TComboBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        QComboBox::keyPressEvent(event);
        return;
    }
    showPopup();
}

TLabel::TLabel(QWidget *parent, const QString &name, const QString &caption, Qt::Alignment align)
    : QLabel(caption, parent)
{
    setObjectName(name);
    setAlignment(align);
}

void TLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLabel::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

TRadioGroup::TRadioGroup(QWidget *parent, const QString &name, const QString &caption,
                         const QStringList &items, int columns)
    : QGroupBox(caption, parent), columns_(columns)
{
    setObjectName(name);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        button->setObjectName(name + "_" + QString::number(i));
        buttons_.addButton(button, i);
    }
    connect(&buttons_, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
}

int TRadioGroup::itemIndex() const { return buttons_.checkedId(); }

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *b = buttons_.button(index)) {
        b->setChecked(true);
        return;
    }
    // No item: an exclusive group cannot uncheck its last button directly.
    buttons_.setExclusive(false);
    for (QAbstractButton *b : buttons_.buttons())
        b->setChecked(false);
    buttons_.setExclusive(true);
}

QString TRadioGroup::itemText(int index) const
{
    QAbstractButton *b = buttons_.button(index);
    return b ? b->text() : QString();
}

void TRadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    placeButtons();
}

void TRadioGroup::placeButtons()
{
    const QList<QAbstractButton *> list = buttons_.buttons();
    const int n = static_cast<int>(list.size());
    if (n == 0)
        return;
    const int rows = (n + columns_ - 1) / columns_;
    const int top = title().isEmpty() ? 2 : 14;
    const int left = 6;
    const int w = (width() - 2 * left) / columns_;
    const int h = (height() - top - 2) / rows;
    for (int i = 0; i < n; ++i) {
        // Items run down the first column, then the next, as in the classic control.
        const int column = i / rows;
        const int row = i % rows;
        list[i]->setGeometry(left + column * w, top + row * h, w, h);
    }
}

} // namespace ui
