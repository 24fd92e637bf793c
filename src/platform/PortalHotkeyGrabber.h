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
// decides what each is really bound to and says so in its answer and later in ShortcutsChanged.
// A portal session binds only once, so binding again closes it and opens another.
class PortalHotkeyGrabber final : public QObject, public HotkeyGrabber {
    Q_OBJECT

public:
    PortalHotkeyGrabber();
    ~PortalHotkeyGrabber() override;

    PortalHotkeyGrabber(const PortalHotkeyGrabber&) = delete;
    PortalHotkeyGrabber& operator=(const PortalHotkeyGrabber&) = delete;

    // Whether the session bus has a portal with the GlobalShortcuts interface (waits for the
    // answer, at most a few seconds).
    static bool portalPresent();

    bool grab(int id, int modifiers, int virtualKey) override;
    void release(int id) override;
    bool commit(bool rebind) override;
    bool desktopAssigns() const override { return true; }
    QString boundTrigger(int id) const override;

private Q_SLOTS:
    // QDBusConnection::connect takes slots by their signature only.
    void onResponse(const QDBusMessage& message);
    void onActivated(const QDBusMessage& message);
    void onDeactivated(const QDBusMessage& message);
    void onShortcutsChanged(const QDBusMessage& message);

private:
    void request(const QDBusMessage& call, const QString& token);
    void listenToRequest(const QString& path);
    void createSession();
    void bindShortcuts();
    void closeSession();
    void finish(const Bound& bound);
    bool ofSession(const QDBusMessage& message) const;
    QString nextToken();

    QDBusConnection m_bus;
    std::map<int, QString> m_wanted; // preferred trigger by hotkey identifier
    std::map<int, QString> m_asked;  // what the current session binds (or is binding)
    QString m_session;               // the portal session's object path; empty while none
    QString m_requestPath;           // the request whose Response is awaited; empty while none
    Bound m_bound{};
    std::array<QString, kHotkeyCount> m_triggers;
    // Shortcuts activated and not yet deactivated, and the time of their last activation.
    std::array<bool, kHotkeyCount> m_active{};
    std::array<quint64, kHotkeyCount> m_activatedAt{};
    int m_tokens = 0;
    int m_generation = 0; // a queued repeat of the last answer counts only for its own commit
};

} // namespace cfx
