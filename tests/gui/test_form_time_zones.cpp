#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "qtgui/form_time_zones.h"
#include "support/fake_files.h"
#include "support/fake_prompts.h"
#include "support/fake_system_clock.h"
#include "support/fake_zone_table.h"
#include "zones/zone_catalogue.h"

namespace temura {
namespace {

using test::ruleBlock;
using test::RuleDate;
using test::tableZone;
using Values = std::array<int, kZoneFieldCount>;

// One user zone with texts the window must normalise: a date without leading zeros and one
// that does not parse.
const char kUserFile[] =
    "[TZ_001]\r\nDisplayName=My Zone\r\nBias=-330\r\nStdBias=0\r\nDSTBias=0\r\n"
    "StdDate=bad\r\nStdTime=00:00\r\nDSTDate=5-3\r\nDSTTime=00:00\r\nsys=0\r\n";

test::FakeZoneTable systemTable() {
    test::FakeZoneTable t;
    const RuleDate euStd{10, 0, 5, 3, 0}, euDst{3, 0, 5, 2, 0};
    const RuleDate usStd{11, 0, 1, 2, 0}, usDst{3, 0, 2, 2, 0};
    t.entries = {
        tableZone(std::nullopt, "(GMT+01:00) Europe/Warsaw", ruleBlock(-60, 0, -60, euStd, euDst)),
        tableZone(std::nullopt, "(GMT-05:00) America/New_York",
                  ruleBlock(300, 0, -60, usStd, usDst)),
        tableZone(std::nullopt, "(GMT) UTC", ruleBlock(0, 0, 0, {}, {}))};
    return t;
}

class FormTimeZonesTest : public ::testing::Test {
  protected:
    test::FakeSystemClock clock;
    test::FakeFiles files;
    test::FakePrompts prompts;
    test::FakeZoneTable updateTable = systemTable();
    ClockState state;
    std::unique_ptr<TFormTimeZones> form;

    void SetUp() override {
        clock.setWarsawWinter();
        clock.setLocal(2026, 1, 15, 3, 0);
        state.English = true;
        SetInis(state, files, "/opt/temura");
        ASSERT_EQ(CreateTZIni(files, systemTable(), state.SysZonesFile, 2026), 3);
        files.files[state.UserZonesFile] = kUserFile;
        files.writeCount = 0;
        form = std::make_unique<TFormTimeZones>(
            state, clock, files,
            [this](int) { return std::make_unique<test::FakeZoneTable>(updateTable); }, prompts,
            englishLocaleNames());
    }

    void showActive() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(form.get(), key, mods);
    }
    // Through the selection model: the view's own selectRow reads the keyboard modifiers, and
    // QTest can leave Shift "held" after an earlier key click (a range selection then).
    void select(const std::vector<int>& rows) {
        QItemSelection s;
        for (const int r : rows) {
            s.select(form->lv->model()->index(r, 0), form->lv->model()->index(r, 0));
        }
        form->lv->selectionModel()->select(
            s, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    QStringList column(int c) const {
        QStringList out;
        for (int r = 0; r < form->lv->rowCount(); ++r) out << form->lv->item(r, c)->text();
        return out;
    }
    QStringList names() const { return column(kColName); }
    std::vector<int> selectedRows() const {
        std::vector<int> out;
        for (const QModelIndex& i : form->lv->selectionModel()->selectedRows())
            out.push_back(i.row());
        std::sort(out.begin(), out.end());
        return out;
    }
    int iconOf(int row) const {
        return form->lv->item(row, kColNumber)->data(TFormTimeZones::IconIndexRole).toInt();
    }
    Values spins() const {
        Values v{};
        for (std::size_t i = 0; i < v.size(); ++i) v[i] = form->spin[i]->value();
        return v;
    }
};

TEST_F(FormTimeZonesTest, FirstLoadShowsTheCatalogueHalfASecondAfterCreation) {
    EXPECT_EQ(form->lv->rowCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->lv->rowCount() == 4; }, 2000));
    EXPECT_FALSE(form->TimerTZ->isActive());

    EXPECT_EQ(column(kColNumber), (QStringList{"001", "002", "003", "004"}));
    EXPECT_EQ(names(), (QStringList{"My Zone", "Europe/Warsaw", "America/New_York", "UTC"}));
    EXPECT_EQ(column(kColGMTBias), (QStringList{"+05:30", "+01:00", "-05:00", "00:00"}));
    EXPECT_EQ(column(kColDSTDate), (QStringList{"5-3", "29-03", "08-03", "00-00"}));
    EXPECT_EQ(column(kColSys), (QStringList{"No", "Yes", "Yes", "Yes"}));
    const int icons[] = {kIconUserAhead, kIconSystemAhead, kIconSystemBehind, kIconSystemZero};
    for (int r = 0; r < 4; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(iconOf(r), icons[r]);
        EXPECT_FALSE(form->lv->item(r, kColNumber)->icon().isNull());
        EXPECT_EQ(form->lv->item(r, kColName)->font().bold(), r == 0);  // the user zone only
    }
    EXPECT_EQ(form->minimumSize(), QSize(form->width(), 382));
    EXPECT_FALSE(form->list().CatalogueModified());
}

TEST_F(FormTimeZonesTest, SelectionFillsTheFieldsEnablesRowCommandsAndPreviews) {
    form->TimerTZTimer();
    EXPECT_FALSE(form->btnUse->isEnabled());
    EXPECT_FALSE(form->gbGMTBias->isEnabled());
    EXPECT_TRUE(form->gbDST->isEnabled());

    select({2, 1});  // the fields follow the first selected row
    EXPECT_EQ(form->edName->text(), QStringLiteral("Europe/Warsaw"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Time Zones (Europe/Warsaw)"));
    EXPECT_EQ(spins(), (Values{1, 0, 1, 0, 0, 0, 29, 3, 2, 0, 25, 10, 3, 0}));
    for (const QWidget* w :
         std::vector<QWidget*>{form->btnUse, form->btnDelete, form->Button7, form->gbStdBias}) {
        EXPECT_TRUE(w->isEnabled());
    }
    EXPECT_EQ(form->lblTZTime->text(), QStringLiteral("03:00:00  (standard time)"));

    select({2});  // New York: 21:00 on the 14th while Warsaw has 03:00 on the 15th
    EXPECT_EQ(form->lblTZTime->text(), QStringLiteral("21:00:00  (standard time)"));
    EXPECT_EQ(form->lblTZDate->text().toStdString(),
              DateText(clock.local, -360, state.DateFormat, englishLocaleNames()));

    select({});
    EXPECT_EQ(form->edName->text(), QString());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Time Zones"));
    EXPECT_TRUE(form->lblTZTime->text().isEmpty());
    EXPECT_FALSE(form->actOK->isEnabled());
}

TEST_F(FormTimeZonesTest, OkNormalisesAnUnchangedRowAndMarksAChangedOne) {
    form->TimerTZTimer();
    select({0});
    form->Button7->click();
    EXPECT_EQ(form->lv->item(0, kColStdDate)->text(), QStringLiteral("00-00"));
    EXPECT_EQ(form->lv->item(0, kColDSTDate)->text(), QStringLiteral("05-03"));
    EXPECT_EQ(iconOf(0), kIconUserAhead);
    EXPECT_FALSE(form->list().CatalogueModified());

    form->spin[kGMTBiasHour]->setValue(-5);
    form->spin[kGMTBiasMin]->setValue(30);
    form->edName->selectAll();
    QTest::keyClicks(form->edName, QStringLiteral("Renamed"));
    form->Button7->click();
    EXPECT_EQ(form->lv->item(0, kColGMTBias)->text(), QStringLiteral("-04:30"));
    EXPECT_EQ(form->lv->item(0, kColName)->text(), QStringLiteral("Renamed"));
    EXPECT_EQ(iconOf(0), kIconChanged);
    EXPECT_TRUE(form->list().CatalogueModified());
}

TEST_F(FormTimeZonesTest, RowCommandsReorderAndMarkTheCatalogue) {
    showActive();
    const auto ctrl = [this](Qt::Key key) {
        return [this, key] { press(key, Qt::ControlModifier); };
    };
    // The rows by the first letters of their names (My Zone, Europe/Warsaw, America/New_York,
    // UTC); "-" for an empty name.
    const struct {
        const char* what;
        std::vector<int> select;
        std::function<void()> command;
        const char* order;
        std::vector<int> selectedAfter;
        bool modified;
    } cases[] = {
        {"up on 001", {0}, ctrl(Qt::Key_Up), "MEAU", {0}, false},
        {"down on the last row", {3}, ctrl(Qt::Key_Down), "MEAU", {3}, true},
        {"up on 003", {2}, ctrl(Qt::Key_Up), "MAEU", {1}, true},
        {"down button", {0}, [this] { form->btnDown->click(); }, "EMAU", {1}, true},
        {"delete two", {1, 2}, [this] { form->btnDelete->click(); }, "MU", {}, true},
        {"add", {1}, [this] { form->btnAdd->click(); }, "MEAU-", {4}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        form->TimerTZTimer();
        form->list().setCatalogueModified(false);
        select(c.select);
        c.command();
        QString order;
        for (const QString& name : names()) order += name.isEmpty() ? QChar('-') : name.front();
        EXPECT_EQ(order, QString::fromLatin1(c.order));
        EXPECT_EQ(selectedRows(), c.selectedAfter);
        EXPECT_EQ(form->list().CatalogueModified(), c.modified);
        EXPECT_EQ(column(kColNumber).last(), QString::asprintf("%03d", form->lv->rowCount()));
    }
    // The added row: an empty user zone, ready to edit.
    EXPECT_EQ(form->lv->item(4, kColSys)->text(), QStringLiteral("No"));
    EXPECT_EQ(iconOf(4), kIconChanged);
    EXPECT_TRUE(form->edName->isEnabled());
}

TEST_F(FormTimeZonesTest, MarkFromThePopupChangesEverySelectedRow) {
    form->TimerTZTimer();
    select({1, 3});
    const QList<QAction*> menu = form->popLv->actions();
    ASSERT_EQ(menu.size(), 15);
    EXPECT_EQ(menu[0], form->actUse);
    EXPECT_EQ(menu[2], form->actWorld);
    EXPECT_EQ(menu[13], form->actMarkAsUser);
    menu[13]->trigger();
    EXPECT_EQ(column(kColSys), (QStringList{"No", "No", "Yes", "No"}));
    EXPECT_TRUE(form->lv->item(3, kColName)->font().bold());
    EXPECT_EQ(iconOf(3), kIconChanged);
    EXPECT_EQ(iconOf(2), kIconSystemBehind);
    EXPECT_TRUE(form->list().CatalogueModified());
}

TEST_F(FormTimeZonesTest, CopyPasteAndClearWorkOnTheFieldsOnly) {
    form->TimerTZTimer();
    EXPECT_FALSE(form->Button2->isEnabled());
    form->spin[kDSTDay]->setValue(31);  // the start groups take input without a row
    form->spin[kDSTMonth]->setValue(3);
    form->Button1->click();
    form->Button4->click();
    EXPECT_EQ(spins(), Values{});

    select({1});
    form->Button2->click();
    EXPECT_EQ(spins(), (Values{0, 0, 0, 0, 0, 0, 31, 3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(form->lv->item(1, kColDSTDate)->text(), QStringLiteral("29-03"));  // until OK
    form->Button7->click();
    EXPECT_EQ(form->lv->item(1, kColDSTDate)->text(), QStringLiteral("31-03"));
    EXPECT_EQ(form->lv->item(1, kColGMTBias)->text(), QStringLiteral("00:00"));
}

TEST_F(FormTimeZonesTest, UseTakesTheSelectedRowIntoUseEveryWay) {
    form->TimerTZTimer();
    showActive();
    const std::function<void()> ways[] = {
        [this] { form->btnUse->click(); },
        [this] {
            form->lv->setFocus();
            press(Qt::Key_Return);
        },
        [this] {
            const QPoint at = form->lv->visualRect(form->lv->model()->index(2, 1)).center();
            // A real double-click: a click, then the double-click in place of the second press.
            QTest::mouseClick(form->lv->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(form->lv->viewport(), Qt::LeftButton, {}, at);
        },
    };
    for (std::size_t i = 0; i < std::size(ways); ++i) {
        SCOPED_TRACE(i);
        state = ClockState{};
        select({2});
        form->edName->setText(QStringLiteral("not applied before OK"));
        QSignalSpy used(form.get(), &TFormTimeZones::zoneUsed);
        ways[i]();
        EXPECT_EQ(used.count(), 1);
        EXPECT_TRUE(state.UseTZ);
        EXPECT_EQ(state.TZName, "America/New_York");
        EXPECT_EQ(state.ZoneShift, -360);  // New York in winter, seen from Warsaw
        EXPECT_TRUE(form->isVisible());
    }
}

// Rows: 0 My Zone, 1 Europe/Warsaw, 2 America/New_York, 3 UTC.
TEST_F(FormTimeZonesTest, OnTheClockChoosesLinesInOrderAndRefusesANinth) {
    form->TimerTZTimer();
    QSignalSpy changed(form.get(), &TFormTimeZones::worldLinesChanged);
    select({});
    EXPECT_FALSE(form->btnWorld->isEnabled());
    for (const int row : {2, 1, 3}) {
        select({row});
        EXPECT_FALSE(form->actWorld->isChecked());
        form->btnWorld->click();
        EXPECT_TRUE(form->actWorld->isChecked());
    }
    EXPECT_EQ(changed.count(), 3);
    ASSERT_EQ(state.WorldLines.size(), 3u);
    EXPECT_EQ(worldLineValue(state.WorldLines[0]),
              "300;0;-60;01-11-2026;02:00;08-03-2026;02:00;America/New_York");
    EXPECT_EQ(state.WorldLines[1].Name, "Europe/Warsaw");
    EXPECT_EQ(column(kColClock), (QStringList{"", "2", "1", "3"}));

    select({2});
    form->actWorld->trigger();  // from the popup: off again
    EXPECT_EQ(column(kColClock), (QStringList{"", "1", "", "2"}));

    // Lines put in by someone else (a settings file) show at the window's next tick.
    while (state.WorldLines.size() < kMaxWorldLines) {
        state.WorldLines.push_back(*parseWorldLine("0;0;0;00-00-0000;00:00;00-00-0000;00:00;X"));
    }
    form->Timer1Timer();
    EXPECT_EQ(column(kColClock), (QStringList{"", "1", "", "2"}));
    select({0});
    const auto before = changed.count();
    form->btnWorld->click();
    EXPECT_EQ(state.WorldLines.size(), kMaxWorldLines);
    EXPECT_FALSE(form->actWorld->isChecked());
    EXPECT_EQ(changed.count(), before);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].title, QStringLiteral("Temura"));
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("At most 8 world lines."));
    EXPECT_EQ(prompts.messageIcons[0], PromptIcon::Warning);
}

TEST_F(FormTimeZonesTest, EarlierLaterAndNameWorkOnTheSelectedZonesLine) {
    form->TimerTZTimer();
    for (const int row : {2, 1, 3}) {
        select({row});
        form->actWorld->trigger();
    }
    const auto order = [this] {
        std::string out;
        for (const WorldLine& l : state.WorldLines) out += l.Name.front();
        return out;
    };
    select({3});
    EXPECT_FALSE(form->actWorldLater->isEnabled());
    form->actWorldEarlier->trigger();
    EXPECT_EQ(order(), "AUE");
    select({2});
    EXPECT_FALSE(form->actWorldEarlier->isEnabled());
    form->actWorldLater->trigger();
    EXPECT_EQ(order(), "UAE");
    EXPECT_EQ(column(kColClock), (QStringList{"", "3", "2", "1"}));

    QSignalSpy changed(form.get(), &TFormTimeZones::worldLinesChanged);
    prompts.textAnswers = {QString(), std::nullopt, QStringLiteral("Mum")};
    for (int i = 0; i < 3; ++i) form->actWorldName->trigger();  // blank, cancelled, a name
    EXPECT_EQ(prompts.textInitials, QStringList(3, QStringLiteral("America/New_York")));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(state.WorldLines[1].Name, "Mum");
    form->actWorldName->trigger();  // cancelled: the box offered the line's own name
    EXPECT_EQ(prompts.textInitials.back(), QStringLiteral("Mum"));
    // A renamed line is still the zone's: its place shows, and On the clock takes it off.
    EXPECT_EQ(column(kColClock), (QStringList{"", "3", "2", "1"}));
    EXPECT_TRUE(form->actWorldName->isEnabled());
    EXPECT_TRUE(form->actWorld->isChecked());
    form->actWorld->trigger();
    EXPECT_EQ(order(), "UE");
}

TEST_F(FormTimeZonesTest, OkAndUpdateRefreshTheLinesOfTheirZones) {
    form->TimerTZTimer();
    for (const int row : {2, 1}) {
        select({row});
        form->actWorld->trigger();
    }
    prompts.textAnswers = {QStringLiteral("Mum")};
    form->actWorldName->trigger();  // Warsaw's line
    const WorldLine mum = state.WorldLines[1];

    QSignalSpy changed(form.get(), &TFormTimeZones::worldLinesChanged);
    for (const int row : {2, 1}) {
        select({row});
        form->spin[kGMTBiasHour]->setValue(-6);
        form->Button7->click();
    }
    // The line the user named takes its zone's figures and keeps its name.
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(state.WorldLines[0].Bias, 360);
    EXPECT_EQ(state.WorldLines[1].Bias, 360);
    EXPECT_EQ(state.WorldLines[1].Name, "Mum");

    prompts.yesNoAnswers = {true};
    form->Button3->click();
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(state.WorldLines[0].Bias, 300);  // the rebuilt catalogue's figures
    EXPECT_EQ(state.WorldLines[1].Bias, mum.Bias);
    EXPECT_EQ(state.WorldLines[1].Name, "Mum");
    EXPECT_EQ(column(kColClock), (QStringList{"", "2", "1", ""}));
}

TEST_F(FormTimeZonesTest, ClosingSavesChangesOnlyAndJustHides) {
    form->TimerTZTimer();
    form->setCloseKey(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    const std::function<void()> ways[] = {
        [this] { form->btnCancel->click(); },
        [this] { press(Qt::Key_Escape); },
        [this] {
            press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            // QTest's last release still carries Shift; let go of it for the tests that follow.
            QTest::keyRelease(form.get(), Qt::Key_Shift);
        },
        [this] { form->close(); },
    };
    for (std::size_t i = 0; i < std::size(ways); ++i) {
        SCOPED_TRACE(i);
        showActive();
        EXPECT_TRUE(form->Timer1->isActive());
        // A system zone made a user zone changes both files.
        const bool change = i % 2 == 0;
        if (change) {
            select({static_cast<int>(i / 2) + 1});
            form->actMarkAsUser->trigger();
        }
        const int writes = files.writeCount;
        ways[i]();
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(form->Timer1->isActive());
        EXPECT_EQ(files.writeCount - writes, change ? 2 : 0);
    }
    EXPECT_NE(files.files[state.UserZonesFile].find("=America/New_York"), std::string::npos);
    EXPECT_EQ(selectedRows(), std::vector<int>{2});  // the list stays for the next showing

    // At program end, unsaved changes are kept too.
    form->actMarkAsSystem->trigger();
    form->saveIfModified();
    EXPECT_EQ(files.files[state.UserZonesFile].find("=America/New_York"), std::string::npos);
}

TEST_F(FormTimeZonesTest, UpdateAsksThenRebuildsOrReportsFailure) {
    form->TimerTZTimer();
    const auto before = files.files;
    const struct {
        const char* what;
        bool answer;
        std::size_t tableZones;
        const char* message;  // none when empty
        int rows;
    } cases[] = {
        {"no", false, 1, "", 4},
        {"yes, no zone found", true, 0, "Update failed.", 4},
        {"yes", true, 1, "Done.", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts = test::FakePrompts{};
        prompts.yesNoAnswers = {c.answer};
        updateTable = systemTable();
        updateTable.entries.resize(c.tableZones);
        form->Button3->click();
        ASSERT_EQ(prompts.questions.size(), 1u);
        EXPECT_EQ(prompts.questions[0].title, QStringLiteral("Updating time zones"));
        EXPECT_TRUE(prompts.questions[0].text.startsWith(QStringLiteral(
            "All changes in system time zones (column Sys = Yes) will be lost.\n\n")));
        EXPECT_EQ(form->lv->rowCount(), c.rows);
        if (*c.message == '\0') {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_EQ(files.files, before);
            continue;
        }
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, QString::fromLatin1(c.message));
        EXPECT_EQ(prompts.messageIcons[0], PromptIcon::Warning);
        // A failed update keeps the old system file.
        EXPECT_EQ(files.files[state.SysZonesFile] == before.at(state.SysZonesFile), c.rows == 4);
    }
    EXPECT_EQ(names(), (QStringList{"My Zone", "Europe/Warsaw"}));
}

TEST_F(FormTimeZonesTest, LanguageSwitchRewritesCaptionsButNotKindTexts) {
    form->TimerTZTimer();
    select({1});
    const struct {
        bool english;
        const char* title;
        const char* add;
        const char* suffix;
    } cases[] = {
        {false, "Strefy czasowe", "&Dodaj", "  (Czas standardowy)"},
        {true, "Time Zones", "&Add", "  (standard time)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.english);
        state.English = c.english;
        form->SetLang();
        form->Timer1Timer();
        EXPECT_EQ(form->windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(form->btnAdd->text(), QString::fromUtf8(c.add));
        EXPECT_TRUE(form->lblTZTime->text().endsWith(QString::fromUtf8(c.suffix)));
        const ZoneTexts& t = zoneTexts(c.english);
        for (int col = 0; col < kZoneColumnCount; ++col) {
            EXPECT_EQ(form->lv->horizontalHeaderItem(col)->text().toStdString(),
                      t.columns[static_cast<std::size_t>(col)]);
        }
        const std::pair<QString, const std::string&> shown[] = {
            {form->gbStd->title(), t.gbStd},
            {form->spinLabel[kStdMonth]->text(), t.lblStartMonth},
            {form->spinLabel[kGMTBiasMin]->text(), t.lblBiasMin},
            {form->lblSelZoneTime->text(), t.lblSelZoneTime},
            {form->btnUse->text(), t.actUse},
            {form->btnWorld->text(), t.actWorld},
            {form->actMarkAsSystem->text(), t.actMarkAsSystem},
        };
        for (const auto& [text, expected] : shown) EXPECT_EQ(text.toStdString(), expected);
        EXPECT_EQ(column(kColSys), (QStringList{"No", "Yes", "Yes", "Yes"}));
    }
    state.English = false;
    form->SetLang();
    form->btnAdd->click();
    EXPECT_EQ(form->lv->item(4, kColSys)->text(), QStringLiteral("Nie"));
    EXPECT_GE(form->minimumWidth(), form->layout()->minimumSize().width());
}

}  // namespace
}  // namespace temura
