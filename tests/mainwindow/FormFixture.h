#pragma once

// A main window in a temporary program directory, built without the splash wait, with its
// dialogs answered by a script. Helpers type into fields and click like a user.

#include "ScriptedDialogs.h"
#include "mainwindow/FeldoraU.h"
#include "util/TextFile.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// The stored position of the main window in a settings file, as "Left/Top".
inline std::string storedPosition(const QString &ini)
{
    std::string left, top;
    for (const std::string &line : ReadTextLines(ini.toStdString())) {
        if (line.rfind("Left=", 0) == 0)
            left = line.substr(5);
        if (line.rfind("Top=", 0) == 0)
            top = line.substr(4);
    }
    return left + "/" + top;
}

// Readable failure output for texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

class FormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Copies the test catalogue (unless told not to) and starts the window.
    TFeldoraForm &start(bool withCatalogue = true)
    {
        if (withCatalogue)
            QFile::copy(FELDORA_TEST_DATA "/win_Antennen.txt", path("Antennen.txt"));
        FormOptions options;
        options.programDir = dir.path();
        options.showSplash = false;
        form = std::make_unique<TFeldoraForm>(options);
        started = form->AfterCreation();
        return *form;
    }

    QString path(const QString &name) const { return dir.path() + "/" + name; }

    template <typename T = ui::TEdit>
    T *find(const char *name) const
    {
        T *w = form->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char *name) const { return find<QLineEdit>(name)->text(); }

    // Types into a field and presses Enter, which leaves it.
    void type(const char *name, const QString &value)
    {
        QLineEdit *e = find<QLineEdit>(name);
        e->setText(value);
        QTest::keyClick(e, Qt::Key_Return);
    }
    void doubleClick(const char *name) { QTest::mouseDClick(find<QWidget>(name), Qt::LeftButton); }
    void click(const char *name) { QTest::mouseClick(find<QWidget>(name), Qt::LeftButton); }
    void trigger(const char *actionName) { form->findChild<QAction *>(actionName)->trigger(); }

    void chooseBand(const QString &band)
    {
        QComboBox *cb = find<QComboBox>("CBBand");
        int i = cb->findText(band);
        ASSERT_GE(i, 0) << band.toStdString();
        cb->setCurrentIndex(i);
        emit cb->activated(i);
    }
    // Clicks a radio group's entry, as a user does.
    void chooseRadio(const char *group, int index)
    {
        auto *radio = find<ui::TRadioGroup>(group);
        radio->setItemIndex(index);
        emit radio->clicked(index);
    }
    void clickListEntry(const char *list, const QString &entry)
    {
        QListWidget *l = find<QListWidget>(list);
        auto items = l->findItems(entry, Qt::MatchExactly);
        ASSERT_FALSE(items.isEmpty()) << entry.toStdString();
        l->setCurrentItem(items.first());
        emit l->itemClicked(items.first());
    }
    // Starts with the fixture catalogue's "Beam 2m" selected and its angle file in place.
    void startWithTestBeam(const char *angleFixture = "win_beam.ang")
    {
        QDir(dir.path()).mkdir("ang");
        QFile::copy(QString(FELDORA_TEST_DATA "/") + angleFixture, path("ang/Test Beam 2m.ang"));
        start();
        clickListEntry("LBHersteller", "Test");
        clickListEntry("LBTypen", "Beam 2m");
    }
    void chooseCable(int index)
    {
        QListWidget *l = find<QListWidget>("CLBCable");
        l->setCurrentRow(index);
        emit l->itemClicked(l->item(index));
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TFeldoraForm> form;
    bool started = false;
};
