#pragma once

// Small widget classes that give the main window the behaviour its handlers expect:
// an edit that reports leaving (focus out or Enter), clicks and double-clicks; a label with
// double-click; a radio group whose index can be set without running a handler.

#include "views/draw/DrawCommon.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

class QListWidget;
class QPushButton;
class QWidget;

namespace ui {

enum class FieldKind { Input, Display };

class TEdit : public QLineEdit {
    Q_OBJECT
public:
    TEdit(QWidget *parent, const QString &name, FieldKind kind, bool enterLeaves = false);
    void setKind(FieldKind kind);
    FieldKind kind() const { return kind_; }
    void setBackground(const QColor &color);
    // True when the text is wider than the field; the field then shows the text's beginning,
    // left-aligned, and its tooltip leads with the full text before the hint.
    bool textCut() const;

signals:
    void exited();       // the user left the field (focus elsewhere, or Enter)
    void clicked();
    void doubleClicked();

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showFit();
    FieldKind kind_;
    bool enterLeaves_;
    bool leavingByEnter_ = false;
    Qt::Alignment align_;  // alignment while the text fits
    bool shownCut_ = false;
    QString hint_;         // the field's own hint
    QString shownTip_;     // the tooltip as last set here; any other was set from outside
};

class TLabel : public QLabel {
    Q_OBJECT
public:
    TLabel(QWidget *parent, const QString &name, const QString &caption,
           Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// A drop-down list for selection only: any key opens the list.
class TComboBox : public QComboBox {
    Q_OBJECT
public:
    TComboBox(QWidget *parent, const QString &name);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A group of radio buttons in columns, like the classic radio group control.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(QWidget *parent, const QString &name, const QString &caption, const QStringList &items,
                int columns);
    int itemIndex() const;
    void setItemIndex(int index); // from code: runs no handler; -1 selects nothing
    int count() const { return static_cast<int>(buttons_.buttons().size()); }
    QString itemText(int index) const; // empty for no item

signals:
    void clicked(int index); // user clicks only

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeButtons();
    QButtonGroup buttons_;
    int columns_;
};

// Controls at their pixel positions, named for the handlers and tests that find them.
QGroupBox *makeGroupBox(QWidget *parent, const char *name, const char *caption, int x, int y, int w, int h);
TLabel *makeLabel(QWidget *parent, const char *name, const char *caption, int x, int y, int w, int h,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
TEdit *makeEdit(QWidget *parent, const char *name, FieldKind kind, int x, int y, int w, int h,
                const char *hint = nullptr, bool enterLeaves = false);
QPushButton *makeButton(QWidget *parent, const char *name, const char *caption, int x, int y, int w, int h);

// List entries too wide for their list carry their full text as tooltip, kept up to date
// as entries are added or changed.
void TipCutEntries(QListWidget *list);

// Moves the caption of a box barely wider than it to the left edge, so it stays inside the frame.
void TightCaption(QGroupBox *box);

QColor buttonFace();
QColor infoBackground();
QString hintText(const char *text); // CR LF -> line break
// The program's display name, Fusion style, Liberation fonts, classic group-box frames; for the
// program and its tests.
void ApplyFeldoraStyle();

} // namespace ui
