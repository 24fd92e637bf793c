#pragma once

#include <QWidget>

class Program;
class ClickableImage;
class PanelButton;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;

// The main panel: the running time, Start/Stop, Snap and Reset, the resolution chooser, the look
// of the large display, the attach and report switches and the options menu. It owns no logic of
// its own beyond wiring: the clock is the ClockEngine, the other windows belong to Program.
class TimerPanel1A : public QWidget {
    Q_OBJECT
public:
    static constexpr quint32 kComboNormal = 12320251; // pale yellow
    static constexpr quint32 kComboPending = 255;     // red: chosen, not applied

    explicit TimerPanel1A(Program& program, QWidget* parent = nullptr);
    ~TimerPanel1A() override;

    // Programmatic presses: set the by-code flag, then click. Each acts exactly once whatever the
    // mouse-response mode.
    void pressStartStop();
    void pressSnap();
    void pressReset();

    // 1 = stopwatch buttons act on mouse-down, 0 = on click (mouse-up).
    int clickSet() const { return m_clickSet; }
    void setMouseResponse(int clickSet);

    bool flashSoundOn() const;
    quint32 combo1BackColor() const { return m_comboColour; }
    QString resolutionText() const;
    void setResolutionText(const QString& text);

    // Text1: the path handed over by the session file dialogs; Command5 loads it.
    QString text1() const { return m_text1; }
    void setText1(const QString& path) { m_text1 = path; }

    // The options menu, prepared as the options button shows it.
    QMenu* optionsMenu() const { return m_menu; }
    void prepareFullMenu();
    QAction* menuAction(const QString& objectName) const;

    void setReportChecked(bool on);
    bool reportChecked() const;
    void setDisplayAttached(bool on);
    bool displayAttached() const;

    // Ends the program as the Exit item does: stops the clock, releases the hotkeys and closes
    // every window.
    void exitProgram();

Q_SIGNALS:
    void panelMoved(); // moved or resized: an attached display follows
    void minimized();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void wire();
    void onStopwatchClick(QPushButton* button, qint16& flag, void (TimerPanel1A::*operation)());
    void doStartStop();
    void doSnap();
    void doReset();
    void applyResolution();
    void setComboColour(quint32 colour);
    void toggleFlashSound();
    void setLook(int style);
    void onClockStarted();
    void onClockStopped();
    void onClockReset();
    void focusOptionsButton();
    void shutDown();

    Program& m_program;
    int m_clickSet = 0;
    quint32 m_comboColour = kComboNormal;
    QString m_text1;
    bool m_shutDown = false;

    QLabel* m_label2 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    PanelButton* m_command4 = nullptr;
    PanelButton* m_snap = nullptr;
    PanelButton* m_command3 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QToolButton* m_subSec = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QRadioButton* m_lcdOption = nullptr;
    QRadioButton* m_ledOption = nullptr;
    ClickableImage* m_image1 = nullptr;
    ClickableImage* m_image2 = nullptr;
    ClickableImage* m_image3 = nullptr;
    QCheckBox* m_displaychk = nullptr;
    QCheckBox* m_reportchk = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command5 = nullptr;
    QPushButton* m_command7 = nullptr;
    QMenu* m_menu = nullptr;
};
