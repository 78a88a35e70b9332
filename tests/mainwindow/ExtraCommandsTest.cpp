#include "FormFixture.h"
#include "mainwindow/InfoTexts.h"
#include "util/TextFile.h"
#include "views/MakeAnt.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QUrlQuery>

TEST_F(FormTest, NoMenuEntryIsDisabled)
{
    start();
    // Entries whose windows are built elsewhere.
    const QStringList elsewhere = {"MIDrucken", "MIVirtFeld", "MIGrenzwerttabelle", "Draufsicht1"};
    int checked = 0;
    for (QAction *action : form->findChildren<QAction *>()) {
        if (action->isSeparator() || action->objectName().isEmpty() || elsewhere.contains(action->objectName()))
            continue;
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 30);
}

TEST_F(FormTest, OwnAntennaIsFiledAndListedAfterReloading)
{
    start();
    find<QLineEdit>("EditCall")->setText("DK9ZZ"); // the category the dialog's label recommends
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<TFormEigeneAntenne *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->findChild<QLineEdit *>("EditKategorie")->text(), "DK9ZZ");
        dialog->findChild<QLineEdit *>("EditName")->setText("Balkon-Yagi");
        dialog->findChild<QLineEdit *>("EditFrequenz")->setText("144");
        dialog->findChild<QLineEdit *>("EditGewinn")->setText("11,5");
        dialog->findChild<QLineEdit *>("EditElemente")->setText("7");
        dialog->findChild<QPushButton *>("ButAddFrequenz")->click();
        dialog->findChild<QPushButton *>("ButSaveAnt")->click();
        answered = true;
    });
    trigger("MIEigeneAntenne");
    ASSERT_TRUE(answered);
    EXPECT_EQ(ReadTextLines(path("AntUser.txt").toStdString()),
              (std::vector<std::string>{"[DK9ZZ]", "Balkon-Yagi,MyAntTyp,144,11.5,7,#"}));
    EXPECT_EQ(dialogs.lastMessage(), "Antenne wurde in der Datei AntUser.txt gespeichert");

    trigger("MIAntennenNeuLaden");
    clickListEntry("LBHersteller", "DK9ZZ");
    EXPECT_EQ(find<QListWidget>("LBTypen")->item(0)->text(), "Balkon-Yagi");
    EXPECT_TRUE(form->traceText().contains("MIEigeneAntenneClick"));
}

TEST_F(FormTest, TestMenuShowsStoredTextsAndRoundTripsItsFile)
{
    QTemporaryDir profile;
    QDir(profile.path()).mkdir("DeskTop");
    const QByteArray previous = qgetenv("USERPROFILE");
    qputenv("USERPROFILE", profile.path().toUtf8());
    WriteTextLines(path("AntUser.txt").toStdString(), {"[DL0XYZ]", "Eigene,Yagi,144,11.5,7,#"});
    start();
    if (previous.isEmpty())
        qunsetenv("USERPROFILE");
    else
        qputenv("USERPROFILE", previous);

    struct {
        const char *entry, *beginning;
    } viewers[] = {{"DataFile", "Zeile 0;["}, {"MITXT_WiesInfo", ""}, {"MITXT_IntWarning", "Intermittierender Betrieb"}};
    for (const auto &v : viewers) {
        dialogs.clear();
        trigger(v.entry);
        ASSERT_EQ(dialogs.messages.size(), 1u) << v.entry;
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::InfoMemo) << v.entry;
        EXPECT_TRUE(dialogs.lastMessage().startsWith(v.beginning)) << v.entry;
        EXPECT_GT(dialogs.lastMessage().size(), 40) << v.entry;
    }

    const QString file = profile.path() + "/DeskTop/Feldora TxtData.ini";
    dialogs.clear();
    trigger("MIReadTxtData"); // nothing written yet
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.lastMessage().contains(file)) << dialogs.lastMessage().toStdString();

    trigger("MIWriteTxtData");
    EXPECT_EQ(dialogs.lastMessage(), "Die Datei " + file + " wurde geschrieben.");
    trigger("MIReadTxtData");
    EXPECT_EQ(dialogs.lastMessage(), "[Test]\r\nRufzeichen=DL0XYZ\r\nBand=2m\r\nLeistung=100\r\nAbstand=" +
                                         text("EditrPS") + "\r\n");
}

TEST(InfoTexts, MailHasNoRecipientAndNamesVersionAndSystem)
{
    const QUrl url(info::MailToUrl("Debian 12 & Co, Kernel 6.1"));
    EXPECT_EQ(url.scheme(), "mailto");
    EXPECT_TRUE(url.path().isEmpty()) << url.toString().toStdString();
    const QUrlQuery query(url);
    EXPECT_EQ(query.queryItemValue("subject", QUrl::FullyDecoded), "Feldora v 2.1.0");
    const QString body = query.queryItemValue("body", QUrl::FullyDecoded);
    EXPECT_TRUE(body.contains("Programm: Feldora v 2.1.0")) << body.toStdString();
    EXPECT_TRUE(body.contains("System: Debian 12 & Co, Kernel 6.1")) << body.toStdString();
    EXPECT_FALSE(info::SystemDescription().isEmpty());
}

TEST_F(FormTest, InstalledLayoutKeepsSettingsAndManualApart)
{
    QFile::copy(FELDORA_TEST_DATA "/win_Antennen.txt", path("Antennen.txt"));
    QTemporaryDir config, docs;
    QFile manual(docs.path() + "/Feldora_Bedienung.pdf");
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();
    FormOptions options;
    options.programDir = dir.path();
    options.settingsFile = config.path() + "/Feldora.ini";
    options.documentDir = docs.path() + "/";
    options.showSplash = false;
    form = std::make_unique<TFeldoraForm>(options);
    ASSERT_TRUE(form->AfterCreation());

    trigger("MIBedienung");
    EXPECT_EQ(dialogs.opened.last(), docs.path() + "/Feldora_Bedienung.pdf");
    trigger("MIKonfiguration"); // not shipped: the error names the user's folder
    EXPECT_EQ(dialogs.lastMessage(), "Die Datei " + path("Feldora_Konfiguration.pdf") + " konnte nicht gefunden werden!");
    trigger("MIPfadeAnzeigen");
    EXPECT_TRUE(dialogs.lastMessage().endsWith("\r\nEinstellungsdatei: " + config.path() + "/Feldora.ini\r\n"))
        << dialogs.lastMessage().toStdString();

    form->close();
    EXPECT_TRUE(QFile::exists(config.path() + "/Feldora.ini"));
    EXPECT_FALSE(QFile::exists(path("Feldora.ini")));
}
