#pragma once

#include <QObject>

#include <memory>

namespace cfx {

class AlertSound;
class LargeDisplay;
class MainPanel;
class Stopwatch;
class TransparencyDialog;
class TrayIcon;

// The large display's life beside the panel: placed beside it and docked against it while
// attached, joined back to it from its own menu (out of the tray if the panel is there), its
// opacity and the dialog that sets it, and the flash and alert sound of a snap.
class DisplayKeeper : public QObject {
    Q_OBJECT
public:
    // The display exists before the panel, whose start-up gives it its look.
    explicit DisplayKeeper(Stopwatch& clock, QObject* parent = nullptr);
    ~DisplayKeeper() override;

    LargeDisplay& display() { return *m_display; }
    // Puts the display beside the panel and shows it; from here on it docks against the panel
    // while attached and joins it on request.
    void placeBeside(MainPanel& panel, TrayIcon& tray);
    // Called from the panel's start-up too, before the display knows the panel: docking waits.
    void setAttached(bool attached);
    void showTransparencyDialog();
    // The opacity from 60 (most see-through) to 255 (opaque), as the transparency dialog sets it.
    void setOpacity(int value);
    // Null until the opacity is first set.
    TransparencyDialog* transparencyDialog() const { return m_transparency.get(); }
    void playAlert();
    // Restores the display's look after a snap's flash.
    void endFlash();
    // "Join with CFX Control Panel": the panel comes back and the display attaches to it.
    void join();
    // At the end of the program.
    void close();

Q_SIGNALS:
    void opacityApplied(int value);

private:
    TransparencyDialog& transparency();

    Stopwatch& m_clock;
    MainPanel* m_panel = nullptr;
    TrayIcon* m_tray = nullptr;
    std::unique_ptr<LargeDisplay> m_display;
    std::unique_ptr<TransparencyDialog> m_transparency;
    std::unique_ptr<AlertSound> m_alert;
};

} // namespace cfx
