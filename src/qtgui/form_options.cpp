#include "qtgui/form_options.h"

#include <QAction>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "qtgui/colour_qt.h"
#include "qtgui/form_main.h"
#include "qtgui/form_save.h"
#include "qtgui/text_qt.h"
#include "ui/main_rules.h"
#include "ui/save_rules.h"

namespace temura {

static_assert(kSysColourBtnFace == kSysColourButtonFace);

namespace {

constexpr int kMargin = 8;
constexpr int kFontsTop = 8;
constexpr const char* kDesktop = "Desktop";
constexpr const char* kStartMenu = "Start Menu";

// Applies one change to the clock's look and shows it.
void changeLook(TFormMain& main, const std::function<void(ClockState&, DisplayLook&)>& change) {
    DisplayLook look = main.currentLook();
    change(main.state(), look);
    main.applyLook(look);
}

QSize grown(QSize a, QSize b) {
    return a.expandedTo(b);
}

// The size a widget asks for with the texts it holds now, not those of the last layout pass.
QSize hintOf(QWidget* w) {
    if (QLayout* l = w->layout()) {
        l->invalidate();
        l->activate();
    }
    return w->sizeHint().expandedTo(w->minimumSizeHint());
}

int buttonWidth(const QPushButton* b) {
    return std::max(b->sizeHint().width(), 75);
}

}  // namespace

// ---- small controls ----

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(40, 20);
}

void ColourSwatch::setColour(Colour colour) {
    m_colour = colour;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(contentsRect(), toQColor(m_colour));
    p.end();
    QFrame::paintEvent(event);
}

void ColourSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_leftDown = true;
    if (event->button() == Qt::RightButton) emit rightPressed();
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const bool click = m_leftDown && rect().contains(event->position().toPoint());
    m_leftDown = false;
    if (click) emit leftClicked();
}

FontSizeBox::FontSizeBox(QWidget* parent) : QSpinBox(parent) {
    setRange(kMinFontSize, kMaxFontSize);
    lineEdit()->setReadOnly(true);
}

// ---- construction ----

TFormOptions::TFormOptions(TFormMain& main, TFormSave& save, Shell* shell, Prompts& prompts,
                           std::string userFolder, std::string programPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_main(main),
      m_save(save),
      m_shell(shell),
      m_prompts(prompts),
      m_userFolder(std::move(userFolder)),
      m_programPath(std::move(programPath)) {
    pc = new QTabWidget(this);
    // The pages show without a frame of their own.
    pc->setDocumentMode(true);
    tsMain = new QWidget;
    tsFonts = new QWidget;
    tsFormat = new QWidget;
    tsLang = new QWidget;
    tsRegistry = new QWidget;
    for (QWidget* page : {tsMain, tsFonts, tsFormat, tsLang, tsRegistry}) pc->addTab(page, {});

    btnDefault = new QPushButton(this);
    btnSaveSettings = new QPushButton(this);
    btnLoadSettings = new QPushButton(this);
    for (QPushButton* b : {btnDefault, btnSaveSettings, btnLoadSettings}) b->setAutoDefault(false);

    buildMainPage();
    buildFontsPage();
    buildFormatPage();
    buildLangPage();
    buildRegistryPage();
    buildActions();

    connect(btnDefault, &QPushButton::clicked, m_main.actDefault, &QAction::trigger);
    connect(btnSaveSettings, &QPushButton::clicked, actSaveSettings, &QAction::trigger);
    connect(btnLoadSettings, &QPushButton::clicked, actLoadSettings, &QAction::trigger);

    connect(&m_main, &TFormMain::settingsChanged, this, [this] {
        if (isVisible()) GetInfo();
    });
    connect(&m_main, &TFormMain::languageChanged, this, &TFormOptions::SetLang);

    const std::array<Colour, 5> custom =
        customColours(resolveColour(kSysColourWindow), resolveColour(kSysColourBtnFace));
    for (std::size_t i = 0; i < custom.size(); ++i) m_customColours[i] = toQColor(custom[i]);

    placePages();
    connect(pc, &QTabWidget::currentChanged, this, &TFormOptions::pcChange);
    pc->setCurrentWidget(tsMain);
    pcChange();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TFormOptions::buildMainPage() {
    lblBg = new QLabel(tsMain);
    shBgColor = new ColourSwatch(tsMain);
    lblTransparency = new QLabel(tsMain);
    lblAlpha = new QLabel(tsMain);
    tbAlpha = new QSlider(Qt::Horizontal, tsMain);
    tbAlpha->setRange(0, 100);
    tbAlpha->setTickPosition(QSlider::NoTicks);
    chShowMode = new QCheckBox(tsMain);
    chShowDate = new QCheckBox(tsMain);
    chShowTZ = new QCheckBox(tsMain);
    chShowWorld = new QCheckBox(tsMain);
    chPlayTick = new QCheckBox(tsMain);
    chShortcut = new QCheckBox(tsMain);
    chMenuStart = new QCheckBox(tsMain);

    auto* alphaRow = new QHBoxLayout;
    alphaRow->setSpacing(4);  // the value follows its label closely
    alphaRow->addWidget(lblTransparency);
    alphaRow->addWidget(lblAlpha);
    alphaRow->addStretch(1);

    auto* layout = new QVBoxLayout(tsMain);
    layout->setContentsMargins(kMargin + 2, kMargin, kMargin + 2, kMargin);
    layout->setSpacing(3);
    layout->addWidget(lblBg);
    layout->addWidget(shBgColor);
    layout->addSpacing(6);
    layout->addLayout(alphaRow);
    layout->addWidget(tbAlpha);
    layout->addSpacing(6);
    for (QCheckBox* c : {chShowMode, chShowDate, chShowTZ, chShowWorld, chPlayTick}) {
        layout->addWidget(c);
    }
    layout->addSpacing(6);
    layout->addWidget(chShortcut);
    layout->addWidget(chMenuStart);
    layout->addStretch(1);

    connect(tbAlpha, &QSlider::valueChanged, this, [this] {
        if (!m_filling) tbAlphaChange();
    });
    connect(shBgColor, &ColourSwatch::leftClicked, this,
            [this] { chooseColour(shBgColor, Swatch::Background); });
    connect(shBgColor, &ColourSwatch::rightPressed, this, [this] {
        setColour(shBgColor, Swatch::Background, defaultColour(Swatch::Background));
    });
    connect(chShowMode, &QCheckBox::clicked, this,
            [this](bool on) { setShown(&ClockState::ModeVisible, on); });
    connect(chShowDate, &QCheckBox::clicked, this,
            [this](bool on) { setShown(&ClockState::DateVisible, on); });
    connect(chShowTZ, &QCheckBox::clicked, this,
            [this](bool on) { setShown(&ClockState::TZVisible, on); });
    connect(chShowWorld, &QCheckBox::clicked, this,
            [this](bool on) { setShown(&ClockState::WorldVisible, on); });
    connect(chPlayTick, &QCheckBox::clicked, this,
            [this](bool on) { setShown(&ClockState::PlayTick, on); });
    connect(chShortcut, &QCheckBox::clicked, this, [this](bool on) { setShortcut(kDesktop, on); });
    connect(chMenuStart, &QCheckBox::clicked, this,
            [this](bool on) { setShortcut(kStartMenu, on); });
    chShortcut->setEnabled(m_shell != nullptr);
    chMenuStart->setEnabled(m_shell != nullptr);
}

TFormOptions::FontGroup TFormOptions::makeFontGroup(const QStringList& families) {
    FontGroup g;
    g.box = new QGroupBox(tsFonts);
    g.lblSize = new QLabel(g.box);
    g.size = new FontSizeBox(g.box);
    g.lblColor = new QLabel(g.box);
    g.colour = new ColourSwatch(g.box);
    g.lblName = new QLabel(g.box);
    g.fonts = new QComboBox(g.box);
    g.fonts->setEditable(true);
    g.fonts->setInsertPolicy(QComboBox::NoInsert);
    g.fonts->setMaxVisibleItems(16);
    g.fonts->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    g.fonts->setMinimumContentsLength(16);
    g.fonts->addItems(families);
    g.fonts->setEditText({});
    g.lblStyle = new QLabel(g.box);
    g.bold = new QCheckBox(g.box);
    g.italic = new QCheckBox(g.box);

    auto* grid = new QGridLayout(g.box);
    grid->setHorizontalSpacing(6);
    grid->addWidget(g.lblSize, 0, 0);
    grid->addWidget(g.size, 0, 1, Qt::AlignLeft);
    grid->addWidget(g.lblColor, 0, 2, Qt::AlignRight);
    grid->addWidget(g.colour, 0, 3, Qt::AlignLeft);
    grid->addWidget(g.lblName, 1, 0);
    grid->addWidget(g.fonts, 1, 1, 1, 3);
    grid->addWidget(g.lblStyle, 2, 0);
    grid->addWidget(g.bold, 2, 1);
    grid->addWidget(g.italic, 2, 2, 1, 2);
    grid->setColumnStretch(2, 1);
    return g;
}

void TFormOptions::connectFontGroup(const FontGroup& g, ClockLine line) {
    connect(g.size, &QSpinBox::valueChanged, this, [this, line](int size) {
        if (!m_filling) changeFontSize(line, size);
    });
    connect(g.fonts, &QComboBox::editTextChanged, this, [this, line](const QString& name) {
        if (!m_filling) changeFontName(line, name);
    });
    const auto style = [this, line, g] {
        changeFontStyle(line, g.bold->isChecked(), g.italic->isChecked());
    };
    connect(g.bold, &QCheckBox::clicked, this, style);
    connect(g.italic, &QCheckBox::clicked, this, style);
    const Swatch which = line == ClockLine::Time   ? Swatch::TimeFont
                         : line == ClockLine::Date ? Swatch::DateFont
                                                   : Swatch::ZoneFont;
    ColourSwatch* swatch = g.colour;
    connect(swatch, &ColourSwatch::leftClicked, this,
            [this, swatch, which] { chooseColour(swatch, which); });
    connect(swatch, &ColourSwatch::rightPressed, this,
            [this, swatch, which] { setColour(swatch, which, defaultColour(which)); });
}

void TFormOptions::buildFontsPage() {
    const QStringList families = QFontDatabase::families();
    gbFont = makeFontGroup(families);
    gbDateFont = makeFontGroup(families);
    gbTZFont = makeFontGroup(families);
    connectFontGroup(gbFont, ClockLine::Time);
    connectFontGroup(gbDateFont, ClockLine::Date);
    connectFontGroup(gbTZFont, ClockLine::Zone);

    const struct {
        QToolButton** button;
        const char* arrow;
        ClockLine from;
        ClockLine to;
    } copies[] = {
        {&btnTimerToDate, "-->", ClockLine::Time, ClockLine::Date},
        {&btnDateToTimer, "<--", ClockLine::Date, ClockLine::Time},
        {&btnTimerToTZ, "-->", ClockLine::Time, ClockLine::Zone},
        {&btnTZToTimer, "<--", ClockLine::Zone, ClockLine::Time},
        {&btnDateToTZ, "<--", ClockLine::Date, ClockLine::Zone},
        {&btnTZToDate, "-->", ClockLine::Zone, ClockLine::Date},
    };
    for (const auto& c : copies) {
        auto* b = new QToolButton(tsFonts);
        b->setText(QString::fromLatin1(c.arrow));
        b->setFocusPolicy(Qt::NoFocus);
        const ClockLine from = c.from;
        const ClockLine to = c.to;
        connect(b, &QToolButton::clicked, this, [this, from, to] { copyFont(from, to); });
        *c.button = b;
    }
    for (QFrame*& bevel : m_bevels) {
        bevel = new QFrame(tsFonts);
        bevel->setFrameShadow(QFrame::Sunken);
    }
}

void TFormOptions::buildFormatPage() {
    gbTimeFormat = new QGroupBox(tsFormat);
    gbETimeFormat = new QGroupBox(tsFormat);
    gbDateFormat = new QGroupBox(tsFormat);
    const auto fill = [this](QGroupBox* box, auto& buttons, QButtonGroup*& group) {
        group = new QButtonGroup(this);
        auto* layout = new QVBoxLayout(box);
        layout->setSpacing(2);
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            buttons[i] = new QRadioButton(box);
            group->addButton(buttons[i], static_cast<int>(i));
            layout->addWidget(buttons[i]);
        }
        layout->addStretch(1);
    };
    fill(gbTimeFormat, rbTimeFormat, m_timeFormats);
    fill(gbETimeFormat, rbETimeFormat, m_eTimeFormats);
    fill(gbDateFormat, rbDateFormat, m_dateFormats);

    connect(m_timeFormats, &QButtonGroup::idClicked, this, [this](int id) {
        m_main.state().TimeFormat = static_cast<std::uint8_t>(id);
        m_main.SetSize2();
    });
    connect(m_eTimeFormats, &QButtonGroup::idClicked, this, [this](int id) {
        m_main.state().ETimeFormat = static_cast<std::uint8_t>(id);
        m_main.SetSize2();
    });
    connect(m_dateFormats, &QButtonGroup::idClicked, this, [this](int id) {
        m_main.state().DateFormat = static_cast<std::uint8_t>(id);
        m_main.SetSize2();
        // The date line shows the new format at once, not at the next slow tick.
        m_main.TimerSTimer();
    });
}

void TFormOptions::buildLangPage() {
    gbLang = new QGroupBox(tsLang);
    rbEn = new QRadioButton(gbLang);
    rbPl = new QRadioButton(gbLang);
    auto* inner = new QVBoxLayout(gbLang);
    inner->addWidget(rbEn);
    inner->addWidget(rbPl);
    auto* layout = new QVBoxLayout(tsLang);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(gbLang, 0, Qt::AlignLeft);
    layout->addStretch(1);
    connect(rbEn, &QRadioButton::clicked, this, &TFormOptions::rbEnClick);
    connect(rbPl, &QRadioButton::clicked, this, &TFormOptions::rbEnClick);
}

void TFormOptions::buildRegistryPage() {
    btnDelReg = new QPushButton(tsRegistry);
    btnDelReg->setAutoDefault(false);
    auto* layout = new QVBoxLayout(tsRegistry);
    layout->setContentsMargins(kMargin, kMargin + 4, kMargin, kMargin);
    layout->addWidget(btnDelReg);
    layout->addStretch(1);
    connect(btnDelReg, &QPushButton::clicked, this, &TFormOptions::btnDelRegClick);
}

void TFormOptions::buildActions() {
    const auto action = [this](const QKeySequence& key) {
        auto* a = new QAction(this);
        a->setShortcut(key);
        addAction(a);
        return a;
    };
    actEsc = action(QKeySequence(Qt::Key_Escape));
    actClose = action(m_main.actOptions->shortcut());
    actLoadSettings = action(QKeySequence(QStringLiteral("Ctrl+O")));
    actSaveSettings = action(QKeySequence(QStringLiteral("Ctrl+S")));
    actF6 = action(QKeySequence(Qt::Key_F6));
    actF7 = action(QKeySequence(Qt::Key_F7));
    actF8 = action(QKeySequence(Qt::Key_F8));
    actF9 = action(QKeySequence(Qt::Key_F9));
    actF11 = action(QKeySequence(Qt::Key_F11));
    connect(actEsc, &QAction::triggered, this, &QWidget::close);
    connect(actClose, &QAction::triggered, this, &QWidget::close);
    connect(actLoadSettings, &QAction::triggered, this, &TFormOptions::actLoadSettingsExecute);
    connect(actSaveSettings, &QAction::triggered, this, &TFormOptions::actSaveSettingsExecute);
    // The clock's own toggles, while this window has the keyboard; the clock then refreshes
    // this window.
    connect(actF6, &QAction::triggered, m_main.actShowMode, &QAction::trigger);
    connect(actF7, &QAction::triggered, m_main.actShowDate, &QAction::trigger);
    connect(actF8, &QAction::triggered, m_main.actShowTZName, &QAction::trigger);
    connect(actF9, &QAction::triggered, m_main.actPlayTick, &QAction::trigger);
    connect(actF11, &QAction::triggered, m_main.actWorldLines, &QAction::trigger);
}

// ---- geometry ----

// Sizes the groups of the Format and Fonts pages for the longer texts of the two languages,
// so the window keeps its size when the language changes, and works out both window sizes.
void TFormOptions::placePages() {
    QSize fontGroup;
    QSize dateFormat;
    QSize timeFormat;
    QSize otherPages;
    int copyButton = 0;
    for (const bool english : {true, false}) {
        applyTexts(english);
        for (const FontGroup* g : {&gbFont, &gbDateFont, &gbTZFont}) {
            fontGroup = grown(fontGroup, hintOf(g->box));
        }
        dateFormat = grown(dateFormat, hintOf(gbDateFormat));
        timeFormat = grown(timeFormat, hintOf(gbTimeFormat).expandedTo(hintOf(gbETimeFormat)));
        for (QWidget* page : {tsMain, tsLang, tsRegistry}) {
            otherPages = grown(otherPages, hintOf(page));
        }
        // The tabs and the buttons along the bottom must fit as well.
        const int tabs = pc->tabBar()->sizeHint().width() + 4;
        const int buttons = kMargin + buttonWidth(btnDefault) + 12 + buttonWidth(btnSaveSettings) +
                            6 + buttonWidth(btnLoadSettings) + kMargin;
        otherPages.setWidth(std::max({otherPages.width(), tabs, buttons}));
    }
    for (const QToolButton* b :
         {btnTimerToDate, btnDateToTimer, btnTimerToTZ, btnTZToTimer, btnDateToTZ, btnTZToDate}) {
        copyButton = std::max(copyButton, b->sizeHint().width());
    }
    SetLang();

    const int pageTop = pc->tabBar()->sizeHint().height();
    const int buttonHeight = btnSaveSettings->sizeHint().height();

    // Format page: the date formats on the left, time over e-Time on the right; both columns
    // end together. The compact size must also hold the other pages.
    const int columnHeight = std::max(dateFormat.height(), 2 * timeFormat.height() + 6);
    const int rightLeft = kMargin + dateFormat.width() + kMargin;
    int timeWidth = timeFormat.width();
    timeWidth = std::max(timeWidth, otherPages.width() - 15 - rightLeft);
    int etimeHeight = columnHeight - timeFormat.height() - 6;
    const int neededBottom = otherPages.height() - buttonHeight;
    const int extra = std::max(0, neededBottom - (kMargin + columnHeight));
    etimeHeight += extra;
    gbDateFormat->setGeometry(kMargin, kMargin, dateFormat.width(), columnHeight + extra);
    gbTimeFormat->setGeometry(rightLeft, kMargin, timeWidth, timeFormat.height());
    gbETimeFormat->setGeometry(rightLeft, gbTimeFormat->geometry().bottom() + 1 + 6, timeWidth,
                               etimeHeight);
    const auto pageRect = [](const QWidget* w) {
        return PageRect{w->x(), w->y(), w->width(), w->height()};
    };
    m_compact =
        temura::compactSize(pageRect(gbTimeFormat), pageRect(gbETimeFormat), pageTop, buttonHeight);

    // Fonts page: the time and date groups side by side, the zone-name group centred under
    // them, and between them the copy buttons: the time-date pair under the gap between the
    // upper groups, the other pairs beside the zone-name group.
    const int w = fontGroup.width();
    const int h = fontGroup.height();
    const int bh = btnTimerToDate->sizeHint().height();
    const int band = bh + 8;
    const int tzTop = kFontsTop + h + band;
    m_fontsPage = fontsPage(w, tzTop + h, pageTop, buttonHeight);
    gbFont.box->setGeometry(m_fontsPage.gbFontLeft, kFontsTop, w, h);
    gbDateFont.box->setGeometry(m_fontsPage.gbDateFontLeft, kFontsTop, w, h);
    gbTZFont.box->setGeometry(m_fontsPage.gbTZFontLeft, tzTop, w, h);

    const int gapCentre = (gbFont.box->geometry().right() + gbDateFont.box->x()) / 2;
    const int bandTop = kFontsTop + h + 4;
    btnDateToTimer->setGeometry(gapCentre - copyButton - 1, bandTop, copyButton, bh);
    btnTimerToDate->setGeometry(gapCentre + 1, bandTop, copyButton, bh);

    const int pairTop = tzTop + h / 2 - bh;
    const int leftCentre = (gbFont.box->x() + gbTZFont.box->x()) / 2;
    const int rightCentre =
        (gbTZFont.box->geometry().right() + gbDateFont.box->geometry().right()) / 2;
    btnTimerToTZ->setGeometry(leftCentre - copyButton / 2, pairTop, copyButton, bh);
    btnTZToTimer->setGeometry(leftCentre - copyButton / 2, pairTop + bh + 2, copyButton, bh);
    btnDateToTZ->setGeometry(rightCentre - copyButton / 2, pairTop, copyButton, bh);
    btnTZToDate->setGeometry(rightCentre - copyButton / 2, pairTop + bh + 2, copyButton, bh);

    // Bevels: down from the upper group to the pair, across from the pair to the zone group.
    const int pairMiddle = pairTop + bh + 1;
    const int upperBottom = kFontsTop + h;
    m_bevels[0]->setFrameShape(QFrame::VLine);
    m_bevels[0]->setGeometry(leftCentre - 1, upperBottom, 3, pairTop - upperBottom);
    m_bevels[1]->setFrameShape(QFrame::HLine);
    m_bevels[1]->setGeometry(leftCentre + copyButton / 2, pairMiddle - 1,
                             gbTZFont.box->x() - leftCentre - copyButton / 2, 3);
    m_bevels[2]->setFrameShape(QFrame::VLine);
    m_bevels[2]->setGeometry(rightCentre - 1, upperBottom, 3, pairTop - upperBottom);
    const int tzRight = gbTZFont.box->geometry().right() + 1;
    m_bevels[3]->setFrameShape(QFrame::HLine);
    m_bevels[3]->setGeometry(tzRight, pairMiddle - 1, rightCentre - copyButton / 2 - tzRight, 3);
}

void TFormOptions::pcChange() {
    if (pc->currentWidget() == tsFonts) {
        gbFont.box->move(m_fontsPage.gbFontLeft, gbFont.box->y());
        gbDateFont.box->move(m_fontsPage.gbDateFontLeft, gbDateFont.box->y());
        gbTZFont.box->move(m_fontsPage.gbTZFontLeft, gbTZFont.box->y());
        setFixedSize(m_fontsPage.window.width, m_fontsPage.window.height);
    } else {
        setFixedSize(m_compact.width, m_compact.height);
    }
}

void TFormOptions::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeButtons();
}

void TFormOptions::placeButtons() {
    const int bh = btnSaveSettings->sizeHint().height();
    const int top = height() - bh - kMargin;
    pc->setGeometry(0, 0, width(), top - 4);
    const auto widthOf = buttonWidth;
    btnDefault->setGeometry(kMargin, top, widthOf(btnDefault), bh);
    const int loadLeft = width() - kMargin - widthOf(btnLoadSettings);
    btnLoadSettings->setGeometry(loadLeft, top, widthOf(btnLoadSettings), bh);
    btnSaveSettings->setGeometry(loadLeft - 6 - widthOf(btnSaveSettings), top,
                                 widthOf(btnSaveSettings), bh);
}

// ---- texts ----

void TFormOptions::SetLang() {
    applyTexts(m_main.state().English);
}

void TFormOptions::applyTexts(bool english) {
    const OptionsTexts t = optionsTexts(english);
    setWindowTitle(qs(t.caption));
    pc->setTabText(pc->indexOf(tsMain), qs(t.tsMain));
    pc->setTabText(pc->indexOf(tsFonts), qs(t.tsFonts));
    pc->setTabText(pc->indexOf(tsFormat), qs(t.tsFormat));
    pc->setTabText(pc->indexOf(tsLang), qs(t.tsLang));
    pc->setTabText(pc->indexOf(tsRegistry), qs(t.tsRegistry));
    lblBg->setText(qs(t.lblBg));
    lblTransparency->setText(qs(t.lblTransparency));
    chShowMode->setText(qs(t.chShowMode));
    chShowDate->setText(qs(t.chShowDate));
    chShowTZ->setText(qs(t.chShowTZ));
    chShowWorld->setText(qs(t.chShowWorld));
    chPlayTick->setText(qs(t.chPlayTick));
    chShortcut->setText(qs(t.chShortcut));
    chMenuStart->setText(qs(t.chMenuStart));
    gbFont.box->setTitle(qs(t.gbFont));
    gbDateFont.box->setTitle(qs(t.gbDateFont));
    gbTZFont.box->setTitle(qs(t.gbTZFont));
    for (const FontGroup* g : {&gbFont, &gbDateFont, &gbTZFont}) {
        g->lblSize->setText(qs(t.lblFontSize));
        g->lblName->setText(qs(t.lblFontName));
        g->lblColor->setText(qs(t.lblFontColor));
        g->lblStyle->setText(qs(t.lblFontStyle));
        g->bold->setText(qs(t.chBold));
        g->italic->setText(qs(t.chItalic));
        g->colour->setToolTip(qtLines(t.fontColourHint));
    }
    shBgColor->setToolTip(qtLines(t.bgColourHint));
    gbTimeFormat->setTitle(qs(t.gbTimeFormat));
    gbETimeFormat->setTitle(qs(t.gbETimeFormat));
    gbDateFormat->setTitle(qs(t.gbDateFormat));
    for (std::size_t i = 0; i < rbTimeFormat.size(); ++i) {
        rbTimeFormat[i]->setText(qs(t.timeFormats[i]));
    }
    for (std::size_t i = 0; i < rbETimeFormat.size(); ++i) {
        rbETimeFormat[i]->setText(qs(t.eTimeFormats[i]));
    }
    for (std::size_t i = 0; i < rbDateFormat.size(); ++i) {
        rbDateFormat[i]->setText(qs(t.dateFormats[i]));
    }
    gbLang->setTitle(qs(t.gbLang));
    rbEn->setText(qs(t.rbEn));
    rbPl->setText(qs(t.rbPl));
    btnDelReg->setText(qs(t.btnDelReg));
    actLoadSettings->setText(qs(t.actLoadSettings));
    actSaveSettings->setText(qs(t.actSaveSettings));
    btnLoadSettings->setText(qs(t.actLoadSettings));
    btnSaveSettings->setText(qs(t.actSaveSettings));
    // The Default button speaks as the clock's Default command does.
    btnDefault->setText(m_main.actDefault->text());
    btnDefault->setToolTip(m_main.actDefault->toolTip());
    placeButtons();
}

// ---- filling ----

void TFormOptions::GetInfo() {
    const ClockState& s = m_main.state();
    m_filling = true;
    tbAlpha->setValue(percentFromAlpha(m_main.currentLook().Alpha));
    m_filling = false;
    // Runs once even when the position stayed, so the opacity lands on the slider's scale.
    tbAlphaChange();

    m_filling = true;
    const DisplayLook look = m_main.currentLook();
    const auto fillGroup = [](const FontGroup& g, const LineFont& font) {
        g.size->setValue(font.size);
        g.fonts->setEditText(qs(font.name));
        g.bold->setChecked(font.bold);
        g.italic->setChecked(font.italic);
        g.colour->setColour(font.colour);
    };
    fillGroup(gbFont, LineFont{look.TimerFontName, look.TimerFontSize, s.TimerFontBold,
                               s.TimerFontItalic, s.TimerFontColor});
    shBgColor->setColour(look.TimerBgColor);
    if (s.TimeFormat < rbTimeFormat.size()) rbTimeFormat[s.TimeFormat]->setChecked(true);
    if (s.ETimeFormat < rbETimeFormat.size()) rbETimeFormat[s.ETimeFormat]->setChecked(true);
    if (s.DateFormat < rbDateFormat.size()) rbDateFormat[s.DateFormat]->setChecked(true);
    chShowMode->setChecked(s.ModeVisible);
    chShowDate->setChecked(s.DateVisible);
    chShowTZ->setChecked(s.TZVisible);
    chShowWorld->setChecked(s.WorldVisible);
    chPlayTick->setChecked(s.PlayTick);
    fillGroup(gbDateFont, look.date);
    fillGroup(gbTZFont, look.tz);
    chShortcut->setChecked(m_shell && m_shell->ShortcutExists(kDesktop));
    chMenuStart->setChecked(m_shell && m_shell->ShortcutExists(kStartMenu));
    rbEn->setChecked(s.English);
    rbPl->setChecked(!s.English);
    m_filling = false;
}

void TFormOptions::open() {
    GetInfo();
    show();
    // The offscreen platform cannot raise windows and warns on every attempt.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
    activateWindow();
}

// ---- handlers ----

void TFormOptions::tbAlphaChange() {
    const int percent = tbAlpha->value();
    lblAlpha->setText(qs(percentText(percent)));
    changeLook(m_main, [percent](ClockState&, DisplayLook& look) {
        look.Alpha = alphaFromPercent(percent);
    });
}

void TFormOptions::chooseColour(ColourSwatch* swatch, Swatch which) {
    const auto chosen = m_prompts.chooseColour(this, toQColor(swatch->colour()), m_customColours);
    if (chosen) setColour(swatch, which, fromQColor(*chosen));
}

void TFormOptions::setColour(ColourSwatch* swatch, Swatch which, Colour colour) {
    swatch->setColour(colour);
    changeLook(m_main, [which, colour](ClockState& state, DisplayLook& look) {
        setSwatchColour(which, colour, state, look);
    });
    if (which == Swatch::TimeFont) m_main.SetClPaused();
    m_main.SetModeStr();
}

void TFormOptions::copyFont(ClockLine from, ClockLine to) {
    changeLook(m_main, [from, to](ClockState& state, DisplayLook& look) {
        copyLineFont(from, to, state, look);
    });
    if (to == ClockLine::Time) m_main.SetClPaused();
    GetInfo();
    m_main.SetSize();
}

void TFormOptions::changeFontSize(ClockLine line, int size) {
    changeLook(m_main, [line, size](ClockState&, DisplayLook& look) {
        if (line == ClockLine::Time) look.TimerFontSize = size;
        if (line == ClockLine::Date) look.date.size = size;
        if (line == ClockLine::Zone) look.tz.size = size;
    });
    m_main.SetSize();
}

void TFormOptions::changeFontName(ClockLine line, const QString& name) {
    const std::string face = name.toStdString();
    changeLook(m_main, [line, &face](ClockState&, DisplayLook& look) {
        if (line == ClockLine::Time) look.TimerFontName = face;
        if (line == ClockLine::Date) look.date.name = face;
        if (line == ClockLine::Zone) look.tz.name = face;
    });
    m_main.SetSize();
}

void TFormOptions::changeFontStyle(ClockLine line, bool bold, bool italic) {
    changeLook(m_main, [line, bold, italic](ClockState& state, DisplayLook& look) {
        if (line == ClockLine::Time) {
            // The clock's Bold and Italic commands take their check marks from these.
            state.TimerFontBold = bold;
            state.TimerFontItalic = italic;
        }
        LineFont* font = line == ClockLine::Date   ? &look.date
                         : line == ClockLine::Zone ? &look.tz
                                                   : nullptr;
        if (font) {
            font->bold = bold;
            font->italic = italic;
        }
    });
    m_main.SetSize();
}

// The clock's show toggles set straight from the boxes: the clock's own commands may be
// disabled outside the Timer mode.
void TFormOptions::setShown(bool ClockState::*field, bool shown) {
    ClockState& s = m_main.state();
    if (s.*field == shown) return;
    s.*field = shown;
    m_main.syncFromState();
    if (field == &ClockState::PlayTick) {
        if (shown) m_main.SetbTickFile();
        return;
    }
    if (field == &ClockState::WorldVisible) {
        m_main.worldLinesChanged();  // the hint too
        return;
    }
    if (field == &ClockState::DateVisible && shown) m_main.TimerSTimer();
    m_main.SetSize();
}

void TFormOptions::setShortcut(const char* location, bool wanted) {
    if (m_shell) applyShortcutBox(*m_shell, location, wanted, m_programPath);
}

void TFormOptions::rbEnClick() {
    // The clock's language command switches every window and refreshes this one.
    if (rbEn->isChecked() != m_main.state().English) m_main.actChangeLanguage->trigger();
}

void TFormOptions::btnDelRegClick() {
    const QString question = qs(optionsTexts(m_main.state().English).deleteRegistryQuestion);
    if (m_prompts.askYesNo(this, QStringLiteral("Temura"), question)) m_main.clearRegistryAndQuit();
}

void TFormOptions::actLoadSettingsExecute() {
    QString picked;
    {
        const FileDialogFlag flag(m_main.state().FileDialogOpen);
        picked = m_prompts.openFileName(this, qs(m_userFolder),
                                        qs(settingsFileFilter(m_main.state().English)),
                                        QString::fromLatin1(kSettingsExtension));
    }
    if (!picked.isEmpty()) m_main.loadSettings(picked.toStdString());
}

void TFormOptions::actSaveSettingsExecute() {
    m_save.GetInfo();
    m_save.show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) m_save.raise();
    m_save.activateWindow();
}

}  // namespace temura
