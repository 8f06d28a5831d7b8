#include "qtgui/form_save.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "qtgui/form_main.h"
#include "qtgui/text_qt.h"
#include "ui/save_rules.h"

namespace temura {

namespace {

constexpr int kWidth = 390;
constexpr int kHeight = 272;
constexpr int kMinWidth = 350;
constexpr int kStatusMs = 5000;

}  // namespace

TFormSave::TFormSave(TFormMain& main, Files& files, Prompts& prompts, std::string userFolder,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_main(main),
      m_files(files),
      m_prompts(prompts),
      m_userFolder(std::move(userFolder)) {
    buildControls();

    Timer = new QTimer(this);
    Timer->setInterval(kStatusMs);
    connect(Timer, &QTimer::timeout, this, &TFormSave::TimerTimer);

    actEsc = new QAction(this);
    actEsc->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(actEsc);
    connect(actEsc, &QAction::triggered, this, &QWidget::close);

    connect(SpeedButton1, &QPushButton::clicked, this, &TFormSave::actSelectAllExecute);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFormSave::actUnselectAllExecute);
    connect(btnBrowse, &QPushButton::clicked, this, &TFormSave::actBrowseExecute);
    connect(btnSave, &QPushButton::clicked, this, &TFormSave::actSaveExecute);
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    chOverwritePrompt->setChecked(m_main.state().SaveOverwritePrompt);
    connect(chOverwritePrompt, &QCheckBox::clicked, this,
            [this](bool checked) { m_main.state().SaveOverwritePrompt = checked; });

    connect(&m_main, &TFormMain::languageChanged, this, &TFormSave::SetLang);
    connect(&m_main, &TFormMain::zoneChanged, this, [this] {
        if (isVisible()) GetInfo();
    });
    // A zone can also be switched off by Default or a settings file.
    connect(&m_main, &TFormMain::settingsChanged, this,
            [this] { chTZ->setEnabled(m_main.state().UseTZ); });
    connect(&m_main, &TFormMain::settingsFileLoaded, this, &TFormSave::setDefaultFileName);

    // The height stays as built; the width can grow, and shrink down to what the texts need.
    int height = kHeight;
    int width = kWidth;
    for (const bool english : {true, false}) {
        applyTexts(english);
        height = std::max(height, sizeHint().height());
        width = std::max(width, sizeHint().width());
    }
    SetLang();
    setFixedHeight(height);
    resize(width, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    GetInfo();
}

void TFormSave::buildControls() {
    auto* panel = new QFrame(this);
    m_panel = panel;
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);

    lblInfo = new QLabel(panel);
    chMode = new QCheckBox(panel);
    chPosition = new QCheckBox(panel);
    chTimer = new QCheckBox(panel);
    chDate = new QCheckBox(panel);
    chTZLabel = new QCheckBox(panel);
    chBgColor = new QCheckBox(panel);
    chOther = new QCheckBox(panel);
    lblOtherInfo1 = new QLabel(panel);
    lblOtherInfo2 = new QLabel(panel);
    chTZ = new QCheckBox(panel);
    chWorld = new QCheckBox(panel);
    for (QCheckBox* c : groupBoxes()) c->setChecked(true);
    SpeedButton1 = new QPushButton(panel);
    SpeedButton2 = new QPushButton(panel);
    chOverwritePrompt = new QCheckBox(panel);
    lblFileName = new QLabel(panel);
    edFileName = new QLineEdit(panel);
    lblFileName->setBuddy(edFileName);
    btnBrowse = new QPushButton(panel);
    btnSave = new QPushButton(panel);
    btnCancel = new QPushButton(panel);
    for (QPushButton* b : {SpeedButton1, SpeedButton2, btnBrowse, btnCancel}) {
        b->setAutoDefault(false);
    }
    btnSave->setDefault(true);
    lblStatus = new QLabel(this);

    // Two columns of groups; the explanation of "Other" stands under its box, indented to its
    // text.
    auto* groupsGrid = new QGridLayout;
    groupsGrid->setHorizontalSpacing(24);
    groupsGrid->setVerticalSpacing(2);
    groupsGrid->addWidget(chMode, 0, 0);
    groupsGrid->addWidget(chPosition, 1, 0);
    groupsGrid->addWidget(chTimer, 2, 0);
    groupsGrid->addWidget(chDate, 3, 0);
    groupsGrid->addWidget(chTZLabel, 4, 0);
    groupsGrid->addWidget(chBgColor, 0, 1);
    groupsGrid->addWidget(chOther, 1, 1);
    auto* otherInfo = new QVBoxLayout;
    otherInfo->setSpacing(0);
    const int indent = chOther->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                       chOther->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    otherInfo->setContentsMargins(indent, 0, 0, 0);
    otherInfo->addWidget(lblOtherInfo1);
    otherInfo->addWidget(lblOtherInfo2);
    groupsGrid->addLayout(otherInfo, 2, 1, 2, 1);
    groupsGrid->addWidget(chTZ, 4, 1);
    groupsGrid->addWidget(chWorld, 5, 1);
    groupsGrid->setColumnStretch(2, 1);

    auto* selectRow = new QHBoxLayout;
    selectRow->addWidget(SpeedButton1);
    selectRow->addWidget(SpeedButton2);
    selectRow->addStretch(1);
    selectRow->addWidget(chOverwritePrompt);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(lblFileName);
    nameRow->addWidget(edFileName, 1);
    nameRow->addWidget(btnBrowse);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(btnSave);
    buttonRow->addWidget(btnCancel);

    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(lblInfo);
    panelLayout->addLayout(groupsGrid);
    panelLayout->addStretch(1);
    panelLayout->addLayout(selectRow);
    panelLayout->addLayout(nameRow);
    panelLayout->addLayout(buttonRow);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 4);
    outer->setSpacing(3);
    outer->addWidget(panel, 1);
    outer->addWidget(lblStatus);
}

void TFormSave::SetLang() {
    applyTexts(m_main.state().English);
}

void TFormSave::setDefaultFileName(const QString& path) {
    m_defaultFileName = QDir::toNativeSeparators(path);
}

void TFormSave::applyTexts(bool english) {
    const SaveTexts t = saveTexts(english);
    setWindowTitle(qs(t.caption));
    lblInfo->setText(qs(t.lblInfo));
    chMode->setText(qs(t.chMode));
    chPosition->setText(qs(t.chPosition));
    chTimer->setText(qs(t.chTimer));
    chDate->setText(qs(t.chDate));
    chTZLabel->setText(qs(t.chTZLabel));
    chBgColor->setText(qs(t.chBgColor));
    chOther->setText(qs(t.chOther));
    lblOtherInfo1->setText(qs(t.lblOtherInfo1));
    lblOtherInfo2->setText(qs(t.lblOtherInfo2));
    chTZ->setText(qs(t.chTZ));
    chWorld->setText(qs(t.chWorld));
    SpeedButton1->setText(qs(t.actSelectAll));
    SpeedButton2->setText(qs(t.actUnselectAll));
    chOverwritePrompt->setText(qs(t.chOverwritePrompt));
    lblFileName->setText(qs(t.lblFileName));
    btnBrowse->setText(qs(t.actBrowse));
    btnSave->setText(qs(t.actSave));
    btnCancel->setText(qs(t.actCancel));
    // The new texts count at once, not at the next layout pass.
    for (QLayout* l : {m_panel->layout(), layout()}) {
        l->invalidate();
        l->activate();
    }
    setMinimumWidth(std::max(kMinWidth, minimumSizeHint().width()));
}

void TFormSave::GetInfo() {
    if (edFileName->text().trimmed().isEmpty()) edFileName->setText(m_defaultFileName);
    chTZ->setEnabled(m_main.state().UseTZ);
}

SettingsGroups TFormSave::groups() const {
    SettingsGroups g;
    g.mode = chMode->isChecked();
    g.position = chPosition->isChecked();
    g.timer = chTimer->isChecked();
    g.date = chDate->isChecked();
    g.tzLabel = chTZLabel->isChecked();
    g.bgColor = chBgColor->isChecked();
    g.other = chOther->isChecked();
    g.tz = chTZ->isChecked() && chTZ->isEnabledTo(this);
    g.world = chWorld->isChecked();
    return g;
}

void TFormSave::actSelectAllExecute() {
    for (QCheckBox* c : groupBoxes()) {
        if (c->isEnabledTo(this)) c->setChecked(true);
    }
}

void TFormSave::actUnselectAllExecute() {
    for (QCheckBox* c : groupBoxes()) {
        if (c->isEnabledTo(this)) c->setChecked(false);
    }
}

std::array<QCheckBox*, 9> TFormSave::groupBoxes() const {
    return {chMode, chPosition, chTimer, chDate, chTZLabel, chBgColor, chOther, chTZ, chWorld};
}

void TFormSave::showStatus(const std::string& text) {
    lblStatus->setText(qs(text));
}

void TFormSave::actSaveExecute() {
    const bool english = m_main.state().English;
    const std::string path = targetPath().toStdString();
    if (path.empty()) return;
    if (chOverwritePrompt->isChecked() && m_files.exists(path) &&
        !m_prompts.askYesNo(this, QStringLiteral("Temura"),
                            qtLines(overwriteQuestion(path, english)))) {
        showStatus(saveStatusText(SaveOutcome::Cancelled, english));
        if (!Timer->isActive()) Timer->start();
        return;
    }
    // The status clears five seconds after the first of several quick saves.
    if (!Timer->isActive()) Timer->start();
    const bool saved =
        saveSettingsFile(m_files, path, groups(), m_main.state(), m_main.currentLook());
    showStatus(saveStatusText(saved ? SaveOutcome::Saved : SaveOutcome::Failed, english));
}

QString TFormSave::targetPath() const {
    return QDir::toNativeSeparators(
        qs(settingsFilePath(edFileName->text().toStdString(), QDir::currentPath().toStdString())));
}

void TFormSave::actBrowseExecute() {
    // The dialog opens on the file Save would write, so a name typed or picked before stays.
    const QString target = targetPath();
    QString picked;
    {
        const FileDialogFlag flag(m_main.state().FileDialogOpen);
        picked = m_prompts.saveFileName(this, target.isEmpty() ? qs(m_userFolder) : target,
                                        qs(settingsFileFilter(m_main.state().English)),
                                        QString::fromLatin1(kSettingsExtension));
    }
    if (picked.isEmpty()) return;
    m_defaultFileName = QDir::toNativeSeparators(picked);
    edFileName->setText(m_defaultFileName);
}

void TFormSave::TimerTimer() {
    lblStatus->clear();
    Timer->stop();
}

}  // namespace temura
