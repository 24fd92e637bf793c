#pragma once

#include "core/HotkeyRegistration.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <array>
#include <map>

class QDBusMessage;

namespace cfx {

// Global hotkeys through the desktop's global-shortcuts portal (org.freedesktop.portal.
// GlobalShortcuts on the session bus), for Wayland sessions, where X11 grabs see keys only while
// a window of the program has the focus. The wanted hotkeys are bound at once in a portal
// session, each with its combination from the hotkey file as the preferred trigger; the desktop
// decides what each is really bound to and says so in its answers (BindShortcuts, then
// ListShortcuts) and later in ShortcutsChanged. A portal session binds only once, so binding again
// closes it and opens another under the same handle: desktops that keep a component per session
// handle (Plasma) then keep one for the program. The shortcuts go with CreateSession too, as
// Plasma 5.27 registers only what that call carries. When the portal leaves the bus and comes
// back (a restart), the shortcuts are bound again.
//
// A portal that refuses the session (a non-zero answer, a method error) is no portal for the
// program: `unavailable` is emitted, once, and the grabber does nothing more.
class PortalHotkeyGrabber final : public QObject, public HotkeyGrabber {
    Q_OBJECT

public:
    PortalHotkeyGrabber();
    ~PortalHotkeyGrabber() override;

    PortalHotkeyGrabber(const PortalHotkeyGrabber&) = delete;
    PortalHotkeyGrabber& operator=(const PortalHotkeyGrabber&) = delete;

    enum class Probe {
        Offered,    // the portal has the GlobalShortcuts interface
        NotOffered, // no portal, or one without the interface
        NoAnswer,   // nothing said within the probe's time: maybe a slow start
    };
    // Whether the session bus has a portal with the GlobalShortcuts interface (waits for the
    // answer, at most a few seconds).
    static Probe probePortal();

    enum class Failure {
        Refused,  // the portal refused the session or a call: it offers no shortcuts
        NoAnswer, // a call timed out
    };
    bool grab(int id, int modifiers, int virtualKey) override;
    void release(int id) override;
    bool commit(bool rebind) override;
    bool desktopAssigns() const override { return true; }
    QString boundTrigger(int id) const override;

Q_SIGNALS:
    void unavailable(cfx::PortalHotkeyGrabber::Failure failure);

private Q_SLOTS:
    // QDBusConnection::connect takes slots by their signature only.
    void onResponse(const QDBusMessage& message);
    void onActivated(const QDBusMessage& message);
    void onDeactivated(const QDBusMessage& message);
    void onShortcutsChanged(const QDBusMessage& message);
    void onPortalOwnerChanged(const QString& name, const QString& oldOwner,
                              const QString& newOwner);

private:
    enum class Stage { Idle, Creating, Binding, Listing };
    void request(const QDBusMessage& call, const QString& token, Stage stage);
    void listenToRequest(const QString& path);
    void openSession();
    void createSession();
    void bindShortcuts();
    void listShortcuts();
    void closeSession();
    void finish(const Bound& bound);
    void fail(Failure failure);
    Bound takeShortcuts(const QVariantMap& results);
    bool ofSession(const QDBusMessage& message) const;
    QString nextToken();

    QDBusConnection m_bus;
    std::map<int, QString> m_wanted; // preferred trigger by hotkey identifier
    std::map<int, QString> m_asked;  // what the current session binds (or is binding)
    QString m_session;               // the portal session's object path; empty while none
    QString m_requestPath;           // the request whose Response is awaited; empty while none
    Stage m_stage = Stage::Idle;
    bool m_failed = false; // the portal refused: nothing more is asked of it
    Bound m_bindAnswer{};  // what BindShortcuts' answer said, while ListShortcuts is asked
    Bound m_bound{};
    std::array<QString, kHotkeyCount> m_triggers;
    // Shortcuts activated and not yet deactivated, and the time of their last activation.
    std::array<bool, kHotkeyCount> m_active{};
    std::array<quint64, kHotkeyCount> m_activatedAt{};
    int m_tokens = 0;
    int m_generation = 0; // a queued repeat of the last answer counts only for its own commit
    int m_opening = 0;    // counts session openings, so that a stale Close reply opens nothing
};

} // namespace cfx
