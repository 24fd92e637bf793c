#include "gui/MainPanel.h"

#include "core/Contrast.h"
#include "core/Stopwatch.h"
#include "core/TimeFormat.h"
#include "gui/Accessibility.h"
#include "gui/Announcer.h"
#include "gui/PanelButton.h"
#include "gui/StopwatchActions.h"
#include "gui/TimeLabel.h"
#include "models/Colours.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace cfx {

namespace {

QIcon resourceIcon(const char* name) {
    return QIcon(QStringLiteral(":/") + QLatin1String(name));
}

} // namespace

MainPanel::MainPanel(Stopwatch& stopwatch, StopwatchActions& actions, QWidget* parent)
    : QWidget(parent), m_stopwatch(stopwatch), m_actions(actions) {
    setObjectName(QStringLiteral("TimerPanel1A"));
    setWindowTitle(QStringLiteral("Chronofex")); // no-tr: the program's name
    setWindowIcon(resourceIcon("WATCHICO"));
    buildControls();
    // The stopwatch keys work wherever the focus is in the panel, unless the focused control
    // uses the key itself (see event()); so do the menu's keys.
    addActions({m_actions.startStop(), m_actions.snap(), m_actions.reset(), m_actions.showMenu(),
                m_actions.open(), m_actions.save(), m_actions.exit()});
    wire();

    // Start-up, in order.
    m_mouseResponseImage->setIconName(QStringLiteral("MOUSEUP"));
    m_lookImage->setIconName(QStringLiteral("DISPLAYLCD"));
    m_flashSoundImage->setIconName(QStringLiteral("CAMERAON"));
    // The two pictures are switches to screen readers, told what they are set to.
    setAccessibleToggle(m_flashSoundImage, m_actions.flashSound()->isChecked());
    showMouseResponse(m_actions.mouseResponse() == StopwatchActions::MouseResponse::OnPress);
    m_lcdOption->setChecked(true);
    m_stopwatch.setLook(DisplayLook::Lcd);
    m_reportCheck->setChecked(false);
    showTime(kIdlePanelText);
    showRunning(false);
    for (int i = 0; i < 100; ++i)
        m_resolutionBox->addItem(QString::number(i + 1));
    showResolution();
    move(1000 / 15, 2000 / 15);
    m_attachDisplayCheck->setChecked(true);
    setResolutionColour(kResolutionApplied);
    setFixedSize(sizeHint());
}

void MainPanel::buildControls() {
    auto named = [](QWidget* w, const char* name, const QString& accessible) {
        w->setObjectName(QLatin1String(name));
        w->setAccessibleName(accessible);
    };

    m_timeLabel = new TimeLabel(this);
    m_timeLabel->setText(QStringLiteral("TimerDisplay")); // no-tr: the time replaces it
    named(m_timeLabel, "Label2", tr("Time"));
    QFont timeFont(QStringLiteral("DejaVu Sans Mono"));
    timeFont.setStyleHint(QFont::Monospace);
    timeFont.setPointSize(20);
    timeFont.setBold(true);
    m_timeLabel->setFont(timeFont);
    m_timeLabel->setAlignment(Qt::AlignCenter);

    m_stopwatchGroup = new QGroupBox(tr("StopWatch Controls"), this);
    named(m_stopwatchGroup, "Frame2", m_stopwatchGroup->title());
    auto makeButton = [&](const char* name, const QString& caption, const QString& tip,
                          const char* icon) {
        auto* b = new PanelButton(resourceIcon(icon), caption, m_stopwatchGroup);
        named(b, name, caption);
        b->setToolTip(tip);
        b->setIconSize(QSize(20, 20));
        b->setMinimumHeight(32);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    m_startStopButton =
        makeButton("Command4", tr("Start"), tr("Start/Stop Timer\nShortcut: Space"), "START");
    m_snapButton = makeButton("Snap", tr("Snap"), tr("Record Time\nShortcut: Return"), "SNAP");
    m_resetButton = makeButton("Command3", tr("Reset"), tr("Reset Timer\nShortcut: F5"), "RESET");
    auto* buttons = new QHBoxLayout(m_stopwatchGroup);
    buttons->addWidget(m_startStopButton);
    buttons->addWidget(m_snapButton);
    buttons->addWidget(m_resetButton);

    auto* labelEvents = new QLabel(tr("Events in 1 sec"), this);
    named(labelEvents, "LabelEvents", labelEvents->text());
    m_resolutionBox = new QComboBox(this);
    named(m_resolutionBox, "Combo1", tr("Events in 1 sec"));
    m_resolutionBox->setEditable(true);
    m_resolutionBox->setInsertPolicy(QComboBox::NoInsert);
    m_resolutionBox->setMaxVisibleItems(12);
    m_resolutionBox->setToolTip(tr("Choose Timer's sub-second resolution"));
    m_resolutionBox->setMinimumContentsLength(3);
    labelEvents->setBuddy(m_resolutionBox);
    m_applyResolutionButton = new QToolButton(this);
    named(m_applyResolutionButton, "SubSec", tr("Resolution: apply"));
    m_applyResolutionButton->setIcon(resourceIcon("APPLY"));
    m_applyResolutionButton->setIconSize(QSize(20, 20));
    m_applyResolutionButton->setToolTip(tr("Set Timer's sub-second resolution"));
    m_applyResolutionButton->setAutoRaise(true);

    m_lookGroup = new QGroupBox(tr("Display Type"), this);
    named(m_lookGroup, "Frame1", m_lookGroup->title());
    m_lcdOption = new QRadioButton(tr("LCD"), m_lookGroup);
    named(m_lcdOption, "LCDOption", tr("LCD"));
    m_lcdOption->setToolTip(tr("Time Display looks like LCD panel"));
    m_ledOption = new QRadioButton(tr("LED "), m_lookGroup);
    named(m_ledOption, "LEDOption", tr("LED"));
    m_ledOption->setToolTip(tr("Time Display looks like LED panel"));
    m_lookImage = new ClickableImage(m_lookGroup);
    named(m_lookImage, "Image2", tr("Display Type indicator"));
    m_lookImage->setToolTip(tr("Display Type indicator"));
    m_lookImage->setFocusPolicy(Qt::NoFocus);
    m_lookImage->setCursor(Qt::ArrowCursor);
    auto* looks = new QHBoxLayout(m_lookGroup);
    looks->addWidget(m_lcdOption);
    looks->addWidget(m_ledOption);
    looks->addStretch();
    looks->addWidget(m_lookImage);

    m_attachDisplayCheck = new QCheckBox(this);
    named(m_attachDisplayCheck, "Displaychk", tr("Attach Display"));
    m_attachDisplayCheck->setToolTip(tr("Attach/Free Timer Display"));
    auto* label1 = new QLabel(tr("Attach Display"), this);
    named(label1, "Label1", label1->text());
    label1->setBuddy(m_attachDisplayCheck);
    m_reportCheck = new QCheckBox(this);
    named(m_reportCheck, "Reportchk", tr("Report"));
    m_reportCheck->setToolTip(tr("Show/Hide Report"));
    auto* labelShow = new QLabel(tr("Report"), this);
    named(labelShow, "LabelShow", labelShow->text());
    labelShow->setBuddy(m_reportCheck);

    m_flashSoundImage = new ClickableImage(this);
    named(m_flashSoundImage, "Image3", tr("Snap flash and sound"));
    m_flashSoundImage->setToolTip(tr("Snap Flash/Sound - click to enable/disable"));
    m_mouseResponseImage = new ClickableImage(this);
    named(m_mouseResponseImage, "Image1", tr("Mouse response"));
    m_mouseResponseImage->setToolTip(tr("Mouse Response - click to change"));
    m_optionsButton = new QPushButton(resourceIcon("OPTIONS"), QString(), this);
    named(m_optionsButton, "Command1", tr("Options menu"));
    m_optionsButton->setToolTip(tr("Options"));
    m_optionsButton->setIconSize(QSize(20, 20));

    auto* resolution = new QHBoxLayout;
    resolution->addWidget(labelEvents);
    resolution->addWidget(m_resolutionBox, 1);
    resolution->addWidget(m_applyResolutionButton);

    auto* switches = new QHBoxLayout;
    switches->addWidget(m_attachDisplayCheck);
    switches->addWidget(label1);
    switches->addSpacing(10);
    switches->addWidget(m_reportCheck);
    switches->addWidget(labelShow);
    switches->addStretch();
    switches->addWidget(m_flashSoundImage);
    switches->addWidget(m_mouseResponseImage);
    switches->addWidget(m_optionsButton);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->setSpacing(6);
    root->addWidget(m_timeLabel);
    root->addWidget(m_stopwatchGroup);
    root->addLayout(resolution);
    root->addWidget(m_lookGroup);
    root->addLayout(switches);
}

void MainPanel::wireStopwatchButton(PanelButton* button, QAction* action) {
    // The press acts in mouse-down mode, the release in mouse-up mode; Space always on its click.
    connect(button, &PanelButton::mouseDown, this, [this, action] {
        if (m_actions.mouseResponse() == StopwatchActions::MouseResponse::OnPress)
            action->trigger();
    });
    connect(button, &QPushButton::clicked, this, [this, button, action] {
        focusOptionsButton();
        if (m_actions.mouseResponse() == StopwatchActions::MouseResponse::OnRelease ||
            !button->pressedByMouse())
            action->trigger();
    });
    auto followEnabled = [button, action] { button->setEnabled(action->isEnabled()); };
    connect(action, &QAction::changed, button, followEnabled);
    followEnabled();
}

void MainPanel::wire() {
    wireStopwatchButton(m_startStopButton, m_actions.startStop());
    wireStopwatchButton(m_snapButton, m_actions.snap());
    wireStopwatchButton(m_resetButton, m_actions.reset());

    connect(&m_stopwatch, &Stopwatch::ticked, this, [this] { showTime(m_stopwatch.panelText()); });
    // Said whatever started the command, and wherever the focus went.
    connect(&m_stopwatch, &Stopwatch::started, this, [this] {
        showRunning(true);
        announce(this, tr("Started"));
    });
    connect(&m_stopwatch, &Stopwatch::stopped, this, [this] {
        showRunning(false);
        announceTime();
        announce(this, tr("Stopped, %1").arg(m_timeLabel->text()));
    });
    connect(&m_stopwatch, &Stopwatch::resetDone, this, [this] {
        showRunning(false);
        showTime(kIdlePanelText);
        announce(this, tr("Reset"));
    });
    connect(&m_stopwatch, &Stopwatch::resolutionChanged, this, &MainPanel::showResolution);
    connect(&m_stopwatch, &Stopwatch::lookChanged, this, &MainPanel::showLook);

    connect(m_resolutionBox, &QComboBox::activated, this, [this] {
        setResolutionColour(kResolutionPending);
        // The box also reports a typed entry as chosen when the focus leaves it (by Tab, say):
        // the focus then stays where the user sent it.
        const QWidget* focus = QApplication::focusWidget();
        if (!focus || focus == m_resolutionBox || m_resolutionBox->isAncestorOf(focus))
            focusOptionsButton();
    });
    connect(m_resolutionBox->lineEdit(), &QLineEdit::textEdited, this,
            [this] { setResolutionColour(kResolutionPending); });
    // Return in the box applies what it holds.
    connect(m_resolutionBox->lineEdit(), &QLineEdit::returnPressed, m_applyResolutionButton,
            &QToolButton::click);
    connect(m_applyResolutionButton, &QToolButton::clicked, this, [this] {
        m_stopwatch.display().setLedIdle(false);
        setResolutionColour(kResolutionApplied);
        applyResolution();
        // The box would otherwise keep the focus and take Space and Return as text.
        focusOptionsButton();
    });

    connect(m_lcdOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_stopwatch.setLook(DisplayLook::Lcd);
    });
    connect(m_ledOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_stopwatch.setLook(DisplayLook::Led);
    });
    connect(m_attachDisplayCheck, &QCheckBox::toggled, this, &MainPanel::displayAttachToggled);

    // The report switch and the menu's Report item are one setting.
    QAction* report = m_actions.report();
    connect(m_reportCheck, &QCheckBox::toggled, report, &QAction::setChecked);
    connect(report, &QAction::toggled, m_reportCheck, &QCheckBox::setChecked);

    connect(m_mouseResponseImage, &ClickableImage::clicked, this, [this] {
        m_actions.setMouseResponse(m_actions.mouseResponse() ==
                                           StopwatchActions::MouseResponse::OnPress
                                       ? StopwatchActions::MouseResponse::OnRelease
                                       : StopwatchActions::MouseResponse::OnPress);
    });
    connect(&m_actions, &StopwatchActions::mouseResponseChanged, this,
            [this](StopwatchActions::MouseResponse response) {
                const bool onPress = response == StopwatchActions::MouseResponse::OnPress;
                m_mouseResponseImage->setIconName(onPress ? QStringLiteral("MOUSEDOWN")
                                                          : QStringLiteral("MOUSEUP"));
                showMouseResponse(onPress);
            });
    // The check mark itself is the switch; the picture follows it.
    connect(m_flashSoundImage, &ClickableImage::clicked, m_actions.flashSound(), &QAction::toggle);
    connect(m_actions.flashSound(), &QAction::toggled, this, [this](bool on) {
        m_flashSoundImage->setIconName(on ? QStringLiteral("CAMERAON")
                                          : QStringLiteral("CAMERAOFF"));
        setAccessibleToggle(m_flashSoundImage, on);
    });
    connect(m_optionsButton, &QPushButton::clicked, this, [this] { showOptionsMenu(); });
    m_optionsButton->installEventFilter(this);
    connect(m_actions.showMenu(), &QAction::triggered, this, [this] { showOptionsMenu(true); });
}

void MainPanel::showOptionsMenu(bool fromKeyboard) {
    m_actions.prepareFullMenu(false);
    QMenu* menu = m_actions.optionsMenu();
    menu->popup(m_optionsButton->mapToGlobal(QPoint(0, m_optionsButton->height())));
    if (fromKeyboard) {
        for (QAction* action : menu->actions()) {
            if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
                menu->setActiveAction(action);
                break;
            }
        }
    }
}

QRect MainPanel::optionsButtonArea() const {
    return QRect(m_optionsButton->mapToGlobal(QPoint(0, 0)), m_optionsButton->size());
}

bool MainPanel::focusedControlTakes(const QKeyEvent& key) const {
    const QWidget* focus = focusWidget();
    if (!focus || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const bool space = key.key() == Qt::Key_Space;
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    // Typing in the resolution box; Return applies it.
    if (focus == m_resolutionBox || m_resolutionBox->isAncestorOf(focus))
        return space || enter;
    if (focus == m_optionsButton)
        return m_optionsFocusedByUser && (space || enter);
    // The mode pictures switch on Space and Return alike.
    if (qobject_cast<const ClickableImage*>(focus))
        return space || enter;
    // A focused button, check box or option button does its own action on Space.
    if (qobject_cast<const QAbstractButton*>(focus))
        return space;
    return false;
}

bool MainPanel::event(QEvent* event) {
    // Sent up from the focused control before a key can trigger a shortcut: accepting it hands
    // the key to the control instead of the stopwatch.
    if (event->type() == QEvent::ShortcutOverride &&
        focusedControlTakes(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

bool MainPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_optionsButton && event->type() == QEvent::FocusIn) {
        // Back from its menu or another window, it is as it was before.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            m_optionsFocusedByUser = reason == Qt::TabFocusReason ||
                                     reason == Qt::BacktabFocusReason ||
                                     reason == Qt::ShortcutFocusReason;
    }
    if (watched == m_optionsButton && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Space and Return only once the user put the focus here; a disabled stopwatch command
        // (Snap of a standing clock) leaves its key to the button, which must not open the menu.
        const bool opens = key->key() == Qt::Key_Down ||
                           (m_optionsFocusedByUser &&
                            (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
                             key->key() == Qt::Key_Enter));
        if (opens && key->modifiers() == Qt::NoModifier && !key->isAutoRepeat()) {
            showOptionsMenu(true);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainPanel::showTime(const QString& text) {
    m_timeLabel->setText(text);
    // Screen readers hear the running time once a second: the label changes a hundred times a
    // second, and each announcement travels to the accessibility bus. A standing clock
    // announces every change.
    if (m_stopwatch.isRunning()) {
        const qint32 second = m_stopwatch.currentCs() / 100;
        if (second == m_announcedSecond)
            return;
        m_announcedSecond = second;
    }
    announceTime();
}

void MainPanel::announceTime() {
    // The name is what a screen reader reads; setting it tells the bus it changed.
    const QString name = tr("Time %1").arg(m_timeLabel->text());
    if (m_timeLabel->accessibleName() != name)
        m_timeLabel->setAccessibleName(name);
    if (!m_stopwatch.isRunning())
        m_announcedSecond = -1;
}

void MainPanel::showMouseResponse(bool onPress) {
    // Checked while the controls trigger on the press; the description says it in words.
    setAccessibleToggle(m_mouseResponseImage, onPress);
    QString words = (onPress ? m_actions.mouseDown() : m_actions.mouseUp())->text();
    m_mouseResponseImage->setAccessibleDescription(words.remove(QLatin1Char('&')));
}

void MainPanel::showRunning(bool running) {
    const QString caption = running ? tr("Stop") : tr("Start");
    m_startStopButton->setText(caption);
    m_startStopButton->setAccessibleName(caption);
    m_startStopButton->setIcon(resourceIcon(running ? "STOP" : "START"));
}

QString MainPanel::timeText() const {
    return m_timeLabel->text();
}

QString MainPanel::startStopCaption() const {
    return m_startStopButton->text();
}

void MainPanel::applyResolution() {
    m_stopwatch.setResolution(m_resolutionBox->currentText());
}

// A typed entry becomes the list's current entry, so that the box does not report it as a new
// choice (turning red again) when the focus leaves it.
void MainPanel::showResolution() {
    const QString text = m_stopwatch.resolutionText();
    const int index = m_resolutionBox->findText(text);
    if (index >= 0)
        m_resolutionBox->setCurrentIndex(index);
    else
        m_resolutionBox->setEditText(text);
}

void MainPanel::setResolutionColour(quint32 colour) {
    m_resolutionColour = colour;
    QPalette p = m_resolutionBox->palette();
    p.setColor(QPalette::Base, colourFromValue(colour));
    p.setColor(QPalette::Button, colourFromValue(colour));
    // Whichever of black and white reads better on it (black, on both the red and the yellow).
    const QColor text = colourFromValue(readableTextOn(colour));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::ButtonText, text);
    m_resolutionBox->setPalette(p);
}

void MainPanel::showLook() {
    const bool led = m_stopwatch.look() == DisplayLook::Led;
    m_lookImage->setIconName(led ? QStringLiteral("DISPLAYLED") : QStringLiteral("DISPLAYLCD"));
    (led ? m_ledOption : m_lcdOption)->setChecked(true);
}

void MainPanel::focusOptionsButton() {
    if (isVisible())
        m_optionsButton->setFocus(Qt::OtherFocusReason);
}

void MainPanel::setDisplayAttached(bool on) {
    m_attachDisplayCheck->setChecked(on);
}

bool MainPanel::displayAttached() const {
    return m_attachDisplayCheck->isChecked();
}

void MainPanel::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT closeRequested();
}

void MainPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        m_attachDisplayCheck->setChecked(false);
    }
    QWidget::changeEvent(event);
}

void MainPanel::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    Q_EMIT panelMoved();
}

void MainPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Q_EMIT panelMoved();
}

} // namespace cfx
