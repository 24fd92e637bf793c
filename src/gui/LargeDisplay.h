#pragma once

#include "core/DisplaySink.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace cfx {

class SevenSegmentDigit;

// The large detached display: eight seven-segment digits read as HH:MM:SS.ss in a coloured frame
// inside a rounded, captionless window. Attached, it sits flush against the right edge of the
// panel, tops aligned, and follows the panel's moves and resizes as they happen; free, a press
// drags it and it stays where it is put. Its right-click menu rejoins it to the panel, keeps it
// above other windows and opens the transparency dialog.
class LargeDisplay : public QWidget, public DisplaySink {
    Q_OBJECT
public:
    // Sizes in pixels (twips / 15): window, inner picture and frame widths with all eight digits
    // and with the two sub-second digits cut off (resolution 1).
    static constexpr int kHeight = 65;
    static constexpr int kWindowWidth = 253, kPictureWidth = 241, kFrameWidth = 225;
    static constexpr int kWindowWidthOne = 198, kPictureWidthOne = 186, kFrameWidthOne = 168;

    explicit LargeDisplay(QWidget* parent = nullptr);
    ~LargeDisplay() override;

    // What the clock and the panel drive.
    void setLedValues(const std::array<int, 8>& values) override;
    std::array<int, 8> ledValues() const override;
    void setLedIdle(bool idle) override;
    void setColours(quint32 background, quint32 lit) override;
    void setBackground(quint32 background) override;
    void setResolutionOne(bool one) override;

    // Whether the clock runs: while it does, screen readers are told the time once a second
    // instead of at every tick.
    void setClockRunning(bool running);
    // The time the digits show, as a screen reader reads it ("00:01:02.35"; dashes while idle).
    QString shownTime() const;

    // LED1..LED8 by index 0..7.
    SevenSegmentDigit* led(int index) const { return m_leds.at(static_cast<std::size_t>(index)); }
    quint32 frameColour() const { return m_background; }
    quint32 litColour() const { return m_lit; }
    bool resolutionOne() const { return m_resolutionOne; }

    // The panel the display docks against; its moves and resizes drive the docking while
    // attached.
    void setPanel(QWidget* panel);
    // Attached (the panel's Displaychk = 1) or free.
    void setAttached(bool attached);
    bool attached() const { return m_attached; }
    // One docking step: flush against the panel's right edge, tops aligned.
    void dock();

    // Keeps the window above all others (the mnuOnTop check mark).
    void setOnTop(bool onTop);
    bool onTop() const;

    // Asked each time the menu pops up whether the window system can show opacity now (a
    // compositor may start or stop while the program runs); "Display Transparency..." is
    // offered only then. Without a probe it is never offered.
    void setTranslucencyProbe(std::function<bool()> probe) {
        m_translucencyProbe = std::move(probe);
    }

    // The right-click menu, prepared as it pops up (Join enabled only while free).
    QMenu* optionsMenu() const { return m_menu; }
    void prepareOptionsMenu();

Q_SIGNALS:
    // "Join with CFX Control Panel": the owner restores the panel and attaches the display.
    void joinRequested();
    // "Display Transparency...": the owner shows the transparency dialog.
    void transparencyRequested();
    void onTopChanged(bool onTop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void wire();
    void showMenuFromKeyboard();
    void applyBackground(quint32 background);
    void applyLit(quint32 lit);
    void applyWidths();
    void announceTime(bool always);

    std::array<SevenSegmentDigit*, 8> m_leds{};
    QLabel* m_labelHour = nullptr;
    QLabel* m_labelMinute = nullptr;
    QLabel* m_labelSecond = nullptr;
    QWidget* m_frameBorder = nullptr;
    QWidget* m_digitArea = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_joinAction = nullptr;
    QAction* m_onTopAction = nullptr;
    QAction* m_transparentAction = nullptr;
    std::function<bool()> m_translucencyProbe;

    QPointer<QWidget> m_panel;
    // Catches what the panel's own events do not announce, such as the window manager adding
    // its frame after the panel appeared; runs only while attached.
    QTimer* m_dockTimer = nullptr;
    bool m_attached = false;
    bool m_resolutionOne = false;
    bool m_clockRunning = false;
    // Hours to seconds of the time last announced while the clock ran.
    std::array<int, 6> m_announcedSeconds{};
    quint32 m_background = kLightGrey;
    quint32 m_lit = kBlack;
    // Manual drag where the window system cannot move the window itself.
    bool m_dragging = false;
    QPoint m_dragOffset;
};

} // namespace cfx
