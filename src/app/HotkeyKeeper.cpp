#include "app/HotkeyKeeper.h"

#include "gui/HotkeyDialog.h"
#include "gui/WindowFit.h"
#include "platform/HotkeyService.h"

namespace cfx {

HotkeyKeeper::HotkeyKeeper(QString dataDir, QString forcedBackend, QObject* parent)
    : QObject(parent), m_dataDir(std::move(dataDir)), m_forcedBackend(std::move(forcedBackend)) {}

HotkeyKeeper::~HotkeyKeeper() {
    // The dialog gives its editing back to the service: it goes first.
    delete m_dialog;
}

void HotkeyKeeper::startUp(QWidget& panel) {
    if (!m_service) {
        m_service = HotkeyService::forDesktop(m_dataDir, m_forcedBackend);
        connect(m_service.get(), &HotkeyService::hotkeyPressed, this, &HotkeyKeeper::press);
        connect(m_service.get(), &HotkeyService::bindingsChanged, this, [this] {
            if (m_dialog)
                m_dialog->showBindings();
        });
    }
    m_service->setMessageParent(&panel);
    m_service->startUp();
}

void HotkeyKeeper::releaseAll() {
    if (m_service)
        m_service->releaseAll();
}

void HotkeyKeeper::openDialog(QWidget& panel, const QRect& keepClear) {
    if (!m_dialog) {
        m_dialog = new HotkeyDialog(*m_service, &panel);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_dialog->setWindowFlag(Qt::Window);
    }
    showInFront(m_dialog, keepClear);
}

void HotkeyKeeper::press(int id) {
    if (const std::optional<RemoteCommand> command = hotkeyCommand(id))
        Q_EMIT commandWanted(*command);
}

} // namespace cfx
