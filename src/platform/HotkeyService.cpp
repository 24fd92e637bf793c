#include "platform/HotkeyService.h"

#include "platform/PortalHotkeyGrabber.h"
#include "platform/X11HotkeyGrabber.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace cfx {

using cfx::HotkeySet;

HotkeyService::HotkeyService(const QString& dataDir, std::unique_ptr<HotkeyGrabber> grabber,
                             QObject* parent)
    : QObject(parent), m_filePath(cfx::hotkeyFilePath(dataDir)), m_grabber(std::move(grabber)) {
    listenToGrabber();
}

void HotkeyService::listenToGrabber() {
    if (!m_grabber)
        return;
    // Desktops that keep the hotkeys while the dialog is open (the portal) are not listened to.
    m_grabber->setPressHandler([this](int id) {
        if (!m_editing)
            Q_EMIT hotkeyPressed(id);
    });
    m_grabber->setAnswerHandler([this](const HotkeyGrabber::Bound& b) { desktopAnswered(b); });
    m_grabber->setTriggersChangedHandler([this] { Q_EMIT bindingsChanged(); });
}

HotkeyService::~HotkeyService() {
    releaseAll();
}

HotkeyBackendChoice chooseHotkeyBackend(const QString& forced, const QString& waylandDisplay,
                                        const QString& sessionType,
                                        const std::function<PortalProbe()>& probe) {
    if (forced.compare(QLatin1String("x11"), Qt::CaseInsensitive) == 0)
        return {HotkeyBackend::X11, false};
    if (forced.compare(QLatin1String("portal"), Qt::CaseInsensitive) == 0)
        return {HotkeyBackend::Portal, false};
    const bool wayland = !waylandDisplay.isEmpty() ||
                         sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    if (!wayland)
        return {HotkeyBackend::X11, false};
    if (probe() == PortalProbe::NotOffered)
        return {HotkeyBackend::X11, true};
    return {HotkeyBackend::Portal, false};
}

std::unique_ptr<HotkeyService> HotkeyService::forDesktop(const QString& dataDir,
                                                         const QString& forced) {
    const HotkeyBackendChoice choice =
        chooseHotkeyBackend(forced, qEnvironmentVariable("WAYLAND_DISPLAY"),
                            qEnvironmentVariable("XDG_SESSION_TYPE"), [] {
                                switch (PortalHotkeyGrabber::probePortal()) {
                                case PortalHotkeyGrabber::Probe::Offered:
                                    return PortalProbe::Offered;
                                case PortalHotkeyGrabber::Probe::NotOffered:
                                    return PortalProbe::NotOffered;
                                case PortalHotkeyGrabber::Probe::NoAnswer:
                                    break;
                                }
                                return PortalProbe::NoAnswer;
                            });
    std::unique_ptr<HotkeyGrabber> grabber;
    PortalHotkeyGrabber* portal = nullptr;
    if (choice.backend == HotkeyBackend::Portal) {
        auto owned = std::make_unique<PortalHotkeyGrabber>();
        portal = owned.get();
        grabber = std::move(owned);
    } else {
        grabber = X11HotkeyGrabber::create();
    }
    // Without X11 grabs either (Qt on its Wayland platform) the no-hotkeys message says it all.
    const bool grabs = grabber != nullptr;
    auto service = std::make_unique<HotkeyService>(dataDir, std::move(grabber));
    service->setPortalMissing(choice.portalMissing && grabs);
    if (portal) {
        // Later, from the event loop: the portal grabber is destroyed by the switch.
        QObject::connect(portal, &PortalHotkeyGrabber::unavailable, service.get(),
                         [s = service.get()](PortalHotkeyGrabber::Failure failure) {
                             QTimer::singleShot(0, s, [s, failure] {
                                 std::unique_ptr<HotkeyGrabber> x11 = X11HotkeyGrabber::create();
                                 const bool grabs = x11 != nullptr;
                                 s->fallBack(std::move(x11),
                                             grabs &&
                                                 failure == PortalHotkeyGrabber::Failure::Refused);
                             });
                         });
    }
    return service;
}

void HotkeyService::notify(QMessageBox::Icon icon, const QString& title, const QString& text) {
    if (m_notify) {
        m_notify(icon, title, text);
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, m_messageParent);
    // The text can be selected and copied, for a report or a search.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

HotkeySet HotkeyService::readRepaired() {
    const cfx::HotkeyFileRead read = cfx::readHotkeyFile(m_filePath);
    if (!read.ok) {
        if (!m_repairReported) {
            m_repairReported = true;
            notify(QMessageBox::Warning, cfx::hotkeyFailTitle(),
                   QStringLiteral("The hotkey file \"%1\" cannot be read: %2\r\n"
                                  "The program runs without hotkeys.")
                       .arg(m_filePath, read.error));
        }
        return {};
    }
    if (read.repaired && !m_repairReported) {
        m_repairReported = true;
        notify(QMessageBox::Warning, cfx::hotkeyFailTitle(),
               cfx::hotkeyRepairText(m_filePath, read.validLines));
    }
    return read.set;
}

void HotkeyService::registerAndReport(const HotkeySet& set, bool rebind) {
    if (!m_grabber) {
        for (int i = 0; i < cfx::kHotkeyCount; ++i) {
            m_held.modifiers[i] = set.modifiers[i];
            m_held.keyCodes[i] = set.keyCodes[i];
            m_held.registered[i] = false;
        }
        bool wanted = false;
        for (int i = 0; i < cfx::kHotkeyCount; ++i)
            wanted = wanted || (set.enabled[i] && set.keyCodes[i] != 0);
        if (wanted && !m_unavailableReported) {
            m_unavailableReported = true;
            notify(QMessageBox::Information, cfx::hotkeyFailTitle(),
                   QStringLiteral("This desktop does not let programs use global hotkeys "
                                  "(it is not an X11 session).\r\nThe stopwatch can be worked "
                                  "with \"chronofex --start-stop\", \"--snap\", \"--reset\" "
                                  "and \"--menu\" instead."));
        }
        return;
    }
    const int failures = cfx::registerHotkeys(m_held, set, *m_grabber);
    if (m_grabber->commit(rebind)) {
        m_failuresBeforeAnswer = failures; // told with the desktop's answer
        return;
    }
    reportFailures(failures);
}

void HotkeyService::desktopAnswered(const HotkeyGrabber::Bound& bound) {
    // The hotkeys the desktop left unbound count as failed registrations.
    int failures = std::exchange(m_failuresBeforeAnswer, 0);
    for (int i = 0; i < cfx::kHotkeyCount; ++i) {
        if (m_held.registered[i] && !bound[i]) {
            m_held.registered[i] = false;
            m_grabber->release(i); // not asked for again unless registered again
            if (m_held.keyCodes[i] != 0)
                ++failures;
        }
    }
    Q_EMIT bindingsChanged();
    reportFailures(failures);
}

void HotkeyService::reportFailures(int failures) {
    if (failures != 0)
        notify(QMessageBox::Critical, cfx::hotkeyFailTitle(), cfx::hotkeyFailText(failures));
}

void HotkeyService::fallBack(std::unique_ptr<HotkeyGrabber> grabber, bool portalMissing) {
    // What is registered now, or was before the dialog opened, goes to the new grabber.
    HotkeySet set;
    for (int i = 0; i < cfx::kHotkeyCount; ++i) {
        set.modifiers[i] = m_held.modifiers[i];
        set.keyCodes[i] = m_held.keyCodes[i];
        set.enabled[i] = m_held.registered[i];
        m_held.registered[i] = false;
    }
    m_failuresBeforeAnswer = 0;
    m_grabber = std::move(grabber);
    listenToGrabber();
    m_portalMissing = portalMissing;
    m_portalSilent = !portalMissing && m_grabber;
    // While the dialog is open nothing is registered; closing it registers with the new one.
    if (!m_editing)
        registerAndReport(set);
    Q_EMIT bindingsChanged();
    if (m_portalMissing)
        tellPortalMissingOnce();
}

void HotkeyService::startUp() {
    cfx::ensureHotkeyFile(m_filePath);
    registerAndReport(readRepaired());
    if (m_portalMissing)
        tellPortalMissingOnce();
}

void HotkeyService::tellPortalMissingOnce() {
    // Once per data folder, ever: an empty marker beside the hotkey file remembers that it was
    // said, since the program keeps no settings. Without a data folder it is said every start.
    const QString marker =
        m_filePath.isEmpty()
            ? QString()
            : QFileInfo(m_filePath).dir().filePath(QStringLiteral(".portal-notice-shown"));
    if (!marker.isEmpty() && QFile::exists(marker))
        return;
    notify(QMessageBox::Information, cfx::hotkeyFailTitle(), desktopNote());
    if (!marker.isEmpty())
        QFile(marker).open(QIODevice::WriteOnly);
}

QString HotkeyService::desktopNote() const {
    if (m_portalSilent) {
        return QStringLiteral("The desktop's global-shortcuts portal does not answer. Here the "
                              "hotkeys work only while a Chronofex window has the focus.");
    }
    if (!m_portalMissing)
        return {};
    return QStringLiteral("Hotkeys in other programs need the desktop's global-shortcuts portal, "
                          "which this Wayland session does not offer. Here the hotkeys work only "
                          "while a Chronofex window has the focus.");
}

bool HotkeyService::desktopAssigns() const {
    return m_grabber && m_grabber->desktopAssigns();
}

QString HotkeyService::boundTrigger(int id) const {
    return m_grabber ? m_grabber->boundTrigger(id) : QString();
}

void HotkeyService::releaseAll() {
    // Nothing the dialog does afterwards registers anything again.
    m_editing = false;
    m_failuresBeforeAnswer = 0;
    if (m_grabber) {
        cfx::releaseHotkeys(m_held, *m_grabber);
        m_grabber->commit(false);
    }
}

HotkeySet HotkeyService::fileValues() {
    return readRepaired();
}

HotkeySet HotkeyService::beginEditing() {
    if (!m_editing) {
        for (int i = 0; i < cfx::kHotkeyCount; ++i) {
            m_beforeEditing.modifiers[i] = m_held.modifiers[i];
            m_beforeEditing.keyCodes[i] = m_held.keyCodes[i];
            m_beforeEditing.enabled[i] = m_held.registered[i];
        }
    }
    m_editing = true;
    const HotkeySet file = readRepaired();
    for (int i = 0; i < cfx::kHotkeyCount; ++i) {
        m_held.modifiers[i] = file.modifiers[i];
        m_held.keyCodes[i] = file.keyCodes[i];
    }
    if (m_grabber)
        cfx::releaseHotkeys(m_held, *m_grabber);
    return file;
}

void HotkeyService::finishEditing(const HotkeySet& boxes) {
    HotkeySet result;
    for (int i = 0; i < cfx::kHotkeyCount; ++i) {
        result.enabled[i] = boxes.enabled[i];
        // A disabled hotkey keeps the values the file had when the dialog opened.
        result.modifiers[i] = boxes.enabled[i] ? boxes.modifiers[i] : m_held.modifiers[i];
        result.keyCodes[i] = boxes.enabled[i] ? boxes.keyCodes[i] : m_held.keyCodes[i];
    }
    m_editing = false;
    // A desktop that has the last word on the triggers is asked again, also for unchanged ones.
    registerAndReport(result, true);
    const cfx::FileResult saved = cfx::writeHotkeyFile(m_filePath, result);
    if (!saved.ok) {
        notify(QMessageBox::Critical, cfx::hotkeyFailTitle(),
               QStringLiteral("The hotkeys could not be saved to \"%1\": %2\r\n"
                              "They work until the program ends.")
                   .arg(m_filePath, saved.error));
    }
}

void HotkeyService::cancelEditing() {
    if (!m_editing)
        return;
    m_editing = false;
    registerAndReport(m_beforeEditing);
}

int HotkeyService::virtualKeyOfNativeKey(quint32 scanCode) const {
    return X11HotkeyGrabber::virtualKeyOfKeycode(scanCode);
}

} // namespace cfx
