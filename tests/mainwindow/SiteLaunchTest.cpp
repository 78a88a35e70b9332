#include "FormFixture.h"
#include "views/SiteWindow.h"

#include <QLineEdit>

// One site window from the forms menu; the last site comes back at the next start, and closing
// the program asks about the site's unsaved changes first.
TEST_F(FormTest, SiteWindowRemembersItsSiteAndAsksBeforeTheProgramEnds)
{
    for (const char *name : {"Garten.standort", "Beam 20m.txt", "Vertikal 2m.txt", "Dipol 80m.txt"})
        QFile::copy(QString(FELDORA_TEST_DATA "/site/") + name, path(name));
    start();
    ASSERT_TRUE(started);
    trigger("MIStandort");
    auto *site = form->findChild<TFormStandort *>("FormStandort");
    ASSERT_NE(site, nullptr);
    EXPECT_TRUE(site->isVisible());
    EXPECT_EQ(site->windowTitle(), "Standort – Neuer Standort[*]");
    EXPECT_TRUE(form->traceText().endsWith("MIStandortClick"));
    trigger("MIStandort");
    EXPECT_EQ(form->findChildren<TFormStandort *>().size(), 1);

    ASSERT_TRUE(site->openSite(path("Garten.standort")));
    auto *call = site->findChild<QLineEdit *>("EditRufzeichen");
    call->setText("DL9ABC");
    emit call->editingFinished();
    ASSERT_TRUE(site->modified());

    dialogs.choiceAnswers = {2}; // "Abbrechen": the program stays
    EXPECT_FALSE(form->close());
    EXPECT_EQ(dialogs.questions.size(), 1);
    dialogs.choiceAnswers = {1}; // "Verwerfen"
    EXPECT_TRUE(form->close());
    EXPECT_NE(
        ReadFileBytes(path("Feldora.ini").toStdString()).find("Standort=" + path("Garten.standort").toStdString()),
        std::string::npos);
    EXPECT_EQ(ReadSite(path("Garten.standort").toStdString()).callsign, "DL0XYZ");

    form.reset();
    start();
    trigger("MIStandort");
    site = form->findChild<TFormStandort *>("FormStandort");
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(site->fileName(), path("Garten.standort"));
    EXPECT_EQ(dialogs.unexpected, 0);
}

// "feldora Garten.standort": the main window as every day, the site in its window; a site
// that cannot be read is told and the site window stays empty.
TEST_F(FormTest, SiteFileGivenAtStartOpensInTheSiteWindow)
{
    for (const char *name : {"Garten.standort", "Beam 20m.txt", "Vertikal 2m.txt", "Dipol 80m.txt"})
        QFile::copy(QString(FELDORA_TEST_DATA "/site/") + name, path(name));
    QFile::copy(FELDORA_SHIPPED_DATA "/Antennen.txt", path("Antennen.txt")); // the site's antennas
    WriteFileAtomic(path("kaputt.standort").toStdString(), "[Kontrollierbarer Bereich]\nPunkte=0 0; 1 1\n");
    const struct {
        const char *file;
        bool opens;
    } cases[] = {{"Garten.standort", true}, {"kaputt.standort", false}, {"fehlt.standort", false}};
    for (const auto &c : cases) {
        dialogs.clear();
        FormOptions options;
        options.programDir = dir.path();
        options.showSplash = false;
        form = std::make_unique<TFeldoraForm>(options);
        ASSERT_TRUE(form->StartWithFile(path(c.file))) << c.file;
        EXPECT_TRUE(form->isVisible());
        auto *site = form->findChild<TFormStandort *>("FormStandort");
        ASSERT_NE(site, nullptr) << c.file;
        EXPECT_TRUE(site->isVisible());
        EXPECT_EQ(site->fileName(), c.opens ? path(c.file) : QString()) << c.file;
        if (c.opens) {
            EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastMessage().toStdString();
            EXPECT_EQ(site->result().antennas.size(), 3u);
        } else {
            ASSERT_EQ(dialogs.messages.size(), 1u) << c.file;
            EXPECT_NE(dialogs.lastMessage().indexOf(c.file), -1) << dialogs.lastMessage().toStdString();
        }
        form->close();
        form.reset();
    }
}
