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
    EXPECT_NE(ReadFileBytes(path("Feldora.ini").toStdString()).find("Standort=" + path("Garten.standort").toStdString()),
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
