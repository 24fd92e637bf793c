#include "gui/LargeDisplay.h"

#include "gui/Accessibility.h"
#include "gui/SevenSegmentDigit.h"
#include "gui/WindowShape.h"
#include "models/Colours.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

namespace cfx {

namespace {
// Geometry inside the window, in pixels.
constexpr int kPictureLeft = 6, kPictureTop = 4, kPictureHeight = 57;
constexpr int kFrameLeft = 8, kFrameTop = 4, kFrameHeight = 49;
constexpr int kDigitTop = 4, kDigitWidth = 22, kDigitHeight = 41;
constexpr int kPairGap = 2;         // between the two digits of a field
constexpr int kSeparatorWidth = 10; // slot of ":" or "."
constexpr int kFirstDigitLeft = 7;
// The panel's move and resize events dock at once; this slow check only catches the rest.
constexpr int kDockCheckMs = 250;

// The window face and the picture box around the frame: neutral, so that both looks read well.
const QColor kFaceColour(0x2e, 0x32, 0x38);
const QColor kPictureColour(0x55, 0x5b, 0x64);

int digitLeft(int index) {
    const int pair = index / 2;
    return kFirstDigitLeft + pair * (2 * kDigitWidth + kPairGap + kSeparatorWidth) +
           (index % 2) * (kDigitWidth + kPairGap);
}

int separatorLeft(int pair) {
    return digitLeft(pair * 2 + 1) + kDigitWidth;
}

void paintBackground(QWidget* w, const QColor& colour) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}
} // namespace

LargeDisplay::LargeDisplay(QWidget* parent)
    // A window of its own, not a tool window: it must stay on the desktop when the panel is
    // minimised, which window managers apply to a tool window together with its owner.
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Stopwatchdisplay1"));
    // Never painted (the window has no caption); it names the window in the task bar and
    // keeps it apart from the panel for the window system.
    setWindowTitle(tr("Chronofex Display"));
    setAccessibleName(tr("Large stopwatch display"));
    buildControls();
    buildMenu();
    wire();
    setColours(kLightGrey, kBlack);
    setLedIdle(true);
    applyWidths();
    announceTime(true);
}

LargeDisplay::~LargeDisplay() = default;

void LargeDisplay::buildControls() {
    paintBackground(this, kFaceColour);

    m_digitArea = new QWidget(this);
    m_digitArea->setObjectName(QStringLiteral("Picture1"));
    // The face reads as the time it shows.
    setAccessibleRole(m_digitArea, QAccessible::StaticText);
    paintBackground(m_digitArea, kPictureColour);

    m_frameBorder = new QWidget(m_digitArea);
    m_frameBorder->setObjectName(QStringLiteral("FrameBorder"));
    m_frameBorder->setAccessibleName(tr("Display frame"));
    m_frameBorder->setGeometry(kFrameLeft, kFrameTop, kFrameWidth, kFrameHeight);

    static const char* const kDigitNames[] = {
        QT_TR_NOOP("Hours, tens"),       QT_TR_NOOP("Hours, units"),
        QT_TR_NOOP("Minutes, tens"),     QT_TR_NOOP("Minutes, units"),
        QT_TR_NOOP("Seconds, tens"),     QT_TR_NOOP("Seconds, units"),
        QT_TR_NOOP("Sub-seconds, tens"), QT_TR_NOOP("Sub-seconds, units")};
    for (int i = 0; i < 8; ++i) {
        auto* led = new SevenSegmentDigit(m_frameBorder);
        led->setObjectName(QStringLiteral("LED%1").arg(i + 1));
        led->setAccessibleName(tr(kDigitNames[i]));
        led->setGeometry(digitLeft(i), kDigitTop, kDigitWidth, kDigitHeight);
        m_leds[static_cast<std::size_t>(i)] = led;
    }

    QFont font = this->font();
    font.setPixelSize(30);
    font.setBold(true);
    auto makeSeparator = [&](const char* name, const QString& caption, int pair,
                             Qt::Alignment align) {
        auto* label = new QLabel(caption, m_frameBorder);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(font);
        label->setAlignment(align);
        label->setGeometry(separatorLeft(pair), kDigitTop, kSeparatorWidth, kDigitHeight);
        label->setAutoFillBackground(true);
        return label;
    };
    m_labelHour = makeSeparator("LabelHour", QStringLiteral(":"), 0, Qt::AlignCenter);
    m_labelMinute = makeSeparator("LabelMinute", QStringLiteral(":"), 1, Qt::AlignCenter);
    m_labelSecond =
        makeSeparator("LabelSecond", QStringLiteral("."), 2, Qt::AlignHCenter | Qt::AlignBottom);

    // Presses anywhere on the face reach the window: the frame, digits and separators are glass.
    for (QWidget* w : m_digitArea->findChildren<QWidget*>())
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_digitArea->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LargeDisplay::buildMenu() {
    m_menu = new QMenu(tr("DisplayOptions"), this);
    m_menu->setObjectName(QStringLiteral("mnuDisplayOptions"));
    m_joinAction = m_menu->addAction(tr("Join with CFX Control Panel"));
    m_joinAction->setObjectName(QStringLiteral("mnuJoin"));
    m_onTopAction = m_menu->addAction(tr("Always onTop"));
    m_onTopAction->setObjectName(QStringLiteral("mnuOnTop"));
    m_onTopAction->setCheckable(true);
    m_transparentAction = m_menu->addAction(tr("Display Transparency..."));
    m_transparentAction->setObjectName(QStringLiteral("mnuTransparent"));
    m_transparentAction->setVisible(false);
}

void LargeDisplay::wire() {
    m_dockTimer = new QTimer(this);
    m_dockTimer->setObjectName(QStringLiteral("Timer1"));
    m_dockTimer->setInterval(kDockCheckMs);
    connect(m_dockTimer, &QTimer::timeout, this, &LargeDisplay::dock);
    connect(m_joinAction, &QAction::triggered, this, &LargeDisplay::joinRequested);
    connect(m_onTopAction, &QAction::triggered, this, &LargeDisplay::setOnTop);
    connect(m_transparentAction, &QAction::triggered, this, &LargeDisplay::transparencyRequested);
}

void LargeDisplay::setLedValues(const std::array<int, 8>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        m_leds[i]->setLedValue(values[i]);
    announceTime(!m_clockRunning);
}

std::array<int, 8> LargeDisplay::ledValues() const {
    std::array<int, 8> values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = m_leds[i]->ledValue();
    return values;
}

void LargeDisplay::setLedIdle(bool idle) {
    for (SevenSegmentDigit* led : m_leds)
        led->setLedIdle(idle);
    announceTime(true);
}

void LargeDisplay::setColours(quint32 background, quint32 lit) {
    applyBackground(background);
    applyLit(lit);
}

void LargeDisplay::setBackground(quint32 background) {
    applyBackground(background);
}

void LargeDisplay::applyBackground(quint32 background) {
    m_background = background;
    const QColor colour = colourFromValue(background);
    paintBackground(m_frameBorder, colour);
    for (SevenSegmentDigit* led : m_leds)
        led->setLedColorOff(background);
    for (QLabel* label : {m_labelHour, m_labelMinute, m_labelSecond}) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::Window, colour);
        label->setPalette(pal);
    }
}

void LargeDisplay::applyLit(quint32 lit) {
    m_lit = lit;
    for (SevenSegmentDigit* led : m_leds)
        led->setLedColorOn(lit);
    for (QLabel* label : {m_labelHour, m_labelMinute, m_labelSecond}) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, colourFromValue(lit));
        label->setPalette(pal);
    }
}

void LargeDisplay::setResolutionOne(bool one) {
    if (one == m_resolutionOne)
        return;
    m_resolutionOne = one;
    applyWidths();
    announceTime(true);
}

void LargeDisplay::setClockRunning(bool running) {
    m_clockRunning = running;
    // The time it stopped at is told at once.
    announceTime(true);
}

QString LargeDisplay::shownTime() const {
    QString text;
    for (int i = 0; i < (m_resolutionOne ? 6 : 8); ++i) {
        if (i == 2 || i == 4)
            text += QLatin1Char(':');
        else if (i == 6)
            text += QLatin1Char('.');
        const SevenSegmentDigit* led = m_leds[static_cast<std::size_t>(i)];
        text += led->ledIdle() ? QStringLiteral("-") : QString::number(led->ledValue());
    }
    return text;
}

void LargeDisplay::announceTime(bool always) {
    // Setting the name tells the accessibility bus; while the clock runs that happens when the
    // seconds change, not at each of the hundred ticks a second (which only compare digits).
    if (!always) {
        std::array<int, 6> seconds{};
        for (std::size_t i = 0; i < seconds.size(); ++i)
            seconds[i] = m_leds[i]->ledValue();
        if (seconds == m_announcedSeconds)
            return;
        m_announcedSeconds = seconds;
    }
    const QString name = tr("Time %1").arg(shownTime());
    if (m_digitArea->accessibleName() != name)
        m_digitArea->setAccessibleName(name);
}

void LargeDisplay::applyWidths() {
    const int window = m_resolutionOne ? kWindowWidthOne : kWindowWidth;
    const int picture = m_resolutionOne ? kPictureWidthOne : kPictureWidth;
    const int frame = m_resolutionOne ? kFrameWidthOne : kFrameWidth;
    m_digitArea->setGeometry(kPictureLeft, kPictureTop, picture, kPictureHeight);
    m_frameBorder->resize(frame, kFrameHeight);
    // The narrow frame ends just after the seconds; the "." would only peek in at its edge.
    m_labelSecond->setVisible(!m_resolutionOne);
    // resizeEvent shapes the window again for the new width.
    setFixedSize(window, kHeight);
}

void LargeDisplay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    clipToRoundRect(this);
}

void LargeDisplay::setPanel(QWidget* panel) {
    if (m_panel)
        m_panel->removeEventFilter(this);
    m_panel = panel;
    if (m_panel)
        m_panel->installEventFilter(this);
    if (m_attached)
        dock();
}

void LargeDisplay::setAttached(bool attached) {
    m_attached = attached;
    if (m_attached) {
        m_dragging = false;
        dock();
        m_dockTimer->start();
    } else {
        m_dockTimer->stop();
    }
}

void LargeDisplay::dock() {
    if (!m_panel)
        return;
    const QRect panel = m_panel->frameGeometry();
    const QPoint target(panel.x() + panel.width(), panel.y());
    if (pos() != target)
        move(target);
}

bool LargeDisplay::eventFilter(QObject* watched, QEvent* event) {
    // The panel's own geometry events drive the docking: the display moves in the same pass of
    // the event loop as the panel, with no polling in between.
    if (watched == m_panel && m_attached) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
            dock();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LargeDisplay::setOnTop(bool onTop) {
    m_onTopAction->setChecked(onTop);
    if (onTop == this->onTop())
        return;
    const bool wasVisible = isVisible();
    // Changing the window flags re-creates the native window, which hides it; show it again.
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible)
        show();
    Q_EMIT onTopChanged(onTop);
}

bool LargeDisplay::onTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void LargeDisplay::prepareOptionsMenu() {
    m_joinAction->setEnabled(!m_attached);
    m_onTopAction->setChecked(onTop());
    m_transparentAction->setVisible(m_translucencyProbe && m_translucencyProbe());
}

void LargeDisplay::closeEvent(QCloseEvent* event) {
    // The display lives as long as the program; a close from the window system is refused.
    if (event->spontaneous())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void LargeDisplay::mousePressEvent(QMouseEvent* event) {
    // Attached, the docking would only put the window back: a press does nothing.
    if (m_attached || event->button() != Qt::LeftButton)
        return;
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
}

void LargeDisplay::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && !m_attached)
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void LargeDisplay::showMenuFromKeyboard() {
    if (m_menu->isVisible())
        return;
    prepareOptionsMenu();
    m_menu->popup(mapToGlobal(QPoint(0, 0)));
    // The first item the keyboard can choose: "Join" is greyed while the display is attached.
    for (QAction* action : m_menu->actions()) {
        if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
            m_menu->setActiveAction(action);
            break;
        }
    }
}

// The Menu key and Shift+F10 open the menu at the window's top left, its first usable item
// selected; the mouse opens it on the right button's release (mouseReleaseEvent).
void LargeDisplay::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        showMenuFromKeyboard();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LargeDisplay::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Keyboard) {
        event->ignore();
        return;
    }
    showMenuFromKeyboard();
    event->accept();
}

void LargeDisplay::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    if (event->button() == Qt::RightButton) {
        prepareOptionsMenu();
        m_menu->popup(event->globalPosition().toPoint());
    }
}

} // namespace cfx
