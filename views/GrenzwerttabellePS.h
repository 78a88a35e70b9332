#pragma once

// The limit table window: the person-protection limits of every band as text, and a plot of
// the frequency-dependent limit in one of four ranges. Table and plot can be saved and copied.
// It needs no input: each opening builds the table and plot variant 0 afresh.

#include "views/DesktopFolder.h"

#include <QDialog>
#include <QImage>
#include <QStringList>

class QLabel;
class QMenu;
class QPlainTextEdit;

class TFormGrenzwerttabellePS : public QDialog
{
    Q_OBJECT
public:
    explicit TFormGrenzwerttabellePS(QWidget *parent = nullptr);

    void fill();
    void Plot(int variant); // 0-2: E over 1-30, 30-300, 300-3000 MHz; 3: H over 1-30 MHz

    QStringList tableLines() const;
    const QImage &plotPicture() const { return picture_; }
    int shownVariant() const { return variant_; }

private:
    void PMISaveClick();
    void PMICopyClick();
    void Graphikspeichern1Click();
    void Graphikkopieren1Click();
    void createMenus();
    void showMemoMenu(const QPoint &pos);

    QPlainTextEdit *Memo1 = nullptr;
    QLabel *Image1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QImage picture_;
    int variant_ = 0;
};
