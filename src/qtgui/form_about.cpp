#include "qtgui/form_about.h"

#include <QAction>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWindow>

#include "app/links.h"
#include "qtgui/colour_qt.h"

namespace temura {

namespace {

constexpr int kSize = 220;
const QColor kTitleColour(231, 211, 103);
const QColor kVersionColour(204, 198, 153);
const QColor kLinkColour(80, 80, 255);

QFont linkFont() {
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    f.setUnderline(true);
    return f;
}

}  // namespace

TFormAbout2::TFormAbout2(const ClockState& state, Desktop& desktop, TickPlayer& ticks,
                         QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      m_state(state),
      m_desktop(desktop),
      m_ticks(ticks) {
    setWindowTitle(QStringLiteral("Temura"));
    setFixedSize(kSize, kSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - QPoint(kSize / 2, kSize / 2));
    }
    setMouseTracking(true);
    m_canvas = QPixmap(kSize, kSize);
    m_canvas.fill(Qt::black);

    // The labels only take the clicks; their texts are painted with the dial, so the labels
    // themselves stay invisible (text in the window's colour).
    lblWww = new QLabel(QString::fromLatin1(links::kHomePage), this);
    lblWww->setToolTip(QString::fromLatin1(links::kHomePage));
    lblWww->setGeometry((kSize - 201) / 2, 138, 201, QFontMetrics(linkFont()).height());
    lblAuthor = new QLabel(QString::fromLatin1(links::kAuthor), this);
    lblAuthor->setToolTip(QString::fromLatin1(links::kContact));
    const int authorTop = kSize / 8 * 7 - QFontMetrics(linkFont()).height();
    lblAuthor->setGeometry((kSize - 135) / 2, authorTop, 135, QFontMetrics(linkFont()).height());
    for (QLabel* l : {lblWww, lblAuthor}) {
        l->setFont(linkFont());
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setCursor(Qt::PointingHandCursor);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(0, 0, 0, 0));
        l->setPalette(p);
        l->installEventFilter(this);
    }

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFormAbout2::Timer1Timer);

    actEsc = new QAction(this);
    actEsc->setShortcut(QKeySequence(Qt::Key_Escape));
    actClose = new QAction(this);
    actIncGST = new QAction(this);
    actIncGST->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Period));
    for (QAction* a : {actEsc, actClose, actIncGST}) addAction(a);
    connect(actEsc, &QAction::triggered, this, &QWidget::close);
    connect(actClose, &QAction::triggered, this, &QWidget::close);
    connect(actIncGST, &QAction::triggered, this, [this] { m_animation.incGST(); });
}

void TFormAbout2::setCloseKey(const QKeySequence& key) {
    actClose->setShortcut(key);
}

void TFormAbout2::open() {
    show();
    // The offscreen platform cannot raise windows and warns on every attempt.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) raise();
    activateWindow();
    Rep();
}

void TFormAbout2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Timer1->start();
}

void TFormAbout2::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    Timer1->stop();
    m_drag.release();  // a release while hidden never reaches us
}

void TFormAbout2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    setMask(QRegion(rect(), QRegion::Ellipse));
}

void TFormAbout2::Timer1Timer() {
    m_animation.tick();
    Rep();
    m_ticks.playBuiltIn();
}

void TFormAbout2::drawLink(QPainter& p, const QLabel* label) {
    const QFontMetrics fm(label->font());
    const int x = width() / 2 - fm.horizontalAdvance(label->text()) / 2;
    p.drawText(QPoint(x, label->y() + fm.ascent()), label->text());
}

const QPixmap& TFormAbout2::textLayer() {
    const int english = m_state.English ? 1 : 0;
    if (english == m_textsEnglish) return m_texts;
    m_textsEnglish = english;
    const AboutTexts texts = aboutTexts(m_state.English);
    m_shownVersion = QString::fromStdString(texts.version);
    m_texts = QPixmap(size());
    m_texts.fill(Qt::transparent);
    QPainter p(&m_texts);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(width() / 2, height() / 2);
    const int cy = height() / 2;
    const auto centred = [&p](const std::string& text, int top) {
        const QString s = QString::fromStdString(text);
        const QFontMetrics fm(p.font());
        p.drawText(QPoint(-fm.horizontalAdvance(s) / 2, top + fm.ascent()), s);
    };
    QFont title(QStringLiteral("Verdana"));
    title.setPointSize(18);
    title.setBold(true);
    p.setFont(title);
    p.setPen(kTitleColour);
    centred(texts.title, -QFontMetrics(title).height() / 2);

    QFont small(QStringLiteral("Verdana"));
    small.setPointSize(8);
    p.setFont(small);
    p.setPen(kVersionColour);
    const int h = QFontMetrics(small).height();
    const int versionTop = -h / 2 - cy / 2;
    centred(texts.version, versionTop);
    centred(texts.date, versionTop + h + 6);
    p.setPen(kTitleColour);
    centred(texts.freeware, cy / 5 - cy);

    p.resetTransform();
    p.setFont(lblWww->font());
    p.setPen(kLinkColour);
    drawLink(p, lblWww);
    drawLink(p, lblAuthor);
    return m_texts;
}

void TFormAbout2::Rep() {
    m_animation.beforeDraw();
    render();
}

void TFormAbout2::render() {
    const int cx = width() / 2;
    const int cy = height() / 2;
    m_canvas.fill(Qt::black);
    QPainter p(&m_canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(cx, cy);
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(m_animation.sweepColour()));
    p.drawPie(QRect(-cx, -cy, 2 * cx, 2 * cy), m_animation.pieStart16(), m_animation.pieSpan16());

    const QColor mark = toQColor(m_animation.markColour());
    p.setPen(QPen(mark, 2));
    p.setBrush(mark);
    p.drawEllipse(QRect(QPoint(cx - 8, -3), QPoint(cx - 2, 3)));
    p.drawEllipse(QRect(QPoint(-3, cy - 8), QPoint(3, cy - 2)));
    p.drawEllipse(QRect(QPoint(2 - cx, -3), QPoint(8 - cx, 3)));
    p.drawEllipse(QRect(QPoint(-3, 2 - cy), QPoint(3, 8 - cy)));

    p.resetTransform();
    p.drawPixmap(0, 0, textLayer());
    p.end();
    update();
}

void TFormAbout2::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, m_canvas);
}

void TFormAbout2::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_drag.press(event->globalPosition().toPoint());
}

void TFormAbout2::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) m_drag.moveTo(event->globalPosition().toPoint());
}

void TFormAbout2::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_drag.release();
}

bool TFormAbout2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == lblWww) m_desktop.openUrl(links::kHomePage);
        if (watched == lblAuthor) {
            m_desktop.openUrl(std::string("mailto:") + links::kContact + "?subject=Temura%201.0");
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace temura
