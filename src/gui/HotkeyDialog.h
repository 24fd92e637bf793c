#pragma once

#include "core/HotkeyEditing.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace cfx {

class HotkeyEdit;

// "Chronofex - Hotkeys": assigns the four hotkeys, switches each on or off and saves them. While
// it is open every hotkey is released so that typing a combination here does not work the
// stopwatch; OK registers and saves, any other way of closing brings the old hotkeys back.
class HotkeyDialog : public QDialog {
    Q_OBJECT

public:
    explicit HotkeyDialog(HotkeyEditing& service, QWidget* parent = nullptr);
    ~HotkeyDialog() override;

    // The boxes' values in the file's convention, with their "Enabled" marks.
    cfx::HotkeySet boxValues() const;

public Q_SLOTS:
    void reject() override;
    // Where the desktop has the last word on the triggers: what each hotkey is bound to now.
    void showBindings();

private:
    void buildControls();
    void wireControls();
    void fillBoxes(const cfx::HotkeySet& set);
    void enabledChanged(int index);
    void applyAndClose();
    void setAllEnabled(bool on);
    QString standingHint() const;

    HotkeyEditing& m_service;
    std::array<QGroupBox*, cfx::kHotkeyCount> m_frames{};
    std::array<QCheckBox*, cfx::kHotkeyCount> m_checks{};
    std::array<HotkeyEdit*, cfx::kHotkeyCount> m_boxes{};
    std::array<QLabel*, cfx::kHotkeyCount> m_bindings{};
    QPushButton* m_ok = nullptr;
    QPushButton* m_restore = nullptr;
    QPushButton* m_enableAll = nullptr;
    QPushButton* m_disableAll = nullptr;
    QLabel* m_hint = nullptr;
    bool m_applying = false;
};

} // namespace cfx
