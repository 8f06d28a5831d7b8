#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "clock/zone_arithmetic.h"
#include "platform/posix/posix_files.h"
#include "qtgui/form_main.h"
#include "qtgui/form_save.h"
#include "support/fake_prompts.h"
#include "support/main_services.h"
#include "support/test_home.h"

namespace temura {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Notes whether the clock was kept down while a file dialog was open.
class RecordingPrompts : public test::FakePrompts {
  public:
    explicit RecordingPrompts(const ClockState& state) : m_state(state) {}
    std::vector<bool> dialogOpenFlags;
    QString lastFolder;
    QString lastFilter;
    QString saveFileName(QWidget* parent, const QString& folder, const QString& filter,
                         const QString& suffix) override {
        dialogOpenFlags.push_back(m_state.FileDialogOpen);
        lastFolder = folder;
        lastFilter = filter;
        return FakePrompts::saveFileName(parent, folder, filter, suffix);
    }

  private:
    const ClockState& m_state;
};

class FormSaveTest : public ::testing::Test {
  protected:
    test::FakeSystemClock clock;
    test::FakeDesktop desktop;
    test::FakeTickPlayer ticks;
    ClockState state;
    std::string dir = test::makeTempDir("save");
    PosixFiles files{dir};
    RecordingPrompts prompts{state};
    std::unique_ptr<TFormMain> main;
    std::unique_ptr<TFormSave> save;
    QString oldCurrent = QDir::currentPath();

    void SetUp() override {
        clock.setLocal(2026, 12, 7, 12, 0, 0, 0);
        state.English = true;
        MainServices services = test::windowOnlyServices(clock, desktop, ticks);
        services.files = &files;
        main = std::make_unique<TFormMain>(state, services);
        state.SaveOverwritePrompt = true;
        save = std::make_unique<TFormSave>(*main, files, prompts, dir);
        QDir::setCurrent(QString::fromStdString(dir));
        save->show();
    }
    void TearDown() override { QDir::setCurrent(oldCurrent); }

    void saveAs(const QString& name) {
        save->edFileName->setText(name);
        QTest::mouseClick(save->btnSave, Qt::LeftButton);
    }
    std::string status() const { return save->lblStatus->text().toStdString(); }
    void takeZoneIntoUse() {
        applyZone(state, clock, ZoneSelection{"Tokyo", 540, 0, 0, 0, 0});
        main->showZoneChanged();
    }
};

TEST_F(FormSaveTest, NamesBecomePathsInTheCurrentFolder) {
    const struct {
        const char* typed;
        const char* file;
    } cases[] = {
        {"settings", "settings.temura"},
        {"  my.cfg ", "my.cfg"},
        {"sub.d/../plain", "plain.temura"},
    };
    for (const auto& c : cases) {
        saveAs(QString::fromLatin1(c.typed));
        EXPECT_TRUE(std::filesystem::exists(dir + "/" + c.file)) << c.typed;
        EXPECT_EQ(status(), "File saved !");
    }
    const auto written = readFile(dir + "/settings.temura");
    EXPECT_NE(written.find("[SETTINGS]\r\nMode=0\r\n"), std::string::npos);
    EXPECT_EQ(written.find("UseTZ"), std::string::npos);  // no zone in use

    const int before = static_cast<int>(prompts.questions.size());
    saveAs(QStringLiteral("   "));  // a blank name does nothing at all
    EXPECT_EQ(static_cast<int>(prompts.questions.size()), before);
}

TEST_F(FormSaveTest, AsksBeforeWritingOverAFileUnlessToldNotTo) {
    const std::string path = dir + "/old.temura";
    const std::string old = "[Other]\r\nkeep=1\r\n";
    writeFile(path, old);

    prompts.yesNoAnswers = {false};
    saveAs(QStringLiteral("old"));
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].title, QStringLiteral("Temura"));
    EXPECT_EQ(prompts.questions[0].text.toStdString(),
              "File \"" + path + "\" already exist !\nDo you wish to overwrite it?");
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(status(), "Operation cancelled !");

    prompts.yesNoAnswers = {true};
    saveAs(QStringLiteral("old"));
    EXPECT_NE(readFile(path).find("[SETTINGS]"), std::string::npos);

    // Clearing the box clears the stored setting, and no question comes.
    QTest::mouseClick(save->chOverwritePrompt, Qt::LeftButton);
    EXPECT_FALSE(state.SaveOverwritePrompt);
    QTest::mouseClick(save->SpeedButton2, Qt::LeftButton);  // unselect all
    QTest::mouseClick(save->chBgColor, Qt::LeftButton);
    saveAs(QStringLiteral("old"));
    EXPECT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(readFile(path), old + "[SETTINGS]\r\nBgColor=0\r\n");
}

TEST_F(FormSaveTest, ZoneGroupIsOfferedOnlyWhileAZoneIsInUse) {
    save->GetInfo();
    EXPECT_FALSE(save->chTZ->isEnabled());
    QTest::mouseClick(save->SpeedButton2, Qt::LeftButton);
    EXPECT_TRUE(save->chTZ->isChecked());  // greyed out: Unselect all leaves it
    EXPECT_FALSE(save->chMode->isChecked());
    QTest::mouseClick(save->SpeedButton1, Qt::LeftButton);
    EXPECT_FALSE(save->groups().tz);

    takeZoneIntoUse();  // while the window is open
    EXPECT_TRUE(save->chTZ->isEnabled());
    saveAs(QStringLiteral("zone"));
    EXPECT_NE(readFile(dir + "/zone.temura").find("UseTZ=1\r\nTZName=Tokyo\r\n"),
              std::string::npos);

    main->actDefaultTimeZone->trigger();
    EXPECT_FALSE(save->chTZ->isEnabled());
}

TEST_F(FormSaveTest, WorldGroupWritesTheWorldKeysWhenTicked) {
    state.WorldLines = {*parseWorldLine("-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Asia/Tokyo")};
    const struct {
        const char* name;
        std::function<void()> tick;
        bool written;
    } cases[] = {
        {"all", [] {}, true},
        {"world cleared", [this] { save->chWorld->setChecked(false); }, false},
        {"select all", [this] { QTest::mouseClick(save->SpeedButton1, Qt::LeftButton); }, true},
        {"unselect all", [this] { QTest::mouseClick(save->SpeedButton2, Qt::LeftButton); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.tick();
        saveAs(QString::fromLatin1(c.name));
        const std::string file = readFile(dir + "/" + c.name + ".temura");
        EXPECT_EQ(file.find("WorldVisible=1\r\nWorld1=-540;0;0;00-00-0000;00:00;00-00-0000;00:00;"
                            "Asia/Tokyo\r\n") != std::string::npos,
                  c.written);
        EXPECT_EQ(file.find("World") != std::string::npos, c.written);
    }
    EXPECT_TRUE(save->chWorld->isEnabled());
}

TEST_F(FormSaveTest, StatusClearsFiveSecondsAfterTheFirstSave) {
    EXPECT_EQ(save->Timer->interval(), 5000);
    save->Timer->setInterval(60'000);
    save->Timer->setTimerType(Qt::PreciseTimer);  // a coarse timer's remaining time has slack
    saveAs(QStringLiteral("one"));
    QTest::qWait(50);
    saveAs(QStringLiteral("missing-folder/two"));
    EXPECT_EQ(status(), "Cannot save file !");
    EXPECT_LE(save->Timer->remainingTime(), 60'000 - 40);  // the second save did not restart it
    save->TimerTimer();
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(save->Timer->isActive());

    save->Timer->setInterval(30);
    main->actChangeLanguage->trigger();  // Polish
    saveAs(QStringLiteral("missing-folder/three"));
    EXPECT_EQ(status(), "Wystąpił błąd przy zapisywaniu !");
    EXPECT_TRUE(QTest::qWaitFor([this] { return status().empty(); }, 2000));
}

TEST_F(FormSaveTest, BrowseAndLoadedFilesGiveTheDefaultName) {
    prompts.fileAnswers = {QString::fromStdString(dir + "/picked.temura")};
    QTest::mouseClick(save->btnBrowse, Qt::LeftButton);
    EXPECT_EQ(prompts.dialogOpenFlags, std::vector<bool>{true});
    EXPECT_FALSE(state.FileDialogOpen);
    EXPECT_EQ(prompts.lastFolder.toStdString(), dir);
    EXPECT_EQ(prompts.lastFilter, QStringLiteral("Temura files (*.TEMURA)|*.temura"));
    EXPECT_EQ(save->edFileName->text().toStdString(), dir + "/picked.temura");

    QTest::mouseClick(save->btnBrowse, Qt::LeftButton);  // cancelled: the name stays
    EXPECT_EQ(save->edFileName->text().toStdString(), dir + "/picked.temura");
    EXPECT_FALSE(state.FileDialogOpen);

    const std::string loaded = dir + "/loaded.temura";
    writeFile(loaded, "[SETTINGS]\r\nMode=3\r\n");
    main->loadSettings(loaded);
    save->GetInfo();  // the box is not blank: it keeps its name
    EXPECT_EQ(save->edFileName->text().toStdString(), dir + "/picked.temura");
    save->edFileName->setText(QStringLiteral("  "));
    save->GetInfo();
    EXPECT_EQ(save->edFileName->text().toStdString(), loaded);
}

TEST_F(FormSaveTest, FollowsTheLanguageAndClosesWithEscOrCancel) {
    EXPECT_EQ(save->windowTitle(), QStringLiteral("Save settings"));
    main->actChangeLanguage->trigger();
    EXPECT_EQ(save->windowTitle(), QStringLiteral("Zapisz ustawienia"));
    EXPECT_EQ(save->btnBrowse->text(), QStringLiteral("Przeglądaj..."));
    EXPECT_GE(save->width(), save->minimumWidth());

    QTest::mouseClick(save->btnCancel, Qt::LeftButton);
    EXPECT_FALSE(save->isVisible());
    save->show();
    save->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(save.get()));
    QTest::keyClick(save.get(), Qt::Key_Escape);
    EXPECT_FALSE(save->isVisible());
}

// Browse opens on the file Save would write; a blank box opens the program's folder.
TEST_F(FormSaveTest, BrowseStartsOnTheFileInTheBox) {
    const struct {
        std::string typed;
        std::string start;
    } cases[] = {{"", dir},
                 {"  ", dir},
                 {"evening", dir + "/evening.temura"},
                 {"sub/night.temura", dir + "/sub/night.temura"},
                 {dir + "/picked.temura", dir + "/picked.temura"}};
    for (const auto& c : cases) {
        save->edFileName->setText(QString::fromStdString(c.typed));
        QTest::mouseClick(save->btnBrowse, Qt::LeftButton);  // cancelled
        EXPECT_EQ(prompts.lastFolder.toStdString(), c.start) << c.typed;
    }
}

}  // namespace
}  // namespace temura
