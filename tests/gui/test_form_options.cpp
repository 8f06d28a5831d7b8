#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>

#include "qtgui/colour_qt.h"
#include "qtgui/form_main.h"
#include "qtgui/form_options.h"
#include "qtgui/form_save.h"
#include "qtgui/prompts.h"
#include "support/fake_files.h"
#include "support/fake_prompts.h"
#include "support/fake_shell.h"
#include "support/main_services.h"

namespace temura {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

// On the box's mark: a box stretched wider than its text takes no click right of the text.
void click(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

class FormOptionsTest : public ::testing::Test {
  protected:
    test::FakeSystemClock clock;
    test::FakeDesktop desktop;
    test::FakeTickPlayer ticks;
    test::FakeFiles files;
    test::FakeShell shell;
    test::FakePrompts prompts;
    ClockState state;
    std::unique_ptr<TFormMain> main;
    std::unique_ptr<TFormSave> save;
    std::unique_ptr<TFormOptions> options;

    void SetUp() override {
        clock.setLocal(2026, 12, 7, 12, 0, 0, 0);
        state.English = true;
        MainServices services = test::windowOnlyServices(clock, desktop, ticks);
        services.files = &files;
        main = std::make_unique<TFormMain>(state, services);
        save = std::make_unique<TFormSave>(*main, files, prompts, "/opt/temura");
        options = std::make_unique<TFormOptions>(*main, *save, &shell, prompts, "/opt/temura",
                                                 "/opt/temura/temura");
        main->show();
        options->open();
    }

    void activate(QWidget* w) {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    int shownOpacity() const { return static_cast<int>(std::lround(main->windowOpacity() * 255)); }
    void changeLook(const std::function<void(DisplayLook&)>& change) {
        DisplayLook look = main->currentLook();
        change(look);
        main->applyLook(look);
    }
    // Saves the chosen groups into the fake file system and returns the file.
    std::string saveGroups(const std::vector<QCheckBox*>& ticked) {
        QTest::mouseClick(save->SpeedButton2, Qt::LeftButton);
        for (QCheckBox* c : ticked) c->setChecked(true);
        save->edFileName->setText(QStringLiteral("/opt/temura/out.temura"));
        save->actSaveExecute();
        return files.files["/opt/temura/out.temura"];
    }
};

TEST_F(FormOptionsTest, TransparencyMapsToAnOpacityTheClockKeeps) {
    const struct {
        int percent;
        int opacity;
    } cases[] = {{0, 255}, {1, 254}, {50, 129}, {100, 1}};
    for (const auto& c : cases) {
        options->tbAlpha->setValue(c.percent);
        EXPECT_EQ(shownOpacity(), c.opacity) << c.percent;
        EXPECT_EQ(main->currentLook().Alpha, c.opacity);
        EXPECT_EQ(options->lblAlpha->text(), QString::number(c.percent) + QStringLiteral(" %"));
    }
    changeLook([](DisplayLook& l) { l.Alpha = 128; });
    options->GetInfo();
    EXPECT_EQ(options->tbAlpha->value(), 50);
    EXPECT_EQ(main->currentLook().Alpha, 129);
    EXPECT_EQ(shownOpacity(), 129);
}

TEST_F(FormOptionsTest, SwatchesPickColoursOrFallBackToSystemColours) {
    prompts.colourAnswers = {QColor(255, 0, 0), std::nullopt};
    QTest::mouseClick(options->gbFont.colour, Qt::LeftButton);
    EXPECT_EQ(state.TimerFontColor, kRed);
    EXPECT_EQ(options->gbFont.colour->colour(), kRed);
    EXPECT_EQ(main->lblTime->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    ASSERT_EQ(prompts.colourInitials.size(), 1u);
    EXPECT_EQ(prompts.colourInitials[0], QColor(255, 255, 255));
    EXPECT_EQ(prompts.colourCustom[2], QColor(192, 220, 192));
    EXPECT_EQ(prompts.colourCustom[4], QColor(255, 251, 240));

    QTest::mouseClick(options->gbDateFont.colour, Qt::LeftButton);  // cancelled
    EXPECT_EQ(main->currentLook().date.colour, 0xFFFFFFu);

    QTest::mousePress(options->shBgColor, Qt::RightButton);
    QTest::mousePress(options->gbTZFont.colour, Qt::RightButton);
    EXPECT_EQ(main->currentLook().TimerBgColor, kSysColourButtonFace);
    EXPECT_EQ(main->lblDate->palette().color(QPalette::Window), toQColor(kSysColourButtonFace));
    EXPECT_EQ(main->currentLook().tz.colour, 0xFF000008u);
    const std::string file = saveGroups({save->chBgColor, save->chTZLabel});
    EXPECT_NE(file.find("BgColor=-16777201\r\n"), std::string::npos);
    EXPECT_NE(file.find("TZFontColor=-16777208\r\n"), std::string::npos);
}

TEST_F(FormOptionsTest, CopyButtonsCarryTheWholeFont) {
    changeLook([](DisplayLook& l) { l.date = LineFont{"DejaVu Serif", 20, true, false, kRed}; });
    state.TimerFontBold = false;
    main->applyLook(main->currentLook());
    options->GetInfo();
    ASSERT_FALSE(options->gbFont.bold->isChecked());

    QTest::mouseClick(options->btnDateToTimer, Qt::LeftButton);
    EXPECT_TRUE(options->gbFont.bold->isChecked());
    EXPECT_TRUE(main->actFontBold->isChecked());
    EXPECT_EQ(options->gbFont.colour->colour(), kRed);
    EXPECT_EQ(options->gbFont.size->value(), 20);
    EXPECT_EQ(main->lblTime->font().family(), QStringLiteral("DejaVu Serif"));
    const std::string file = saveGroups({save->chTimer});
    EXPECT_NE(file.find("TimerFontColor=255\r\nTimerFontSize=20\r\nTimerFontName=DejaVu Serif\r\n"
                        "TimerFontBold=1\r\n"),
              std::string::npos);

    // While the paused stopwatch blinks, the label's colour is not the time line's colour.
    state.TimerFontColor = kGreen;
    main->applyLook(main->currentLook());
    main->SetClPaused();
    main->TimerPTimer();
    ASSERT_NE(main->lblTime->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    QTest::mouseClick(options->btnTimerToTZ, Qt::LeftButton);
    EXPECT_EQ(main->currentLook().tz.colour, kGreen);
    EXPECT_EQ(options->gbTZFont.colour->colour(), kGreen);
}

TEST_F(FormOptionsTest, FontControlsApplyAtOnce) {
    options->gbFont.size->setValue(5);
    QTest::keyClick(options->gbFont.size, Qt::Key_Down);
    QTest::keyClick(options->gbFont.size, Qt::Key_Down);
    EXPECT_EQ(options->gbFont.size->value(), 4);
    QTest::keyClicks(options->gbFont.size, QStringLiteral("9"));  // no typing
    EXPECT_EQ(options->gbFont.size->value(), 4);
    EXPECT_EQ(main->lblTime->font().pointSize(), 4);

    options->gbDateFont.fonts->setEditText(QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(main->currentLook().date.name, "DejaVu Sans Mono");
    click(options->gbTZFont.italic);
    EXPECT_TRUE(main->lblTZ->font().italic());
    click(options->gbFont.italic);
    EXPECT_TRUE(state.TimerFontItalic);
    EXPECT_TRUE(main->actFontItalic->isChecked());
}

TEST_F(FormOptionsTest, FontsPageWidensTheWindow) {
    const PageSize compact = options->compactSize();
    EXPECT_EQ(options->size(), QSize(compact.width, compact.height));
    options->pc->setCurrentWidget(options->tsFonts);
    EXPECT_EQ(options->width(), options->fontsPageSize().width);
    EXPECT_GT(options->width(), compact.width);
    options->pc->setCurrentWidget(options->tsFormat);
    EXPECT_EQ(options->size(), QSize(compact.width, compact.height));
}

TEST_F(FormOptionsTest, ToggleKeysWorkInBothWindowsAndTheBoxesFollow) {
    const struct {
        Qt::Key key;
        QCheckBox* TFormOptions::*box;
        bool ClockState::*field;
    } cases[] = {
        {Qt::Key_F6, &TFormOptions::chShowMode, &ClockState::ModeVisible},
        {Qt::Key_F7, &TFormOptions::chShowDate, &ClockState::DateVisible},
        {Qt::Key_F8, &TFormOptions::chShowTZ, &ClockState::TZVisible},
        {Qt::Key_F9, &TFormOptions::chPlayTick, &ClockState::PlayTick},
        {Qt::Key_F11, &TFormOptions::chShowWorld, &ClockState::WorldVisible},
    };
    for (QWidget* w : {static_cast<QWidget*>(main.get()), static_cast<QWidget*>(options.get())}) {
        activate(w);
        for (const auto& c : cases) {
            const bool before = state.*c.field;
            QTest::keyClick(w, c.key);
            EXPECT_NE(state.*c.field, before) << c.key;
            EXPECT_EQ(((*options).*c.box)->isChecked(), state.*c.field) << c.key;
        }
    }
    // The boxes themselves drive the clock too.
    const bool zone = state.TZVisible;
    click(options->chShowTZ);
    EXPECT_NE(state.TZVisible, zone);
    EXPECT_EQ(main->actShowTZName->isChecked(), state.TZVisible);
    ASSERT_TRUE(state.WorldVisible);
    click(options->chShowWorld);
    EXPECT_FALSE(state.WorldVisible);
    EXPECT_FALSE(main->actWorldLines->isChecked());
    ASSERT_TRUE(state.DateVisible);
    click(options->chShowDate);
    EXPECT_FALSE(state.DateVisible);
    EXPECT_FALSE(main->lblDate->isVisible());
}

TEST_F(FormOptionsTest, CloseKeysHideTheWindow) {
    for (const Qt::Key key : {Qt::Key_F12, Qt::Key_Escape}) {
        options->open();
        activate(options.get());
        QTest::keyClick(options.get(), key);
        EXPECT_FALSE(options->isVisible()) << key;
    }
}

TEST_F(FormOptionsTest, LanguageFollowsTheClockAndTheRadioButtons) {
    activate(main.get());
    QTest::keyClick(main.get(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(state.English);
    EXPECT_TRUE(options->rbPl->isChecked());
    EXPECT_FALSE(options->rbEn->isChecked());
    EXPECT_EQ(options->windowTitle(), QStringLiteral("Opcje"));
    EXPECT_EQ(options->btnDefault->text(), QStringLiteral("Domyślne"));

    options->pc->setCurrentWidget(options->tsLang);
    click(options->rbEn);
    EXPECT_TRUE(state.English);
    EXPECT_EQ(options->windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(save->windowTitle(), QStringLiteral("Save settings"));
    EXPECT_EQ(main->actOptions->text(), QStringLiteral("Options..."));
}

TEST_F(FormOptionsTest, FormatButtonsSetTheFormats) {
    options->pc->setCurrentWidget(options->tsFormat);
    click(options->rbTimeFormat[2]);
    click(options->rbETimeFormat[0]);
    click(options->rbDateFormat[5]);
    EXPECT_EQ(state.TimeFormat, 2);
    EXPECT_EQ(state.ETimeFormat, 0);
    EXPECT_EQ(state.DateFormat, 5);
    EXPECT_EQ(main->lblDate->text(), QStringLiteral("2026.12.07"));  // at once
}

TEST_F(FormOptionsTest, ShortcutsRegistryAndSettingsFiles) {
    click(options->chShortcut);
    EXPECT_EQ(shell.log, std::vector<std::string>{"create Temura /opt/temura/temura Desktop"});
    click(options->chShortcut);
    EXPECT_FALSE(shell.ShortcutExists("Desktop"));
    shell.shortcuts.insert("Start Menu");
    options->GetInfo();
    EXPECT_TRUE(options->chMenuStart->isChecked());

    files.files["/opt/temura/u.temura"] = "[SETTINGS]\r\nMode=3\r\nAlpha=128\r\n";
    prompts.fileAnswers = {QStringLiteral("/opt/temura/u.temura")};
    activate(options.get());
    QTest::keyClick(options.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(state.Mode, kModeUtc);
    EXPECT_FALSE(state.FileDialogOpen);
    EXPECT_EQ(options->tbAlpha->value(), 50);  // refilled
    QTest::mouseClick(options->btnSaveSettings, Qt::LeftButton);
    EXPECT_TRUE(save->isVisible());
    EXPECT_EQ(save->edFileName->text(), QStringLiteral("/opt/temura/u.temura"));

    options->pc->setCurrentWidget(options->tsRegistry);
    prompts.yesNoAnswers = {false, true};
    QTest::mouseClick(options->btnDelReg, Qt::LeftButton);
    EXPECT_TRUE(main->isVisible());
    QTest::mouseClick(options->btnDelReg, Qt::LeftButton);
    EXPECT_EQ(prompts.questions.back().text, QStringLiteral("Are you sure ?"));
    EXPECT_FALSE(main->isVisible());
}

TEST_F(FormOptionsTest, DefaultButtonRestoresTheLookAndRefills) {
    options->tbAlpha->setValue(40);
    QTest::mouseClick(options->btnDefault, Qt::LeftButton);
    EXPECT_EQ(shownOpacity(), 255);
    EXPECT_EQ(options->tbAlpha->value(), 0);
}

// The real colour dialog: our five colours fill its custom slots at the first opening only; what
// the user puts there afterwards is what the next opening shows.
TEST(QtPromptsColours, CustomColoursAreOursOnlyAtFirst) {
    QtPrompts real;
    const std::array<QColor, 5> offered{Qt::red, Qt::green, Qt::blue, Qt::cyan, Qt::magenta};
    const struct {
        QColor shown;  // the first custom slot as the dialog opens
        QColor users;  // what the user puts there before cancelling
    } openings[] = {{offered[0], QColor(12, 34, 56)},
                    {QColor(12, 34, 56), QColor(78, 90, 12)},
                    {QColor(78, 90, 12), QColor(78, 90, 12)}};
    for (const auto& o : openings) {
        QColor shown;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            poll.stop();
            shown = QColorDialog::customColor(0);
            QColorDialog::setCustomColor(0, o.users);
            dialog->reject();
        });
        poll.start();
        EXPECT_FALSE(real.chooseColour(nullptr, Qt::white, offered));
        EXPECT_EQ(shown, o.shown);
    }
}

}  // namespace
}  // namespace temura
