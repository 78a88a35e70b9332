#include "views/Koordinaten.h"

#include "views/Controls.h"
#include "views/WindowPlacement.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TFormKoordinaten::TFormKoordinaten(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName("FormKoordinaten");
    ui::KeepOnScreen(this);
    setWindowTitle("Koordinaten");
    resize(418, 396);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setFont(ui::courierFont(13));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette pal = Memo1->palette();
    pal.setColor(QPalette::Base, ui::infoBackground());
    Memo1->setPalette(pal);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
}

void TFormKoordinaten::Fill(const SitePlan &plan)
{
    Memo1->setPlainText(CoordinateLines(plan).join('\n'));
}

QString TFormKoordinaten::text() const
{
    return Memo1->toPlainText();
}
