#include "views/EscapeClose.h"

#include <QDialog>
#include <QShortcut>

namespace ui
{

void CloseOnEscape(QDialog *dialog)
{
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), dialog);
    escape->setObjectName("EscapeCloses");
    QObject::connect(escape, &QShortcut::activated, dialog, &QDialog::reject);
}

} // namespace ui
