#include "timing/TimerPanel1A.h"

#include "app/Program.h"
#include "timing/PanelButton.h"
#include "timing/TimeLabel.h"
#include "timing/TimeText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QIcon resourceIcon(const char* name) {
    return QIcon(QStringLiteral(":/") + QLatin1String(name));
}

QColor colourOf(quint32 value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The options menu's items, in order: name, caption, checkable. "-" is a separator.
struct MenuItem {
    const char* name;
    const char* caption;
    bool checkable;
};

} // namespace

TimerPanel1A::TimerPanel1A(Program& program, QWidget* parent)
    : QWidget(parent), m_program(program) {
    setObjectName(QStringLiteral("TimerPanel1A"));
    setWindowTitle(QStringLiteral("Chronofex"));
    setWindowIcon(resourceIcon("WATCHICO"));
    buildControls();
    buildMenu();
    wire();

    ProgramState& s = m_program.state();
    ClockEngine& clock = m_program.clock();

    // Start-up, in order.
    s.HotkeyFailCount = 0;
    m_image1->setIconName(QStringLiteral("MOUSEUP"));
    m_image2->setIconName(QStringLiteral("DISPLAYLCD"));
    m_image3->setIconName(QStringLiteral("CAMERAON"));
    m_lcdOption->setChecked(true);
    setLook(0);
    m_reportchk->setChecked(false);
    m_label2->setText(cfx::kIdlePanelText);
    m_command4->setText(QStringLiteral("Start"));
    m_snap->setEnabled(false);
    m_command3->setEnabled(false);
    s.EventsPerSec = 10;
    for (int i = 0; i < 100; ++i)
        m_combo1->addItem(QString::number(i + 1));
    m_combo1->setCurrentIndex(9);
    move(1000 / 15, 2000 / 15);
    m_displaychk->setChecked(true);
    s.TimeSetPending = 0;
    s.TimeWasSet = 0;
    s.ResetByCode = 0;
    s.SnapByCode = 0;
    s.StartStopByCode = 0;
    setMouseResponse(0);
    menuAction(QStringLiteral("mnuFlashSound"))->setChecked(true);
    menuAction(QStringLiteral("mnuRate"))->setChecked(false);
    menuAction(QStringLiteral("mnuSpeed"))->setChecked(false);
    s.StampPending = 1;
    clock.display().setLedIdle(true);
    m_command4->setIcon(resourceIcon("START"));
    setComboColour(kComboNormal);

    clock.setRollOver([this] {
        m_program.state().ResetByCode = 1;
        pressReset();
        m_program.state().StartStopByCode = 1;
        pressStartStop();
    });
    setFixedSize(sizeHint());
}

TimerPanel1A::~TimerPanel1A() {
    m_program.clock().setRollOver({});
}

void TimerPanel1A::buildControls() {
    auto named = [](QWidget* w, const char* name, const QString& accessible) {
        w->setObjectName(QLatin1String(name));
        w->setAccessibleName(accessible);
    };

    m_label2 = new TimeLabel(this);
    m_label2->setText(QStringLiteral("TimerDisplay"));
    named(m_label2, "Label2", QStringLiteral("Time"));
    QFont timeFont(QStringLiteral("DejaVu Sans Mono"));
    timeFont.setStyleHint(QFont::Monospace);
    timeFont.setPointSize(20);
    timeFont.setBold(true);
    m_label2->setFont(timeFont);
    m_label2->setAlignment(Qt::AlignCenter);

    m_frame2 = new QGroupBox(QStringLiteral("StopWatch Controls"), this);
    named(m_frame2, "Frame2", m_frame2->title());
    auto makeButton = [&](const char* name, const QString& caption, const QString& tip,
                          const char* icon) {
        auto* b = new PanelButton(resourceIcon(icon), caption, m_frame2);
        named(b, name, caption);
        b->setToolTip(tip);
        b->setIconSize(QSize(20, 20));
        b->setMinimumHeight(32);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    m_command4 = makeButton("Command4", QStringLiteral("Start"),
                            QStringLiteral("Start/Stop Timer\nShortcut: Space"), "START");
    m_snap = makeButton("Snap", QStringLiteral("Snap"),
                        QStringLiteral("Record Time\nShortcut: Return"), "SNAP");
    m_command3 = makeButton("Command3", QStringLiteral("Reset"),
                            QStringLiteral("Reset Timer\nShortcut: F5"), "RESET");
    auto* buttons = new QHBoxLayout(m_frame2);
    buttons->addWidget(m_command4);
    buttons->addWidget(m_snap);
    buttons->addWidget(m_command3);

    auto* labelEvents = new QLabel(QStringLiteral("Events in 1 sec"), this);
    named(labelEvents, "LabelEvents", labelEvents->text());
    m_combo1 = new QComboBox(this);
    named(m_combo1, "Combo1", QStringLiteral("Events in 1 sec"));
    m_combo1->setEditable(true);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    m_combo1->setMaxVisibleItems(12);
    m_combo1->setToolTip(QStringLiteral("Choose Timer's sub-second resolution"));
    m_combo1->setMinimumContentsLength(3);
    labelEvents->setBuddy(m_combo1);
    m_subSec = new QToolButton(this);
    named(m_subSec, "SubSec", QStringLiteral("Resolution: apply"));
    m_subSec->setIcon(resourceIcon("APPLY"));
    m_subSec->setIconSize(QSize(20, 20));
    m_subSec->setToolTip(QStringLiteral("Set Timer's sub-second resolution"));
    m_subSec->setAutoRaise(true);

    m_frame1 = new QGroupBox(QStringLiteral("Display Type"), this);
    named(m_frame1, "Frame1", m_frame1->title());
    m_lcdOption = new QRadioButton(QStringLiteral("LCD"), m_frame1);
    named(m_lcdOption, "LCDOption", QStringLiteral("LCD"));
    m_lcdOption->setToolTip(QStringLiteral("Time Display looks like LCD panel"));
    m_ledOption = new QRadioButton(QStringLiteral("LED "), m_frame1);
    named(m_ledOption, "LEDOption", QStringLiteral("LED"));
    m_ledOption->setToolTip(QStringLiteral("Time Display looks like LED panel"));
    m_image2 = new ClickableImage(m_frame1);
    named(m_image2, "Image2", QStringLiteral("Display Type indicator"));
    m_image2->setToolTip(QStringLiteral("Display Type indicator"));
    m_image2->setFocusPolicy(Qt::NoFocus);
    m_image2->setCursor(Qt::ArrowCursor);
    auto* looks = new QHBoxLayout(m_frame1);
    looks->addWidget(m_lcdOption);
    looks->addWidget(m_ledOption);
    looks->addStretch();
    looks->addWidget(m_image2);

    m_displaychk = new QCheckBox(this);
    named(m_displaychk, "Displaychk", QStringLiteral("Attach Display"));
    m_displaychk->setToolTip(QStringLiteral("Attach/Free Timer Display"));
    auto* label1 = new QLabel(QStringLiteral("Attach Display"), this);
    named(label1, "Label1", label1->text());
    label1->setBuddy(m_displaychk);
    m_reportchk = new QCheckBox(this);
    named(m_reportchk, "Reportchk", QStringLiteral("Report"));
    m_reportchk->setToolTip(QStringLiteral("Show/Hide Report"));
    auto* labelShow = new QLabel(QStringLiteral("Report"), this);
    named(labelShow, "LabelShow", labelShow->text());
    labelShow->setBuddy(m_reportchk);

    m_image3 = new ClickableImage(this);
    named(m_image3, "Image3", QStringLiteral("Snap flash and sound"));
    m_image3->setToolTip(QStringLiteral("Snap Flash/Sound - click to enable/disable"));
    m_image1 = new ClickableImage(this);
    named(m_image1, "Image1", QStringLiteral("Mouse response"));
    m_image1->setToolTip(QStringLiteral("Mouse Response - click to change"));
    m_command1 = new QPushButton(resourceIcon("OPTIONS"), QString(), this);
    named(m_command1, "Command1", QStringLiteral("Options menu"));
    m_command1->setToolTip(QStringLiteral("Options"));
    m_command1->setIconSize(QSize(20, 20));

    // Program-internal buttons: pressed by the open dialog and by the tray.
    m_command5 = new QPushButton(QStringLiteral("Command5"), this);
    named(m_command5, "Command5", QStringLiteral("Load session"));
    m_command5->hide();
    m_command7 = new QPushButton(QStringLiteral("Command2"), this);
    named(m_command7, "Command7", QStringLiteral("Restore from tray"));
    m_command7->hide();

    auto* resolution = new QHBoxLayout;
    resolution->addWidget(labelEvents);
    resolution->addWidget(m_combo1, 1);
    resolution->addWidget(m_subSec);

    auto* switches = new QHBoxLayout;
    switches->addWidget(m_displaychk);
    switches->addWidget(label1);
    switches->addSpacing(10);
    switches->addWidget(m_reportchk);
    switches->addWidget(labelShow);
    switches->addStretch();
    switches->addWidget(m_image3);
    switches->addWidget(m_image1);
    switches->addWidget(m_command1);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->setSpacing(6);
    root->addWidget(m_label2);
    root->addWidget(m_frame2);
    root->addLayout(resolution);
    root->addWidget(m_frame1);
    root->addLayout(switches);
}

void TimerPanel1A::buildMenu() {
    m_menu = new QMenu(QStringLiteral("CFX&Options"), this);
    m_menu->setObjectName(QStringLiteral("mnuCFXOptions"));
    auto add = [](QMenu* menu, const char* name, const char* caption, bool checkable) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QLatin1String(name));
        a->setCheckable(checkable);
        return a;
    };
    auto sub = [](QMenu* menu, const char* name, const char* caption) {
        QMenu* s = menu->addMenu(QString::fromUtf8(caption));
        s->setObjectName(QLatin1String(name) + QStringLiteral("Menu"));
        s->menuAction()->setObjectName(QLatin1String(name));
        return s;
    };
    add(m_menu, "mnuHotkeys", "Set &Hotkeys...", false);
    add(m_menu, "mnuSetTime", "Set Custom &Time...", false);
    QMenu* mouse = sub(m_menu, "mnuMouse", "Mouse &Response");
    add(mouse, "mnuResponseMouseDown", "Controls trigger on Mouse&Down", true);
    add(mouse, "mnuResponseMouseUp", "Controls trigger on Mouse&Up", true);
    add(m_menu, "mnuFlashSound", "SNAP F&lash/Sound", true);
    add(m_menu, "mnuReport", "Re&port", true);
    QMenu* tray = sub(m_menu, "mnuSysTray", "S&ystem Tray");
    add(tray, "mnuSysTrayMinimize", "&Minimize to Tray", false);
    add(tray, "mnuSysTrayRestore", "R&estore from Tray", false);
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuSeparator1"));
    add(m_menu, "mnuRate", "&Cycle Rate Module", true);
    add(m_menu, "mnuSpeed", "Sp&eed Module", true);
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuSeparator2"));
    QMenu* file = sub(m_menu, "mnuFile", "&File");
    add(file, "mnuFileOpen", "&Open...", false);
    add(file, "mnuFileSave", "&Save...", false);
    add(m_menu, "mnuAbout", "&About...", false);
    add(m_menu, "mnuExit", "E&xit", false);
}

QAction* TimerPanel1A::menuAction(const QString& objectName) const {
    return m_menu->findChild<QAction*>(objectName);
}

void TimerPanel1A::wire() {
    // Stopwatch buttons: the press acts in mouse-down mode, the click in mouse-up mode and for
    // programmatic presses.
    connect(m_command4, &PanelButton::mouseDown, this, [this] {
        if (m_clickSet == 1)
            doStartStop();
    });
    connect(m_snap, &PanelButton::mouseDown, this, [this] {
        if (m_clickSet == 1)
            doSnap();
    });
    connect(m_command3, &PanelButton::mouseDown, this, [this] {
        if (m_clickSet == 1)
            doReset();
    });
    connect(m_command4, &QPushButton::clicked, this, [this] {
        m_program.display().setLedIdle(false);
        onStopwatchClick(m_command4, m_program.state().StartStopByCode, &TimerPanel1A::doStartStop);
    });
    connect(m_snap, &QPushButton::clicked, this, [this] {
        onStopwatchClick(m_snap, m_program.state().SnapByCode, &TimerPanel1A::doSnap);
    });
    connect(m_command3, &QPushButton::clicked, this, [this] {
        onStopwatchClick(m_command3, m_program.state().ResetByCode, &TimerPanel1A::doReset);
    });

    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), this);
    connect(space, &QShortcut::activated, this, &TimerPanel1A::pressStartStop);
    for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* snapKey = new QShortcut(QKeySequence(key), this);
        connect(snapKey, &QShortcut::activated, this, [this] {
            if (m_snap->isEnabled())
                pressSnap();
        });
    }
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(f5, &QShortcut::activated, this, [this] {
        if (m_command3->isEnabled())
            pressReset();
    });

    ClockEngine& clock = m_program.clock();
    connect(&clock, &ClockEngine::ticked, this,
            [this] { m_label2->setText(m_program.clock().panelText()); });
    connect(&clock, &ClockEngine::started, this, &TimerPanel1A::onClockStarted);
    connect(&clock, &ClockEngine::stopped, this, &TimerPanel1A::onClockStopped);
    connect(&clock, &ClockEngine::resetDone, this, &TimerPanel1A::onClockReset);
    connect(&clock, &ClockEngine::resolutionChanged, &m_program, &Program::rerenderReadings);

    connect(m_combo1, &QComboBox::activated, this, [this] {
        setComboColour(kComboPending);
        focusOptionsButton();
    });
    connect(m_combo1->lineEdit(), &QLineEdit::textEdited, this,
            [this] { setComboColour(kComboPending); });
    connect(m_subSec, &QToolButton::clicked, this, [this] {
        m_program.display().setLedIdle(false);
        setComboColour(kComboNormal);
        applyResolution();
        // The box would otherwise keep the focus and take Space and Return as text.
        focusOptionsButton();
    });

    connect(m_lcdOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setLook(0);
    });
    connect(m_ledOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setLook(1);
    });
    connect(m_displaychk, &QCheckBox::toggled, &m_program, &Program::setDisplayAttached);
    connect(m_reportchk, &QCheckBox::toggled, this, [this](bool on) {
        menuAction(QStringLiteral("mnuReport"))->setChecked(on);
        m_program.setReportVisible(on);
    });
    connect(m_image1, &ClickableImage::clicked, this,
            [this] { setMouseResponse(m_clickSet == 1 ? 0 : 1); });
    connect(m_image3, &ClickableImage::clicked, this, &TimerPanel1A::toggleFlashSound);
    connect(m_command1, &QPushButton::clicked, this, [this] {
        prepareFullMenu();
        m_menu->popup(m_command1->mapToGlobal(QPoint(0, m_command1->height())));
    });
    connect(m_command5, &QPushButton::clicked, this, [this] { m_program.loadSession(m_text1); });
    connect(m_command7, &QPushButton::clicked, &m_program, &Program::restoreFromTray);

    auto on = [this](const char* name, auto slot) {
        connect(menuAction(QLatin1String(name)), &QAction::triggered, this, slot);
    };
    on("mnuHotkeys", [this] { m_program.openHotkeyDialog(); });
    on("mnuSetTime", [this] { m_program.openSetTimeDialog(); });
    on("mnuResponseMouseDown", [this] { setMouseResponse(1); });
    on("mnuResponseMouseUp", [this] { setMouseResponse(0); });
    // The check mark itself is the switch; the picture follows it.
    connect(menuAction(QStringLiteral("mnuFlashSound")), &QAction::toggled, this, [this](bool on) {
        m_image3->setIconName(on ? QStringLiteral("CAMERAON") : QStringLiteral("CAMERAOFF"));
    });
    on("mnuReport", [this] {
        // The action has already toggled its own check mark.
        m_reportchk->setChecked(menuAction(QStringLiteral("mnuReport"))->isChecked());
    });
    on("mnuSysTrayMinimize", [this] { m_program.minimizeToTray(); });
    on("mnuSysTrayRestore", [this] { m_program.restoreFromTray(); });
    on("mnuRate",
       [this] { m_program.setRateVisible(menuAction(QStringLiteral("mnuRate"))->isChecked()); });
    on("mnuSpeed",
       [this] { m_program.setSpeedVisible(menuAction(QStringLiteral("mnuSpeed"))->isChecked()); });
    on("mnuFileOpen", [this] { m_program.openSessionDialog(); });
    on("mnuFileSave", [this] { m_program.saveSessionDialog(); });
    on("mnuAbout", [this] { m_program.showAbout(); });
    on("mnuExit", [this] { exitProgram(); });
}

void TimerPanel1A::onStopwatchClick(QPushButton* button, qint16& flag,
                                    void (TimerPanel1A::*operation)()) {
    Q_UNUSED(button);
    focusOptionsButton();
    if (flag != 1 && m_clickSet != 0) {
        flag = 0;
        return;
    }
    (this->*operation)();
    flag = 0;
}

void TimerPanel1A::pressStartStop() {
    m_program.state().StartStopByCode = 1;
    Q_EMIT m_command4->clicked();
}

void TimerPanel1A::pressSnap() {
    m_program.state().SnapByCode = 1;
    Q_EMIT m_snap->clicked();
}

void TimerPanel1A::pressReset() {
    m_program.state().ResetByCode = 1;
    Q_EMIT m_command3->clicked();
}

void TimerPanel1A::doStartStop() {
    m_program.clock().startStop();
}

void TimerPanel1A::doSnap() {
    m_program.takeSnap();
}

void TimerPanel1A::doReset() {
    m_program.clock().reset();
}

void TimerPanel1A::onClockStarted() {
    m_command3->setEnabled(true);
    m_snap->setEnabled(true);
    m_command4->setText(QStringLiteral("Stop"));
    m_command4->setAccessibleName(QStringLiteral("Stop"));
    m_command4->setIcon(resourceIcon("STOP"));
    menuAction(QStringLiteral("mnuSetTime"))->setEnabled(false);
    menuAction(QStringLiteral("mnuFileSave"))->setEnabled(false);
}

void TimerPanel1A::onClockStopped() {
    m_command4->setText(QStringLiteral("Start"));
    m_command4->setAccessibleName(QStringLiteral("Start"));
    m_command4->setIcon(resourceIcon("START"));
    menuAction(QStringLiteral("mnuSetTime"))->setEnabled(true);
    menuAction(QStringLiteral("mnuFileSave"))->setEnabled(true);
}

void TimerPanel1A::onClockReset() {
    onClockStopped();
    m_label2->setText(cfx::kIdlePanelText);
    m_command3->setEnabled(false);
    m_snap->setEnabled(false);
    m_program.clearReadingsForReset();
}

void TimerPanel1A::applyResolution() {
    m_program.clock().subsecAdjust(resolutionText());
}

QString TimerPanel1A::resolutionText() const {
    return m_combo1->currentText();
}

void TimerPanel1A::setResolutionText(const QString& text) {
    const int index = m_combo1->findText(text);
    if (index >= 0)
        m_combo1->setCurrentIndex(index);
    else
        m_combo1->setEditText(text);
}

void TimerPanel1A::setComboColour(quint32 colour) {
    m_comboColour = colour;
    QPalette p = m_combo1->palette();
    p.setColor(QPalette::Base, colourOf(colour));
    p.setColor(QPalette::Button, colourOf(colour));
    // Dark text stays readable on both the pale yellow and the red.
    p.setColor(QPalette::Text, colour == kComboPending ? Qt::white : Qt::black);
    p.setColor(QPalette::ButtonText, colour == kComboPending ? Qt::white : Qt::black);
    m_combo1->setPalette(p);
}

void TimerPanel1A::setMouseResponse(int clickSet) {
    m_clickSet = clickSet == 1 ? 1 : 0;
    menuAction(QStringLiteral("mnuResponseMouseDown"))->setChecked(m_clickSet == 1);
    menuAction(QStringLiteral("mnuResponseMouseUp"))->setChecked(m_clickSet == 0);
    m_image1->setIconName(m_clickSet == 1 ? QStringLiteral("MOUSEDOWN")
                                          : QStringLiteral("MOUSEUP"));
}

bool TimerPanel1A::flashSoundOn() const {
    return menuAction(QStringLiteral("mnuFlashSound"))->isChecked();
}

void TimerPanel1A::toggleFlashSound() {
    QAction* a = menuAction(QStringLiteral("mnuFlashSound"));
    a->setChecked(!a->isChecked());
}

void TimerPanel1A::setLook(int style) {
    m_image2->setIconName(style == 1 ? QStringLiteral("DISPLAYLED") : QStringLiteral("DISPLAYLCD"));
    m_program.clock().setDisplayStyle(style);
}

void TimerPanel1A::focusOptionsButton() {
    if (isVisible())
        m_command1->setFocus();
}

void TimerPanel1A::prepareFullMenu() {
    for (const char* name :
         {"mnuHotkeys", "mnuSetTime", "mnuMouse", "mnuFlashSound", "mnuReport",
          "mnuSysTrayMinimize", "mnuRate", "mnuSpeed", "mnuSeparator2", "mnuFile", "mnuAbout"})
        menuAction(QLatin1String(name))->setVisible(true);
    for (const char* name : {"mnuHotkeys", "mnuMouse", "mnuFlashSound", "mnuSysTray",
                             "mnuSysTrayMinimize", "mnuReport", "mnuFile", "mnuAbout", "mnuExit"})
        menuAction(QLatin1String(name))->setEnabled(true);
    menuAction(QStringLiteral("mnuSysTrayRestore"))->setEnabled(false);
    menuAction(QStringLiteral("mnuReport"))->setChecked(m_reportchk->isChecked());
}

void TimerPanel1A::setReportChecked(bool on) {
    m_reportchk->setChecked(on);
}

bool TimerPanel1A::reportChecked() const {
    return m_reportchk->isChecked();
}

void TimerPanel1A::setDisplayAttached(bool on) {
    m_displaychk->setChecked(on);
}

bool TimerPanel1A::displayAttached() const {
    return m_displaychk->isChecked();
}

void TimerPanel1A::shutDown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    if (m_command4->text() == QLatin1String("Stop")) {
        m_program.state().ResetByCode = 1;
        pressReset();
    }
    m_program.releaseHotkeys();
    m_program.state().ResetByCode = 1;
    pressReset();
    m_program.unloadWindows();
}

void TimerPanel1A::exitProgram() {
    shutDown();
    hide();
    QApplication::quit();
}

void TimerPanel1A::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
    QApplication::quit();
}

void TimerPanel1A::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        m_displaychk->setChecked(false);
        Q_EMIT minimized();
    }
    QWidget::changeEvent(event);
}

void TimerPanel1A::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    Q_EMIT panelMoved();
}

void TimerPanel1A::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Q_EMIT panelMoved();
}
