#include "gui/HotkeyDialog.h"

#include "gui/Announcer.h"
#include "gui/HotkeyEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace cfx {

namespace {
const char* const kRoles[cfx::kHotkeyCount] = {QT_TRANSLATE_NOOP("cfx::HotkeyDialog", "Start/Stop"),
                                               QT_TRANSLATE_NOOP("cfx::HotkeyDialog", "Snap"),
                                               QT_TRANSLATE_NOOP("cfx::HotkeyDialog", "Reset"),
                                               QT_TRANSLATE_NOOP("cfx::HotkeyDialog", "Menu")};
}

HotkeyDialog::HotkeyDialog(HotkeyEditing& service, QWidget* parent)
    : QDialog(parent), m_service(service) {
    setObjectName(QStringLiteral("HotkeyForm"));
    setWindowTitle(tr("Chronofex - Hotkeys"));
    buildControls();
    wireControls();
    fillBoxes(m_service.beginEditing());
    showBindings();
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

HotkeyDialog::~HotkeyDialog() {
    // Destroyed while still open (program exit): nothing was confirmed.
    m_service.cancelEditing();
}

void HotkeyDialog::buildControls() {
    auto* grid = new QGridLayout;
    for (int i = 0; i < cfx::kHotkeyCount; ++i) {
        const QString n = QString::number(i + 1);
        const QString role = tr(kRoles[i]);
        m_frames[i] = new QGroupBox(role, this);
        m_frames[i]->setObjectName(QStringLiteral("Frame") + n);
        m_frames[i]->setAccessibleName(role);
        m_checks[i] = new QCheckBox(tr("Enabled"), m_frames[i]);
        m_checks[i]->setObjectName(QStringLiteral("Check") + n);
        m_checks[i]->setAccessibleName(tr("Enabled"));
        m_checks[i]->setAccessibleDescription(tr("%1 hotkey enabled").arg(role));
        m_boxes[i] = new HotkeyEdit(m_frames[i]);
        m_boxes[i]->setNativeKeyMapper(
            [this](quint32 scanCode) { return m_service.virtualKeyOfNativeKey(scanCode); });
        m_boxes[i]->setObjectName(QStringLiteral("ccrpHotKey") + n);
        m_boxes[i]->setAccessibleName(tr("%1 hotkey").arg(role));
        m_boxes[i]->setMinimumWidth(150);
        m_bindings[i] = new QLabel(m_frames[i]);
        m_bindings[i]->setObjectName(QStringLiteral("BoundLabel") + n);
        m_bindings[i]->setAccessibleName(tr("%1 trigger of the desktop").arg(role));
        m_bindings[i]->setVisible(m_service.desktopAssigns());
        auto* inner = new QVBoxLayout(m_frames[i]);
        inner->addWidget(m_checks[i]);
        inner->addWidget(m_boxes[i]);
        inner->addWidget(m_bindings[i]);
        grid->addWidget(m_frames[i], i / 2, i % 2);
    }

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("HintLabel"));
    m_hint->setWordWrap(true);
    m_hint->setText(standingHint());

    auto makeButton = [this](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(caption);
        b->setAutoDefault(false);
        return b;
    };
    m_ok = makeButton(QStringLiteral("Command1"), tr("OK"));
    m_restore = makeButton(QStringLiteral("Command2"), tr("Restore"));
    m_enableAll = makeButton(QStringLiteral("Command3"), tr("Enable All"));
    m_disableAll = makeButton(QStringLiteral("Command4"), tr("Disable All"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_enableAll);
    buttons->addWidget(m_disableAll);
    buttons->addStretch();
    buttons->addWidget(m_restore);
    buttons->addWidget(m_ok);

    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addWidget(m_hint);
    main->addLayout(buttons);
}

void HotkeyDialog::wireControls() {
    for (int i = 0; i < cfx::kHotkeyCount; ++i) {
        connect(m_checks[i], &QCheckBox::toggled, this, [this, i] { enabledChanged(i); });
        connect(m_boxes[i], &HotkeyEdit::keyRefused, this, [this] {
            m_hint->setText(tr("That key depends on the keyboard layout and cannot "
                               "be a hotkey."));
        });
        connect(m_boxes[i], &HotkeyEdit::hotkeyChanged, this, [this, i] {
            m_hint->setText(standingHint());
            // The box's text changes while the keys are held, which a screen reader does not
            // follow: the combination taken is said once it is taken.
            announce(m_boxes[i], tr("%1 hotkey: %2").arg(tr(kRoles[i]), m_boxes[i]->text()));
        });
    }
    connect(m_ok, &QPushButton::clicked, this, &HotkeyDialog::applyAndClose);
    connect(m_restore, &QPushButton::clicked, this, [this] { fillBoxes(m_service.fileValues()); });
    connect(m_enableAll, &QPushButton::clicked, this, [this] { setAllEnabled(true); });
    connect(m_disableAll, &QPushButton::clicked, this, [this] { setAllEnabled(false); });
}

void HotkeyDialog::fillBoxes(const cfx::HotkeySet& set) {
    for (int i = 0; i < cfx::kHotkeyCount; ++i) {
        m_boxes[i]->setHotkey(cfx::toEntryBoxModifiers(set.modifiers[i] & 0xFF),
                              set.keyCodes[i] & 0xFF);
        m_checks[i]->setChecked(set.enabled[i]);
        enabledChanged(i); // also when the mark did not change
    }
}

QString HotkeyDialog::standingHint() const {
    if (!m_service.available()) {
        return tr("This desktop does not let programs use global hotkeys. They are "
                  "saved for X11 sessions.");
    }
    if (m_service.desktopAssigns()) {
        return tr("The desktop decides which keys work the hotkeys; the boxes hold "
                  "the keys it is asked for.");
    }
    return m_service.desktopNote();
}

void HotkeyDialog::showBindings() {
    for (int i = 0; i < cfx::kHotkeyCount; ++i) {
        const QString trigger = m_service.boundTrigger(i);
        m_bindings[i]->setText(
            tr("Desktop trigger: %1").arg(trigger.isEmpty() ? tr("none") : trigger));
        // The name says whose trigger it is; a screen reader reads the trigger from here.
        m_bindings[i]->setAccessibleDescription(m_bindings[i]->text());
    }
}

void HotkeyDialog::enabledChanged(int index) {
    // A disabled hotkey keeps its saved key, so its box is locked.
    m_boxes[index]->setEnabled(m_checks[index]->isChecked());
}

void HotkeyDialog::setAllEnabled(bool on) {
    for (QCheckBox* check : m_checks)
        check->setChecked(on);
}

cfx::HotkeySet HotkeyDialog::boxValues() const {
    cfx::HotkeySet set;
    for (int i = 0; i < cfx::kHotkeyCount; ++i) {
        set.modifiers[i] = cfx::toRegistrationModifiers(m_boxes[i]->modifiers() & 0xFF);
        set.keyCodes[i] = m_boxes[i]->keyCode() & 0xFF;
        set.enabled[i] = m_checks[i]->isChecked();
    }
    return set;
}

void HotkeyDialog::applyAndClose() {
    // A second OK (a screen reader's press action, a fast double press) can arrive while the
    // message about refused hotkeys is open: it must not apply again nor close the dialog a
    // second time under the first call.
    if (m_applying)
        return;
    m_applying = true;
    const cfx::HotkeySet values = boxValues();
    HotkeyEditing& service = m_service;
    // Closed first, so that any message comes after the dialog has gone; nothing of the
    // dialog is touched after this (it may be deleted once it is closed).
    accept();
    service.finishEditing(values);
}

void HotkeyDialog::reject() {
    if (!m_applying)
        m_service.cancelEditing();
    QDialog::reject();
}

} // namespace cfx
