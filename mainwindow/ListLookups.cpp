#include "mainwindow/ListLookups.h"

#include "util/Messages.h"

#include <QComboBox>
#include <QListWidget>

namespace {

template <typename TextAt>
int lastIndexOf(int count, TextAt textAt, const QString &entry)
{
    for (int i = count - 1; i >= 0; --i)
        if (textAt(i).compare(entry, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void notFound(const char *routine, const QString &separator, const QObject *list)
{
    ShowWarning("Fehler (" + std::string(routine) + separator.toStdString() + list->objectName().toStdString()
                + "): Index zum Eintrag nicht gefunden!");
}

} // namespace

int CBEntryToIndex(const QComboBox *list, const QString &entry)
{
    int i = lastIndexOf(list->count(), [list](int k) { return list->itemText(k); }, entry);
    if (i < 0)
        notFound("CBEntryToIndex", ", ", list);
    return i;
}

int LBEntryToIndex(const QListWidget *list, const QString &entry)
{
    int i = lastIndexOf(list->count(), [list](int k) { return list->item(k)->text(); }, entry);
    if (i < 0)
        notFound("LBEntryToIndex", ", ", list);
    return i;
}

int CLBEntryToIndex(const QListWidget *list, const QString &entry)
{
    int i = lastIndexOf(list->count(), [list](int k) { return list->item(k)->text(); }, entry);
    if (i < 0)
        notFound("CLBEntryToIndex", ", ", list);
    return i;
}

void CLBSetCheck(QListWidget *list, int index)
{
    const QSignalBlocker blocker(list);
    for (int k = 0; k < list->count(); ++k)
        list->item(k)->setCheckState(Qt::Unchecked);
    if (index >= list->count()) {
        ShowWarning("Fehler (CLBSetCheck: " + list->objectName().toStdString() + "): Index nicht im Bereich!");
        return;
    }
    if (index < 0)
        return;
    list->item(index)->setCheckState(Qt::Checked);
    list->setCurrentRow(index);
}
