// The File menu: its entries and icons, the settings files, the help pages and the About
// dialog; and the Restore, Set directory/file and Autodetect buttons.
#include "gui/editfieldex.h"
#include "guitest.h"
#include "windowtest.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextDocument>

namespace {

// Takes the URLs the window hands to the desktop instead of opening them.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler("file", this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler("file"); }
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class Menu : public Window {
protected:
    UrlCatcher catcher;

    QList<QAction*> Entries() const { return window->menuBar()->actions()[0]->menu()->actions(); }
    // Shows About and gives back its dialog's title, size and text, then closes it.
    struct Shown {
        QString title, text, plain;
        QSize size;
    };
    Shown About(std::function<void(QLabel*)> whileOpen = nullptr) {
        Shown shown;
        WhenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<QDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            auto* label = dialog->findChild<QLabel*>("abouttext");
            ASSERT_NE(label, nullptr);
            shown = {dialog->windowTitle(), label->text(), "", dialog->size()};
            QTextDocument document;
            document.setHtml(label->text());
            shown.plain = document.toPlainText();
            if (whileOpen) whileOpen(label);
            dialog->reject();
        });
        window->about->trigger();
        return shown;
    }
    std::string Settings(const std::string& tool, const std::string& backupdir) const {
        return "<Gantrel><tools><tool><name>" + tool + "</name><cmdline>x</cmdline></tool></tools><ides></ides>"
               "<backupdir>" + backupdir + "</backupdir></Gantrel>";
    }
};

}  // namespace

TEST_F(Menu, TheEntriesInOrderWithIconsForTheSettingsFiles) {
    Open();
    QList<QAction*> entries = Entries();
    QStringList texts;
    for (QAction* entry : entries) texts << entry->text();
    ASSERT_EQ(texts, (QStringList{"Open settings", "Save settings", "Save settings as..", "User Manual",
                                  "General information/Contact", "About", "Quit"}));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(entries[i]->icon().isNull()) << i;
    // Three different pictures.
    EXPECT_TRUE(entries[0]->icon().pixmap(16).toImage() != entries[1]->icon().pixmap(16).toImage());
    EXPECT_TRUE(entries[1]->icon().pixmap(16).toImage() != entries[2]->icon().pixmap(16).toImage());
    for (int i = 3; i < entries.size(); ++i) EXPECT_TRUE(entries[i]->icon().isNull()) << i;
}

TEST_F(Menu, HelpPagesAreOpenedBesideTheProgramWithoutAnyCheck) {
    Open();
    window->userManual->trigger();
    window->generalInfo->trigger();
    EXPECT_EQ(catcher.urls, (QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(Path("bin/grmanual.html"))),
                                         QUrl::fromLocalFile(QString::fromStdString(Path("bin/generalinfo.html")))}));
    EXPECT_EQ(catcher.urls[0].scheme(), "file");
    EXPECT_TRUE(LogTexts().isEmpty());
    EXPECT_EQ(Gantrel::HelpPage("/", "grmanual.html").toLocalFile(), "/grmanual.html");
    EXPECT_EQ(Gantrel::HelpPage("/opt/tolvane/", "grmanual.html").toLocalFile(), "/opt/tolvane/grmanual.html");
}

TEST_F(Menu, AboutShowsTheStartupSettingsFileAsItIs) {
    session->startupSettingsPath = Path("a&b [x] <y> \"q\"/gantrel.xml");
    Open();
    Shown shown = About([](QLabel* label) { emit label->linkActivated("generalinfo.html"); });
    EXPECT_EQ(shown.title, "About");
    EXPECT_EQ(shown.size, QSize(290, 115));
    EXPECT_EQ(shown.text, Gantrel::AboutText(session->startupSettingsPath));
    QStringList lines = shown.plain.split('\n');
    ASSERT_EQ(lines.size(), 4) << shown.plain.toStdString();
    EXPECT_EQ(lines[0], "Gantrel 1.1.2.1");
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_TRUE(lines[2].trimmed().isEmpty());
    EXPECT_EQ(lines[3], "Configuration file:" + QString::fromStdString(session->startupSettingsPath));
    EXPECT_TRUE(shown.text.contains("<a href=\"generalinfo.html\">Gantrel 1.1.2.1</a>"));
    EXPECT_FALSE(shown.text.contains("http"));
    // The product's link opens the general information page.
    EXPECT_EQ(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(Path("bin/generalinfo.html")))});
}

TEST_F(Menu, OpenSettingsReadsTheFileButAboutKeepsTheStartupOne) {
    std::filesystem::create_directories(folder / "b2");
    folder.write("other.xml", Settings("other", Path("b2")));
    CommandLineOptions options;
    options.xmlFile = Path("start.xml");
    session->StartUp(options);
    Open();
    prompter.answers = {std::nullopt};
    window->openSettings->trigger();
    EXPECT_EQ(Column(window->modify->array, 0), QStringList{});
    prompter.answers = {Path("other.xml")};
    window->openSettings->trigger();
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::OpenFile), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(Column(window->modify->array, 0), QStringList{"other"});
    EXPECT_EQ(window->backups->backupdirectory->text().toStdString(), Path("b2"));
    EXPECT_EQ(session->currentSettingsPath, Path("other.xml"));
    Shown shown = About();
    EXPECT_EQ(shown.plain.split('\n').last(), "Configuration file:" + QString::fromStdString(Path("start.xml")));
}

TEST_F(Menu, SaveSettingsAsAsksOnceThenSaveWritesThere) {
    session->tools = {{"brelm", "x", "", "", ""}};
    Open();
    prompter.answers = {Path("saved.xml")};
    window->saveSettingsAs->trigger();
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::SaveFile), std::vector<std::string>{"Save as"});
    EXPECT_NE(folder.read("saved.xml").find("<name>brelm</name>"), std::string::npos);
    session->tools[0].name = "renamed";
    window->saveSettings->trigger();
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::SaveFile).size(), 1u);
    EXPECT_NE(folder.read("saved.xml").find("<name>renamed</name>"), std::string::npos);
}

TEST_F(Menu, RestoreSetPathAndAutodetectActOnTheCursorRows) {
    folder.write("pspad/links.ini", "WWW\r\n+Tools\r\n\tbrelm\r\n\t\tCommand=x\r\n");
    session->tools = {{"brelm", "x", "", "", ""}};
    Open();
    session->targets = {{"Pspad", ""}, {"Ultraedit 16", "old"}};
    window->RefreshTables();
    // Set directory/file on the Pspad row.
    Gantrel::SetCursorRow(window->search->array, 0);
    prompter.answers = {Path("pspad")};
    window->search->setpath->click();
    EXPECT_EQ(Column(window->search->array, 1), (QStringList{QString::fromStdString(Path("pspad")), "old"}));
    EXPECT_EQ(prompter.Texts(ScriptedPrompter::Box::Folder), std::vector<std::string>{""});
    // Autodetect on the UltraEdit row.
    folder.write("appdata/IDMComp/UltraEdit/Uedit32.ini", "");
    Gantrel::SetCursorRow(window->search->array, 1);
    window->search->autodetect->click();
    EXPECT_EQ(Column(window->search->array, 1).last(), QString::fromStdString(Path("appdata/IDMComp/UltraEdit")));
    // Restore of a Pspad backup.
    session->backupDirectory = Path("backups");
    ASSERT_TRUE(session->WriteBackup("Pspad", "mine", Path("pspad/links.ini"), ""));
    folder.write("pspad/links.ini", "WWW\r\n+Tools\r\n");
    window->RefreshTables();
    window->backups->Restore->click();   // no cursor row: nothing
    Gantrel::SetCursorRow(window->backups->array, 0);
    window->backups->Restore->click();
    EXPECT_EQ(folder.read("pspad/links.ini"), "WWW\r\n+Tools\r\n\tbrelm\r\n\t\tCommand=x\r\n");
    EXPECT_EQ(Column(window->modify->array, 4), QStringList{"Pspad"});
    EXPECT_EQ(LogTexts(), (QStringList{"autodetected Ultraedit 16 in " + QString::fromStdString(Path("appdata/IDMComp/UltraEdit")),
                                       "Restored backup for Pspad"}));
}

#include "menu_test.moc"
