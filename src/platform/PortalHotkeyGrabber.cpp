#include "platform/PortalHotkeyGrabber.h"

#include "core/KeyTable.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QTimer>

namespace cfx {

namespace {

constexpr char kService[] = "org.freedesktop.portal.Desktop";
constexpr char kPath[] = "/org/freedesktop/portal/desktop";
constexpr char kInterface[] = "org.freedesktop.portal.GlobalShortcuts";
constexpr int kProbeTimeoutMs = 3000;
// The portal names the session after this handle, and Plasma the component that holds the
// shortcuts; the same handle for every session keeps one component for the program.
constexpr char kSessionToken[] = "chronofex";
// A held key makes some desktops repeat Activated until its Deactivated. Within this time of
// the last activation a shortcut still active counts as held, so that a desktop that never says
// Deactivated loses no press made after it.
constexpr quint64 kHeldMs = 1000;

// The shortcuts by hotkey identifier: the portal's id and the description the desktop shows.
constexpr const char* kShortcutIds[kHotkeyCount] = {"start-stop", "snap", "reset", "menu"};
constexpr const char* kDescriptions[kHotkeyCount] = {"Start or stop the stopwatch",
                                                     "Take a reading (snap)", "Reset the stopwatch",
                                                     "Show the options menu"};

// One element of the portal's a(sa{sv}): a shortcut id and its properties.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& arg, const PortalShortcut& shortcut) {
    arg.beginStructure();
    arg << shortcut.id << shortcut.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, PortalShortcut& shortcut) {
    arg.beginStructure();
    arg >> shortcut.id >> shortcut.properties;
    arg.endStructure();
    return arg;
}

// The shortcuts asked for, with their descriptions and preferred triggers.
QList<PortalShortcut> shortcutList(const std::map<int, QString>& asked) {
    QList<PortalShortcut> shortcuts;
    for (const auto& [id, trigger] : asked) {
        shortcuts.append({QLatin1String(kShortcutIds[id]),
                          {{QStringLiteral("description"), QLatin1String(kDescriptions[id])},
                           {QStringLiteral("preferred_trigger"), trigger}}});
    }
    return shortcuts;
}

// The hotkey identifier of a portal shortcut id; -1 for none of ours.
int hotkeyOf(const QString& shortcutId) {
    for (int id = 0; id < kHotkeyCount; ++id) {
        if (shortcutId == QLatin1String(kShortcutIds[id]))
            return id;
    }
    return -1;
}

QString triggerOf(const PortalShortcut& shortcut) {
    return shortcut.properties.value(QStringLiteral("trigger_description")).toString();
}

QDBusMessage portalCall(const char* method) {
    return QDBusMessage::createMethodCall(QLatin1String(kService), QLatin1String(kPath),
                                          QLatin1String(kInterface), QLatin1String(method));
}

// A program started without its desktop file is known to the portal by that file's name.
// Registering must come before every other portal call, and may fail where the registry is
// missing or the program was already recognised; nothing depends on it.
void registerApplication(QDBusConnection& bus) {
    static bool registered = false;
    const QString appId = QGuiApplication::desktopFileName();
    if (registered || appId.isEmpty())
        return;
    registered = true;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(kService), QLatin1String(kPath),
        QStringLiteral("org.freedesktop.host.portal.Registry"), QStringLiteral("Register"));
    call << appId << QVariantMap();
    bus.send(call);
}

} // namespace

} // namespace cfx

Q_DECLARE_METATYPE(cfx::PortalShortcut)

namespace cfx {
namespace {

// A timeout is no verdict on the portal; every other error is (no such method or interface, no
// portal on the bus, a refusal).
PortalHotkeyGrabber::Failure failureOf(const QDBusError& error) {
    return error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout ||
                   error.type() == QDBusError::TimedOut
               ? PortalHotkeyGrabber::Failure::NoAnswer
               : PortalHotkeyGrabber::Failure::Refused;
}

} // namespace
} // namespace cfx

namespace cfx {

PortalHotkeyGrabber::PortalHotkeyGrabber() : m_bus(QDBusConnection::sessionBus()) {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    registerApplication(m_bus);
    const QString service = QLatin1String(kService);
    const QString path = QLatin1String(kPath);
    const QString interface = QLatin1String(kInterface);
    m_bus.connect(service, path, interface, QStringLiteral("Activated"), this,
                  SLOT(onActivated(QDBusMessage)));
    m_bus.connect(service, path, interface, QStringLiteral("Deactivated"), this,
                  SLOT(onDeactivated(QDBusMessage)));
    m_bus.connect(service, path, interface, QStringLiteral("ShortcutsChanged"), this,
                  SLOT(onShortcutsChanged(QDBusMessage)));
    auto* watcher =
        new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &PortalHotkeyGrabber::onPortalOwnerChanged);
}

PortalHotkeyGrabber::~PortalHotkeyGrabber() {
    closeSession();
}

PortalHotkeyGrabber::Probe PortalHotkeyGrabber::probePortal() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Probe::NotOffered;
    registerApplication(bus);
    // The portal has the property only where a backend offers the interface.
    QDBusMessage get = QDBusMessage::createMethodCall(
        QLatin1String(kService), QLatin1String(kPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(kInterface) << QStringLiteral("version");
    const QDBusMessage reply = bus.call(get, QDBus::Block, kProbeTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return Probe::Offered;
    return failureOf(QDBusError(reply)) == Failure::NoAnswer ? Probe::NoAnswer : Probe::NotOffered;
}

bool PortalHotkeyGrabber::grab(int id, int modifiers, int virtualKey) {
    const QString trigger = portalTrigger(modifiers, virtualKey);
    if (id < 0 || id >= kHotkeyCount || trigger.isEmpty())
        return false;
    m_wanted[id] = trigger;
    return true;
}

void PortalHotkeyGrabber::release(int id) {
    m_wanted.erase(id);
}

bool PortalHotkeyGrabber::commit(bool rebind) {
    ++m_generation;
    if (m_failed)
        return false; // the program has moved on to another backend
    if (rebind || m_wanted != m_asked) {
        m_asked = m_wanted;
        m_bound = {};
        m_triggers = {};
        if (!m_asked.empty() && m_bus.isConnected()) {
            openSession();
            return true;
        }
        closeSession();
    } else if (!m_requestPath.isEmpty()) {
        return true; // the answer under way is the answer
    }
    // Nothing new to ask: the last answer stands, given once the caller is ready for it.
    QTimer::singleShot(0, this, [this, generation = m_generation] {
        if (generation == m_generation)
            answered(m_bound);
    });
    return true;
}

QString PortalHotkeyGrabber::boundTrigger(int id) const {
    return id >= 0 && id < kHotkeyCount && m_bound[id] ? m_triggers[id] : QString();
}

QString PortalHotkeyGrabber::nextToken() {
    return QStringLiteral("chronofex_%1").arg(++m_tokens);
}

// The portal answers a request with a Response signal on a request object whose path it makes
// from our bus name and the token; listening starts before the call so none is missed.
void PortalHotkeyGrabber::request(const QDBusMessage& call, const QString& token, Stage stage) {
    m_stage = stage;
    const QString sender = m_bus.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    listenToRequest(QLatin1String(kPath) + QStringLiteral("/request/") + sender + QLatin1Char('/') +
                    token);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, path = m_requestPath](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                if (path != m_requestPath)
                    return; // answered already, or given up for a newer request
                if (!reply.isError()) {
                    if (reply.value().path() != path)
                        listenToRequest(reply.value().path()); // an old portal chose the path
                } else if (m_stage == Stage::Listing) {
                    finish(m_bindAnswer); // a portal without ListShortcuts: its bind answer
                } else {
                    fail(failureOf(reply.error()));
                }
            });
}

void PortalHotkeyGrabber::listenToRequest(const QString& path) {
    const QString service = QLatin1String(kService);
    const QString interface = QStringLiteral("org.freedesktop.portal.Request");
    if (!m_requestPath.isEmpty()) {
        m_bus.disconnect(service, m_requestPath, interface, QStringLiteral("Response"), this,
                         SLOT(onResponse(QDBusMessage)));
    }
    m_requestPath = path;
    if (!path.isEmpty()) {
        m_bus.connect(service, path, interface, QStringLiteral("Response"), this,
                      SLOT(onResponse(QDBusMessage)));
    }
}

// The new session takes the old one's handle, so the old one must be gone first: the portal
// refuses a handle in use. Its Close reply starts the new one.
void PortalHotkeyGrabber::openSession() {
    const int opening = ++m_opening;
    listenToRequest({});
    m_stage = Stage::Idle;
    if (m_session.isEmpty()) {
        createSession();
        return;
    }
    const QDBusMessage close = QDBusMessage::createMethodCall(
        QLatin1String(kService), m_session, QStringLiteral("org.freedesktop.portal.Session"),
        QStringLiteral("Close"));
    m_session.clear();
    m_active = {};
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(close), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, opening](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (opening == m_opening && !m_failed)
                    createSession();
            });
}

void PortalHotkeyGrabber::createSession() {
    const QString token = nextToken();
    QDBusMessage call = portalCall("CreateSession");
    call << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("session_handle_token"), QLatin1String(kSessionToken)},
                        {QStringLiteral("shortcuts"), QVariant::fromValue(shortcutList(m_asked))}};
    request(call, token, Stage::Creating);
}

void PortalHotkeyGrabber::bindShortcuts() {
    const QString token = nextToken();
    QDBusMessage call = portalCall("BindShortcuts");
    call << QVariant::fromValue(QDBusObjectPath(m_session))
         << QVariant::fromValue(shortcutList(m_asked)) << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token}};
    request(call, token, Stage::Binding);
}

void PortalHotkeyGrabber::listShortcuts() {
    const QString token = nextToken();
    QDBusMessage call = portalCall("ListShortcuts");
    call << QVariant::fromValue(QDBusObjectPath(m_session))
         << QVariantMap{{QStringLiteral("handle_token"), token}};
    request(call, token, Stage::Listing);
}

void PortalHotkeyGrabber::closeSession() {
    ++m_opening;
    listenToRequest({});
    m_stage = Stage::Idle;
    if (m_session.isEmpty())
        return;
    m_bus.send(QDBusMessage::createMethodCall(QLatin1String(kService), m_session,
                                              QStringLiteral("org.freedesktop.portal.Session"),
                                              QStringLiteral("Close")));
    m_session.clear();
    m_active = {};
}

void PortalHotkeyGrabber::fail(Failure failure) {
    closeSession();
    m_failed = true;
    m_bound = {};
    m_triggers = {};
    Q_EMIT unavailable(failure);
}

void PortalHotkeyGrabber::finish(const Bound& bound) {
    listenToRequest({});
    m_stage = Stage::Idle;
    m_bound = bound;
    answered(bound);
}

void PortalHotkeyGrabber::onResponse(const QDBusMessage& message) {
    if (message.path() != m_requestPath)
        return;
    const QList<QVariant> args = message.arguments();
    const bool granted = args.value(0).toUInt() == 0; // 1: the user cancelled, 2: other
    const auto results = qdbus_cast<QVariantMap>(args.value(1));
    switch (m_stage) {
    case Stage::Creating: {
        // The handle is a string, though meant as an object path.
        const QVariant handle = results.value(QStringLiteral("session_handle"));
        m_session = handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
                        ? handle.value<QDBusObjectPath>().path()
                        : handle.toString();
        if (granted && !m_session.isEmpty())
            bindShortcuts();
        else
            fail(Failure::Refused);
        return;
    }
    case Stage::Binding:
        // What the desktop bound, then what it lists: a desktop may answer the bind with fewer
        // shortcuts than it holds.
        m_bindAnswer = granted ? takeShortcuts(results) : Bound{};
        if (granted)
            listShortcuts();
        else
            finish({});
        return;
    case Stage::Listing:
        finish(granted ? takeShortcuts(results) : m_bindAnswer);
        return;
    case Stage::Idle:
        return;
    }
}

HotkeyGrabber::Bound PortalHotkeyGrabber::takeShortcuts(const QVariantMap& results) {
    Bound bound{};
    const auto shortcuts =
        qdbus_cast<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts")));
    for (const PortalShortcut& shortcut : shortcuts) {
        if (const int id = hotkeyOf(shortcut.id); id >= 0 && m_asked.count(id) != 0) {
            bound[id] = true;
            m_triggers[id] = triggerOf(shortcut);
        }
    }
    return bound;
}

bool PortalHotkeyGrabber::ofSession(const QDBusMessage& message) const {
    return !m_session.isEmpty() &&
           message.arguments().value(0).value<QDBusObjectPath>().path() == m_session;
}

void PortalHotkeyGrabber::onActivated(const QDBusMessage& message) {
    const int id = ofSession(message) ? hotkeyOf(message.arguments().value(1).toString()) : -1;
    if (id < 0)
        return;
    const quint64 at = message.arguments().value(2).toULongLong();
    const bool held = m_active[id] && at - m_activatedAt[id] < kHeldMs;
    m_active[id] = true;
    m_activatedAt[id] = at;
    if (!held)
        pressed(id);
}

void PortalHotkeyGrabber::onDeactivated(const QDBusMessage& message) {
    const int id = ofSession(message) ? hotkeyOf(message.arguments().value(1).toString()) : -1;
    if (id >= 0)
        m_active[id] = false;
}

void PortalHotkeyGrabber::onPortalOwnerChanged(const QString& /*name*/, const QString& oldOwner,
                                               const QString& newOwner) {
    if (m_failed)
        return;
    if (!oldOwner.isEmpty()) {
        // Gone, and its sessions with it.
        listenToRequest({});
        m_stage = Stage::Idle;
        m_session.clear();
        m_active = {};
        m_bound = {};
        m_triggers = {};
        triggersChanged();
    }
    if (!newOwner.isEmpty() && !m_asked.empty())
        openSession();
}

void PortalHotkeyGrabber::onShortcutsChanged(const QDBusMessage& message) {
    if (!ofSession(message))
        return;
    const auto shortcuts = qdbus_cast<QList<PortalShortcut>>(message.arguments().value(1));
    for (const PortalShortcut& shortcut : shortcuts) {
        if (const int id = hotkeyOf(shortcut.id); id >= 0) {
            m_bound[id] = true;
            m_triggers[id] = triggerOf(shortcut);
        }
    }
    triggersChanged();
}

} // namespace cfx
