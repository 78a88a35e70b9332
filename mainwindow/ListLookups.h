#pragma once

// Finding list entries by their text, and the one-tick check list of the cable page.

#include <QString>

class QComboBox;
class QListWidget;

int CBEntryToIndex(const QComboBox *list, const QString &entry);
int LBEntryToIndex(const QListWidget *list, const QString &entry);
int CLBEntryToIndex(const QListWidget *list, const QString &entry);
// Unticks every item, then ticks and selects the item at index (a warning when out of range).
void CLBSetCheck(QListWidget *list, int index);
