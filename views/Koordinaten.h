#pragma once

// TFormKoordinaten: every defined point of the site plan in metres and pixels.

#include "views/draw/SitePlan.h"

#include <QWidget>

class QPlainTextEdit;

class TFormKoordinaten : public QWidget
{
public:
    explicit TFormKoordinaten(QWidget *parent = nullptr);
    // Refills the listing from a copy of the plan.
    void Fill(const SitePlan &plan);
    QString text() const;

private:
    QPlainTextEdit *Memo1;
};
