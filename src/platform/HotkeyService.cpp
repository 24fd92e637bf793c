#include "platform/HotkeyService.h"

#include "platform/X11HotkeyGrabber.h"

#include <QWidget>

namespace cfx {

using cfx::HotkeySet;

HotkeyService::HotkeyService(const QString& dataDir, std::unique_ptr<HotkeyGrabber> grabber,
                             QObject* parent)
    : QObject(parent), m_filePath(cfx::hotkeyFilePath(dataDir)), m_grabber(std::move(grabber)) {
    if (m_grabber)
        m_grabber->setPressHandler([this](int id) { Q_EMIT hotkeyPressed(id); });
}

HotkeyService::~HotkeyService() {
    releaseAll();
}

std::unique_ptr<HotkeyGrabber> HotkeyService::platformGrabber() {
    return X11HotkeyGrabber::create();
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

void HotkeyService::registerAndReport(const HotkeySet& set) {
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
    if (failures != 0)
        notify(QMessageBox::Critical, cfx::hotkeyFailTitle(), cfx::hotkeyFailText(failures));
}

void HotkeyService::startUp() {
    cfx::ensureHotkeyFile(m_filePath);
    registerAndReport(readRepaired());
}

void HotkeyService::releaseAll() {
    // Nothing the dialog does afterwards registers anything again.
    m_editing = false;
    if (m_grabber)
        cfx::releaseHotkeys(m_held, *m_grabber);
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
    registerAndReport(result);
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
