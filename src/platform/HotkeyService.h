#pragma once

#include "core/HotkeyEditing.h"
#include "core/HotkeyRegistration.h"
#include "core/io/HotkeyFile.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QWidget;

namespace cfx {

enum class HotkeyBackend { X11, Portal };

// What the session bus said when asked for the global-shortcuts portal.
enum class PortalProbe { Offered, NotOffered, NoAnswer };

struct HotkeyBackendChoice {
    HotkeyBackend backend = HotkeyBackend::X11;
    // A Wayland session whose desktop offers no global-shortcuts portal: the X11 grabs see keys
    // only while a window of the program has the focus.
    bool portalMissing = false;
};

// The hotkey backend for this desktop. forced ("x11" or "portal", from --hotkeys or
// CHRONOFEX_HOTKEYS) wins; otherwise a Wayland session (WAYLAND_DISPLAY set, or XDG_SESSION_TYPE
// "wayland") uses the portal when probe says the desktop offers it, asked only there. A probe
// without an answer is no verdict: the portal is tried, and it says itself whether it is there.
HotkeyBackendChoice chooseHotkeyBackend(const QString& forced, const QString& waylandDisplay,
                                        const QString& sessionType,
                                        const std::function<PortalProbe()>& probe);

// The program's global hotkeys: the file, the registrations with the desktop, and the
// messages about both. The hotkey dialog edits through it; presses come out as hotkeyPressed.
class HotkeyService : public QObject, public HotkeyEditing {
    Q_OBJECT

public:
    using Notifier =
        std::function<void(QMessageBox::Icon icon, const QString& title, const QString& text)>;

    // The hotkey file lives in the data folder (none when it is empty). grabber may be null: the
    // desktop offers no global hotkeys.
    HotkeyService(const QString& dataDir, std::unique_ptr<HotkeyGrabber> grabber,
                  QObject* parent = nullptr);
    ~HotkeyService() override;

    // The service with the backend chooseHotkeyBackend picks for this desktop: the global-
    // shortcuts portal, else X11 grabs when the program runs on X11, else none. forced is "x11",
    // "portal" or empty.
    static std::unique_ptr<HotkeyService> forDesktop(const QString& dataDir, const QString& forced);
    // A Wayland session without the portal: the dialog says so, and the first start once.
    void setPortalMissing(bool missing) { m_portalMissing = missing; }
    // The desktop backend gave up (the portal refused or did not answer): the hotkeys go to
    // grabber (X11 grabs, or none) from now on. portalMissing says the desktop has no portal,
    // which is then said once as at a start without one; otherwise only the dialog tells that
    // the portal did not answer.
    void fallBack(std::unique_ptr<HotkeyGrabber> grabber, bool portalMissing);

    // Where messages go; by default message boxes over the given window.
    void setNotifier(Notifier notifier) { m_notify = std::move(notifier); }
    void setMessageParent(QWidget* parent) { m_messageParent = parent; }

    bool available() const override { return m_grabber != nullptr; }

    // Program start: make sure the file exists, read it, register the enabled hotkeys and say
    // once what went wrong.
    void startUp();
    // Program exit: give every hotkey back, also if the dialog is still open.
    void releaseAll();

    // The dialog opens: the file's values (damaged files repaired as at start-up) become the
    // current ones and every hotkey is released until finishEditing or cancelEditing.
    cfx::HotkeySet beginEditing() override;
    // The file's values again, without touching the registrations (Restore).
    cfx::HotkeySet fileValues() override;
    // OK: the boxes' values for enabled hotkeys, the current ones for disabled hotkeys; the
    // enabled ones are registered and everything is saved.
    void finishEditing(const cfx::HotkeySet& boxes) override;
    // Closed without OK: the hotkeys that were registered before the dialog opened are
    // registered again with their old combinations.
    void cancelEditing() override;
    int virtualKeyOfNativeKey(quint32 scanCode) const override;
    QString desktopNote() const override;
    bool desktopAssigns() const override;
    QString boundTrigger(int id) const override;
    bool editing() const { return m_editing; }

    QString filePath() const { return m_filePath; }
    // The current combinations and which of them are registered with the desktop.
    const HotkeyRegistrations& registrations() const { return m_held; }

Q_SIGNALS:
    void hotkeyPressed(int id);
    // The desktop answered a registration or changed its triggers (see boundTrigger).
    void bindingsChanged();

private:
    cfx::HotkeySet readRepaired();
    void registerAndReport(const cfx::HotkeySet& set, bool rebind = false);
    void desktopAnswered(const HotkeyGrabber::Bound& bound);
    void reportFailures(int failures);
    void tellPortalMissingOnce();
    void notify(QMessageBox::Icon icon, const QString& title, const QString& text);
    void listenToGrabber();

    QString m_filePath;
    HotkeyRegistrations m_held;
    std::unique_ptr<HotkeyGrabber> m_grabber;
    Notifier m_notify;
    QPointer<QWidget> m_messageParent;
    bool m_repairReported = false;
    bool m_unavailableReported = false;
    bool m_editing = false;
    bool m_portalMissing = false;
    bool m_portalSilent = false; // the portal did not answer, so the X11 grabs stand in
    // Failures known before a desktop that answers later has answered.
    int m_failuresBeforeAnswer = 0;
    // What was registered before the dialog opened.
    cfx::HotkeySet m_beforeEditing;
};

} // namespace cfx
