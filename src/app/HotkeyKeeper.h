#pragma once

#include "core/RemoteCommand.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <memory>

class QWidget;

namespace cfx {

class HotkeyDialog;
class HotkeyService;

// The global hotkeys: the desktop service that binds them, the dialog that sets them, and their
// presses, handed on as the commands they stand for.
class HotkeyKeeper : public QObject {
    Q_OBJECT
public:
    // `forcedBackend`: "x11" or "portal" forces that backend; empty chooses by the desktop.
    HotkeyKeeper(QString dataDir, QString forcedBackend, QObject* parent = nullptr);
    ~HotkeyKeeper() override;

    // Binds the hotkeys of the hotkey file; messages about them show over `panel`.
    void startUp(QWidget& panel);
    // Gives every hotkey back to the desktop (Exit).
    void releaseAll();
    // "Set Hotkeys...": one dialog at a time, over the panel, clear of `keepClear`.
    void openDialog(QWidget& panel, const QRect& keepClear);
    // Carries out a press by the hotkey's number (hotkeyCommand()).
    void press(int id);
    // Null until startUp().
    HotkeyService* service() const { return m_service.get(); }

Q_SIGNALS:
    void commandWanted(cfx::RemoteCommand command);

private:
    QString m_dataDir;
    QString m_forcedBackend;
    std::unique_ptr<HotkeyService> m_service;
    QPointer<HotkeyDialog> m_dialog;
};

} // namespace cfx
