#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace cfx {

class ClickableImage;
class PanelButton;
class Stopwatch;
class StopwatchActions;

// The main panel: the running time, Start/Stop, Snap and Reset, the resolution chooser, the look
// of the large display, the attach and report switches and the options button. Its buttons and
// keys trigger the stopwatch's actions; what a command does is wired by the application.
class MainPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr quint32 kResolutionApplied = 12320251; // pale yellow
    static constexpr quint32 kResolutionPending = 255;      // red: chosen, not applied

    MainPanel(Stopwatch& stopwatch, StopwatchActions& actions, QWidget* parent = nullptr);

    // The colour of the resolution box: applied or chosen and not yet applied.
    quint32 resolutionBoxColour() const { return m_resolutionColour; }

    void setDisplayAttached(bool on);
    bool displayAttached() const;

    // What the panel shows, for scripts that work the stopwatch from outside.
    QString timeText() const;
    QString startStopCaption() const;

    // Pops up the whole options menu under the options button; opened from the keyboard, its
    // first item is selected.
    void showOptionsMenu(bool fromKeyboard = false);
    // Where the options button is on the screen: other windows open clear of it.
    QRect optionsButtonArea() const;

Q_SIGNALS:
    void displayAttachToggled(bool attached);
    void closeRequested();
    void panelMoved(); // moved or resized: an attached display follows

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void wire();
    void wireStopwatchButton(PanelButton* button, QAction* action);
    void applyResolution();
    void setResolutionColour(quint32 colour);
    // The stopwatch's resolution and look, as it has them.
    void showResolution();
    void showLook();
    void showRunning(bool running);
    void showMouseResponse(bool onPress);
    void focusOptionsButton();
    bool focusedControlTakes(const QKeyEvent& key) const;
    void showTime(const QString& text);
    void announceTime();

    Stopwatch& m_stopwatch;
    StopwatchActions& m_actions;
    quint32 m_resolutionColour = kResolutionApplied;
    // The options button was reached by Tab (or Shift+Tab): Space and Return then open the menu.
    // Put there by the program after a stopwatch button, it leaves them to the stopwatch.
    bool m_optionsFocusedByUser = false;
    // The whole second last told to screen readers while the clock runs.
    qint32 m_announcedSecond = -1;

    QLabel* m_timeLabel = nullptr;
    QGroupBox* m_stopwatchGroup = nullptr;
    PanelButton* m_startStopButton = nullptr;
    PanelButton* m_snapButton = nullptr;
    PanelButton* m_resetButton = nullptr;
    QComboBox* m_resolutionBox = nullptr;
    QToolButton* m_applyResolutionButton = nullptr;
    QGroupBox* m_lookGroup = nullptr;
    QRadioButton* m_lcdOption = nullptr;
    QRadioButton* m_ledOption = nullptr;
    ClickableImage* m_mouseResponseImage = nullptr;
    ClickableImage* m_lookImage = nullptr;
    ClickableImage* m_flashSoundImage = nullptr;
    QCheckBox* m_attachDisplayCheck = nullptr;
    QCheckBox* m_reportCheck = nullptr;
    QPushButton* m_optionsButton = nullptr;
};

} // namespace cfx
