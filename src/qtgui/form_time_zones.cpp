#include "qtgui/form_time_zones.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "clock/zone_arithmetic.h"
#include "qtgui/text_qt.h"
#include "zones/world_choice.h"
#include "zones/zone_catalogue.h"

namespace temura {

namespace {

constexpr int kDesignWidth = 593;
constexpr int kDesignHeight = 488;
constexpr int kMinHeight = 382;
constexpr int kTimerMs = 500;
const QColor kMaroon(128, 0, 0);

Qt::Alignment alignmentOf(int column) {
    switch (kZoneColumns[static_cast<std::size_t>(column)].align) {
        case ColumnAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case ColumnAlign::Centre:
            return Qt::AlignCenter;
        case ColumnAlign::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// A button shows its action's caption and enabling and triggers it, as a bound button does.
void bindButton(QPushButton* button, QAction* action) {
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    const auto sync = [button, action] {
        button->setText(action->text());
        button->setEnabled(action->isEnabled());
    };
    QObject::connect(action, &QAction::changed, button, sync);
    sync();
}

// Holds a flag for the length of a scope.
class FlagGuard {
  public:
    explicit FlagGuard(bool& flag) : m_flag(flag), m_old(std::exchange(flag, true)) {}
    ~FlagGuard() { m_flag = m_old; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

  private:
    bool& m_flag;
    bool m_old;
};

}  // namespace

TFormTimeZones::TFormTimeZones(ClockState& state, const SystemClock& clock, Files& files,
                               ZoneTableFactory zoneTable, Prompts& prompts, LocaleNames names,
                               QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_state(state),
      m_clock(clock),
      m_files(files),
      m_zoneTable(std::move(zoneTable)),
      m_prompts(prompts),
      m_names(std::move(names)),
      m_list(clock, state.English),
      m_icons(zoneRowIcons()) {
    // Closing this window only hides it; it must never end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    createActions();
    createList();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(lv, 1);
    layout->addWidget(createEditPanel());
    layout->addWidget(createBottomPanel());

    Timer1 = new QTimer(this);
    Timer1->setInterval(kTimerMs);
    connect(Timer1, &QTimer::timeout, this, &TFormTimeZones::Timer1Timer);
    TimerTZ = new QTimer(this);
    TimerTZ->setSingleShot(true);
    TimerTZ->setInterval(kTimerMs);
    connect(TimerTZ, &QTimer::timeout, this, &TFormTimeZones::TimerTZTimer);
    TimerTZ->start();

    SetLang();
    InitAll();

    // The design size, unless the captions of the language need more room.
    layout->activate();
    resize(std::max(kDesignWidth, minimumSizeHint().width()), kDesignHeight);
    setMinimumSize(width(), kMinHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TFormTimeZones::createActions() {
    const auto make = [this](auto slot, const QKeySequence& key = {}) {
        auto* a = new QAction(this);
        a->setShortcut(key);
        addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    const auto model = [this](void (ZoneList::*action)()) {
        auto* a = new QAction(this);
        addAction(a);
        connect(a, &QAction::triggered, this, [this, action] { afterAction(action); });
        return a;
    };
    actAdd = make(&TFormTimeZones::actAddExecute);
    actRemoveSelected = model(&ZoneList::actRemoveSelected);
    actMoveUp = model(&ZoneList::actMoveUp);
    actMoveUp->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    actMoveDown = model(&ZoneList::actMoveDown);
    actMoveDown->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    actUpdateTZ = make(&TFormTimeZones::actUpdateTZExecute);
    actMarkAsUser = model(&ZoneList::actMarkAsUser);
    actMarkAsSystem = model(&ZoneList::actMarkAsSystem);
    actCopyInfo = model(&ZoneList::actCopyInfo);
    actPasteInfo = model(&ZoneList::actPasteInfo);
    actClear = model(&ZoneList::actClear);
    actOK = make(&TFormTimeZones::actOKExecute);
    actUse = make(&TFormTimeZones::actUseExecute);
    actWorld = make(&TFormTimeZones::actWorldExecute);
    actWorld->setCheckable(true);
    actWorldEarlier = make([this] { actWorldMoveExecute(-1); });
    actWorldLater = make([this] { actWorldMoveExecute(1); });
    actWorldName = make(&TFormTimeZones::actWorldNameExecute);
    actCancel = make(&QWidget::close);
    actEsc = make(&QWidget::close, QKeySequence(Qt::Key_Escape));
    actClose = make(&QWidget::close);
    // Enter works the default button, or the button that has the focus.
    auto* enter = make(&TFormTimeZones::enterPressed);
    enter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});

    // These read the same in both languages; SetLang leaves them alone.
    const ZoneTexts& t = m_list.texts();
    actOK->setText(qs(t.actOK));
    actEsc->setText(qs(t.actEsc));
    actClose->setText(qs(t.actClose));
}

void TFormTimeZones::createList() {
    lv = new QTableWidget(0, kZoneColumnCount, this);
    lv->setObjectName(QStringLiteral("lv"));
    lv->setShowGrid(true);
    lv->setSelectionBehavior(QAbstractItemView::SelectRows);
    lv->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv->setSortingEnabled(false);
    lv->setWordWrap(false);
    lv->setTabKeyNavigation(false);
    lv->setIconSize(QSize(16, 16));
    lv->setMinimumHeight(60);
    lv->verticalHeader()->hide();
    lv->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lv->verticalHeader()->setDefaultSectionSize(lv->fontMetrics().height() + 6);
    QHeaderView* header = lv->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(kZoneColumnMinWidth);
    header->setStretchLastSection(false);
    for (int c = 0; c < kZoneColumnCount; ++c) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(alignmentOf(c));
        lv->setHorizontalHeaderItem(c, item);
        header->resizeSection(c, kZoneColumns[static_cast<std::size_t>(c)].width);
    }
    // The number column holds the row icon beside "000"; the design width leaves no room for
    // the style's margins at the usual desktop fonts, so it grows to what they take.
    const int numberWidth =
        lv->iconSize().width() + lv->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14;
    if (numberWidth > header->sectionSize(kColNumber))
        header->resizeSection(kColNumber, numberWidth);
    // The selection stays visible while another control has the focus.
    QPalette palette = lv->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    lv->setPalette(palette);

    connect(lv->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFormTimeZones::lvSelectItem);
    connect(lv, &QAbstractItemView::doubleClicked, actUse, &QAction::trigger);

    popLv = new QMenu(this);
    popLv->addAction(actUse);
    popLv->addSeparator();
    popLv->addActions({actWorld, actWorldEarlier, actWorldLater, actWorldName});
    popLv->addSeparator();
    popLv->addActions({actAdd, actRemoveSelected});
    popLv->addSeparator();
    popLv->addActions({actMoveUp, actMoveDown});
    popLv->addSeparator();
    popLv->addActions({actMarkAsUser, actMarkAsSystem});
    lv->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lv, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popLv->popup(lv->viewport()->mapToGlobal(pos)); });
}

QWidget* TFormTimeZones::createLeftPanel() {
    auto* pnLeft = new QWidget(this);
    pnLeft->setObjectName(QStringLiteral("pnLeft"));
    auto* layout = new QVBoxLayout(pnLeft);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    btnAdd = new QPushButton(pnLeft);
    btnDelete = new QPushButton(pnLeft);
    btnUp = new QPushButton(pnLeft);
    btnDown = new QPushButton(pnLeft);
    Button3 = new QPushButton(pnLeft);
    const std::pair<QPushButton*, QAction*> bound[] = {{btnAdd, actAdd},
                                                       {btnDelete, actRemoveSelected},
                                                       {btnUp, actMoveUp},
                                                       {btnDown, actMoveDown},
                                                       {Button3, actUpdateTZ}};
    for (const auto& [button, action] : bound) {
        bindButton(button, action);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return pnLeft;
}

QGroupBox* TFormTimeZones::createSpinGroup(ZoneField first, int count, int columns) {
    static const char* const kSpinNames[kZoneFieldCount] = {
        "GMTBiasHour", "GMTBiasMin", "DSTBiasHour", "DSTBiasMin", "StdBiasHour",
        "StdBiasMin",  "DSTDay",     "DSTMonth",    "DSTHour",    "DSTMin",
        "StdDay",      "StdMonth",   "StdHour",     "StdMin"};
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    for (int k = 0; k < count; ++k) {
        const int field = first + k;
        const auto f = static_cast<std::size_t>(field);
        auto* box = new QSpinBox(group);
        box->setObjectName(QStringLiteral("ud") + QLatin1String(kSpinNames[f]));
        box->setRange(kZoneFieldRanges[f].min, kZoneFieldRanges[f].max);
        box->setAlignment(Qt::AlignRight);
        connect(box, &QSpinBox::valueChanged, this, [this, field](int value) {
            if (!m_rendering) m_list.setField(static_cast<ZoneField>(field), value);
        });
        auto* label = new QLabel(group);
        label->setObjectName(QStringLiteral("lbl") + QLatin1String(kSpinNames[f]));
        label->setBuddy(box);
        spin[f] = box;
        spinLabel[f] = label;
        const int row = k / columns;
        const int column = (k % columns) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(box, row, column + 1);
    }
    return group;
}

QWidget* TFormTimeZones::createEditPanel() {
    auto* Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(createLeftPanel());

    auto* fields = new QGridLayout;
    fields->setSpacing(6);
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(4);
    lblName = new QLabel(Panel1);
    edName = new QLineEdit(Panel1);
    edName->setObjectName(QStringLiteral("edName"));
    lblName->setBuddy(edName);
    connect(edName, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_rendering) m_list.setName(text.toStdString());
    });
    nameRow->addWidget(lblName);
    nameRow->addWidget(edName, 1);
    Button1 = new QPushButton(Panel1);
    Button2 = new QPushButton(Panel1);
    Button4 = new QPushButton(Panel1);
    Button7 = new QPushButton(Panel1);
    const std::pair<QPushButton*, QAction*> bound[] = {
        {Button1, actCopyInfo}, {Button2, actPasteInfo}, {Button4, actClear}, {Button7, actOK}};
    for (const auto& [button, action] : bound) {
        bindButton(button, action);
        nameRow->addWidget(button);
    }
    fields->addLayout(nameRow, 0, 0, 1, 2);

    gbGMTBias = createSpinGroup(kGMTBiasHour, 2, 2);
    gbDSTBias = createSpinGroup(kDSTBiasHour, 2, 2);
    gbStdBias = createSpinGroup(kStdBiasHour, 2, 2);
    gbDST = createSpinGroup(kDSTDay, 4, 2);
    gbStd = createSpinGroup(kStdDay, 4, 2);
    auto* biasColumn = new QVBoxLayout;
    biasColumn->setSpacing(4);
    for (QGroupBox* g : {gbGMTBias, gbDSTBias, gbStdBias}) biasColumn->addWidget(g);
    biasColumn->addStretch(1);
    auto* startColumn = new QVBoxLayout;
    startColumn->setSpacing(4);
    for (QGroupBox* g : {gbDST, gbStd}) startColumn->addWidget(g);
    startColumn->addStretch(1);
    fields->addLayout(biasColumn, 1, 0);
    fields->addLayout(startColumn, 1, 1);
    layout->addLayout(fields, 1);
    return Panel1;
}

QWidget* TFormTimeZones::createBottomPanel() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    lblSelZoneTime = new QLabel(panel);
    lblTZTime = new QLabel(panel);
    lblTZDate = new QLabel(panel);
    QPalette maroon = lblTZTime->palette();
    maroon.setColor(QPalette::WindowText, kMaroon);
    lblTZTime->setPalette(maroon);
    // The preview texts change every half second; they must not resize the window.
    for (QLabel* l : {lblTZTime, lblTZDate}) {
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    btnWorld = new QPushButton(panel);
    btnWorld->setObjectName(QStringLiteral("btnWorld"));
    btnUse = new QPushButton(panel);
    btnCancel = new QPushButton(panel);
    bindButton(btnWorld, actWorld);
    bindButton(btnUse, actUse);
    bindButton(btnCancel, actCancel);
    btnUse->setDefault(true);
    grid->addWidget(lblSelZoneTime, 0, 0);
    grid->addWidget(lblTZTime, 0, 1);
    grid->addWidget(lblTZDate, 1, 1);
    grid->addWidget(btnWorld, 0, 2);
    grid->addWidget(btnUse, 0, 3);
    grid->addWidget(btnCancel, 1, 3);
    grid->setColumnStretch(1, 1);
    return panel;
}

void TFormTimeZones::SetLang() {
    m_list.SetLang(m_state.English);
    const ZoneTexts& t = m_list.texts();
    const std::pair<QAction*, const std::string*> actions[] = {
        {actAdd, &t.actAdd},
        {actRemoveSelected, &t.actRemoveSelected},
        {actMoveUp, &t.actMoveUp},
        {actMoveDown, &t.actMoveDown},
        {actUpdateTZ, &t.actUpdateTZ},
        {actMarkAsUser, &t.actMarkAsUser},
        {actMarkAsSystem, &t.actMarkAsSystem},
        {actCopyInfo, &t.actCopyInfo},
        {actPasteInfo, &t.actPasteInfo},
        {actClear, &t.actClear},
        {actUse, &t.actUse},
        {actCancel, &t.actCancel},
        {actWorld, &t.actWorld},
        {actWorldEarlier, &t.actWorldEarlier},
        {actWorldLater, &t.actWorldLater},
        {actWorldName, &t.actWorldName},
    };
    for (const auto& [action, text] : actions) action->setText(qs(*text));

    lblName->setText(qs(t.lblName));
    gbGMTBias->setTitle(qs(t.gbGMTBias));
    gbDSTBias->setTitle(qs(t.gbDSTBias));
    gbStdBias->setTitle(qs(t.gbStdBias));
    gbDST->setTitle(qs(t.gbDST));
    gbStd->setTitle(qs(t.gbStd));
    for (int f = 0; f < kZoneFieldCount; ++f) {
        const std::string* text = nullptr;
        if (f < kDSTDay) {
            text = f % 2 == 0 ? &t.lblBiasHour : &t.lblBiasMin;
        } else {
            const std::string* start[] = {&t.lblStartDay, &t.lblStartMonth, &t.lblStartHour,
                                          &t.lblStartMin};
            text = start[(f - kDSTDay) % 4];
        }
        spinLabel[static_cast<std::size_t>(f)]->setText(qs(*text));
    }
    lblSelZoneTime->setText(qs(t.lblSelZoneTime));
    for (int c = 0; c < kZoneColumnCount; ++c) {
        lv->horizontalHeaderItem(c)->setText(qs(t.columns[static_cast<std::size_t>(c)]));
    }
    setWindowTitle(qs(m_list.windowCaption()));
    // Once created, the window never gets narrower than it was then, nor than the captions of
    // the new language need.
    if (minimumWidth() > 0) {
        setMinimumWidth(std::max(minimumWidth(), layout()->minimumSize().width()));
    }
}

void TFormTimeZones::InitAll() {
    const ZoneActionState a = m_list.enabledActions();
    const std::pair<QAction*, bool> actions[] = {
        {actAdd, a.actAdd},
        {actRemoveSelected, a.actRemoveSelected},
        {actMoveUp, a.actMoveUp},
        {actMoveDown, a.actMoveDown},
        {actUpdateTZ, a.actUpdateTZ},
        {actMarkAsUser, a.actMarkAsUser},
        {actMarkAsSystem, a.actMarkAsSystem},
        {actCopyInfo, a.actCopyInfo},
        {actPasteInfo, a.actPasteInfo},
        {actClear, a.actClear},
        {actOK, a.actOK},
        {actUse, a.actUse},
    };
    for (const auto& [action, enabled] : actions) action->setEnabled(enabled);
    lblName->setEnabled(a.edName);
    edName->setEnabled(a.edName);
    for (QGroupBox* g : {gbGMTBias, gbDSTBias, gbStdBias}) g->setEnabled(a.biasGroups);
    for (QGroupBox* g : {gbDST, gbStd}) g->setEnabled(a.startGroups);
    const WorldActionState w = worldActions(m_state.WorldLines, selectedZoneName(m_list));
    actWorld->setEnabled(w.actWorld);
    actWorld->setChecked(w.onClock);
    actWorldEarlier->setEnabled(w.actWorldEarlier);
    actWorldLater->setEnabled(w.actWorldLater);
    actWorldName->setEnabled(w.actWorldName);
    if (!m_list.hasSelection()) {
        lblTZTime->clear();
        lblTZDate->clear();
    }
}

void TFormTimeZones::saveIfModified() {
    saveCatalogueOnClose(m_list, m_files, m_state);
}

void TFormTimeZones::setCloseKey(const QKeySequence& key) {
    actClose->setShortcut(key);
}

void TFormTimeZones::TimerTZTimer() {
    TimerTZ->stop();
    LoadIniUserTZ(m_list, m_files, m_state.UserZonesFile);
    LoadIniTZ(m_list, m_files, m_state.SysZonesFile);
    render();
}

void TFormTimeZones::Timer1Timer() {
    if (m_state.WorldLines != m_shownLines) renderWorld();
    if (!m_list.hasSelection()) return;
    lblTZTime->setText(qs(m_list.previewTimeText()));
    lblTZDate->setText(qs(m_list.previewDateText(m_state.DateFormat, m_names)));
}

void TFormTimeZones::render() {
    renderRows();
    renderSelection();
    renderFields();
    InitAll();
    setWindowTitle(qs(m_list.windowCaption()));
    Timer1Timer();
}

void TFormTimeZones::renderRows() {
    const FlagGuard guard(m_rendering);
    m_list.markWorldLines(m_state.WorldLines);
    m_shownLines = m_state.WorldLines;
    const int rows = m_list.rowCount();
    lv->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < kZoneColumnCount; ++c) {
            QTableWidgetItem* item = lv->item(r, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
                item->setTextAlignment(alignmentOf(c));
                lv->setItem(r, c, item);
            }
            // Only what changed is set: a full catalogue has thousands of cells.
            const QString text = qs(m_list.cellText(r, c));
            if (item->text() != text) item->setText(text);
        }
        QTableWidgetItem* number = lv->item(r, kColNumber);
        const int icon = m_list.iconIndex(r);
        if (number->data(IconIndexRole) != icon) {
            number->setData(IconIndexRole, icon);
            number->setIcon(icon >= 0 && icon < static_cast<int>(kZoneIconCount)
                                ? m_icons[static_cast<std::size_t>(icon)]
                                : QIcon());
        }
        QTableWidgetItem* name = lv->item(r, kColName);
        const bool bold = m_list.nameBold(r);
        if (name->font().bold() != bold) {
            QFont font = lv->font();
            font.setBold(bold);
            name->setFont(font);
        }
    }
}

void TFormTimeZones::renderWorld() {
    {
        const FlagGuard guard(m_rendering);
        m_list.markWorldLines(m_state.WorldLines);
        m_shownLines = m_state.WorldLines;
        for (int r = 0; r < std::min(m_list.rowCount(), lv->rowCount()); ++r) {
            QTableWidgetItem* item = lv->item(r, kColClock);
            const QString text = qs(m_list.cellText(r, kColClock));
            if (item != nullptr && item->text() != text) item->setText(text);
        }
    }
    InitAll();
}

void TFormTimeZones::worldEdited() {
    renderWorld();
    emit worldLinesChanged();
}

void TFormTimeZones::renderSelection() {
    const FlagGuard guard(m_rendering);
    QItemSelection selection;
    const std::vector<int> rows = m_list.selection();
    for (const int r : rows) {
        selection.select(lv->model()->index(r, 0), lv->model()->index(r, kZoneColumnCount - 1));
    }
    QItemSelectionModel* model = lv->selectionModel();
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!rows.empty()) {
        model->setCurrentIndex(lv->model()->index(rows.front(), 0), QItemSelectionModel::NoUpdate);
    }
}

void TFormTimeZones::renderFields() {
    const FlagGuard guard(m_rendering);
    const ZoneFields& f = m_list.fields();
    const QString name = qs(f.name);
    if (edName->text() != name) edName->setText(name);
    for (std::size_t i = 0; i < spin.size(); ++i) spin[i]->setValue(f.values[i]);
}

void TFormTimeZones::lvSelectItem() {
    if (m_rendering) return;
    std::vector<int> rows;
    for (const QModelIndex& index : lv->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    m_list.setSelection(rows);
    renderFields();
    InitAll();
    setWindowTitle(qs(m_list.windowCaption()));
    Timer1Timer();
}

void TFormTimeZones::afterAction(void (ZoneList::*action)()) {
    (m_list.*action)();
    render();
}

void TFormTimeZones::actAddExecute() {
    const int row = m_list.actAdd();
    render();
    lv->scrollToItem(lv->item(row, kColNumber));
}

void TFormTimeZones::actOKExecute() {
    const bool linesChanged = okFollowingWorldLines(m_list, m_state.WorldLines);
    render();
    if (linesChanged) emit worldLinesChanged();
}

void TFormTimeZones::actWorldExecute() {
    const std::optional<ZoneSelection> zone = m_list.zoneToUse();
    if (!zone) return;
    switch (toggleWorldLine(m_state.WorldLines, *zone)) {
        case WorldToggle::Added:
        case WorldToggle::Removed:
            worldEdited();
            return;
        case WorldToggle::Full:
            InitAll();  // the triggered action checked itself
            m_prompts.tell(this, QStringLiteral("Temura"), qs(m_list.texts().worldFull),
                           PromptIcon::Warning);
            return;
        case WorldToggle::Unusable:
            InitAll();
            return;
    }
}

void TFormTimeZones::actWorldMoveExecute(int step) {
    const std::optional<std::string> name = selectedZoneName(m_list);
    if (name && moveZoneWorldLine(m_state.WorldLines, *name, step)) worldEdited();
}

void TFormTimeZones::actWorldNameExecute() {
    const std::optional<std::string> name = selectedZoneName(m_list);
    const std::optional<std::string> shown =
        name ? worldLineName(m_state.WorldLines, *name) : std::nullopt;
    if (!shown) return;
    // Opened on the name the line shows: accepting it unchanged changes nothing.
    const std::optional<QString> typed = m_prompts.askText(
        this, QStringLiteral("Temura"), qs(m_list.texts().worldNameLabel), qs(*shown));
    if (typed && renameZoneWorldLine(m_state.WorldLines, *name, typed->toStdString()))
        worldEdited();
}

void TFormTimeZones::actUseExecute() {
    const std::optional<ZoneSelection> zone = m_list.zoneToUse();
    if (!zone) return;
    applyZone(m_state, m_clock, *zone);
    emit zoneUsed();
}

void TFormTimeZones::actUpdateTZExecute() {
    const ZoneTexts& t = m_list.texts();
    const QString title = qs(t.updateTitle);
    if (!m_prompts.askYesNo(this, title, qtLines(t.updateQuestion))) return;
    const int year = m_clock.localTime().year;
    const std::unique_ptr<ZoneTableSource> table = m_zoneTable ? m_zoneTable(year) : nullptr;
    const bool done = table && UpdateTZ(m_list, m_files, *table, m_state, year);
    const bool linesChanged = done && refreshWorldLines(m_state.WorldLines, m_list, year);
    render();
    if (linesChanged) emit worldLinesChanged();
    m_prompts.tell(this, title, qs(done ? t.updateDone : t.updateFailed), PromptIcon::Warning);
}

void TFormTimeZones::enterPressed() {
    auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (focused != nullptr && focused->window() == this && focused != btnUse) {
        focused->click();
        return;
    }
    actUse->trigger();
}

void TFormTimeZones::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_state.WorldLines != m_shownLines) renderWorld();
    Timer1->start();
}

void TFormTimeZones::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    Timer1->stop();
}

void TFormTimeZones::closeEvent(QCloseEvent* event) {
    // There is no closing without keeping the list's changes.
    saveCatalogueOnClose(m_list, m_files, m_state);
    Timer1->stop();
    event->accept();
}

}  // namespace temura
