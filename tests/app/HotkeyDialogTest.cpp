#include "gui/HotkeyDialog.h"
#include "gui/HotkeyEdit.h"
#include "platform/HotkeyService.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>
#include <set>

using namespace cfx;

namespace {

// The desktop: which identifiers hold which combination, and combinations other programs hold.
struct Desk {
    std::map<int, std::pair<int, int>> held;
    std::set<std::pair<int, int>> elsewhere;
};

class FakeGrabber : public HotkeyGrabber {
public:
    explicit FakeGrabber(Desk& desk) : m_desk(desk) {}
    bool grab(int id, int modifiers, int key) override {
        if (m_desk.elsewhere.count({modifiers, key}))
            return false;
        m_desk.held[id] = {modifiers, key};
        return true;
    }
    void release(int id) override { m_desk.held.erase(id); }
    void press(int id) { pressed(id); }

private:
    Desk& m_desk;
};

// A desktop with the last word on the triggers, as the global-shortcuts portal: it answers a
// commit when told, binding every wanted hotkey but the refused ones, with triggers of its own.
class FakePortal : public HotkeyGrabber {
public:
    bool grab(int id, int, int) override {
        m_wanted.insert(id);
        return true;
    }
    void release(int id) override { m_wanted.erase(id); }
    bool commit(bool rebind) override {
        m_rebinds += rebind ? 1 : 0;
        return true;
    }
    bool desktopAssigns() const override { return true; }
    QString boundTrigger(int id) const override { return m_triggers[id]; }
    void answer(const std::set<int>& refused) {
        Bound bound{};
        m_triggers = {};
        for (int id : m_wanted) {
            bound[id] = !refused.count(id);
            m_triggers[id] = bound[id] ? QString("Meta+F%1").arg(id + 1) : QString();
        }
        answered(bound);
    }
    void change(int id, const QString& trigger) {
        m_triggers[id] = trigger;
        triggersChanged();
    }
    void press(int id) { pressed(id); }
    int m_rebinds = 0;

private:
    std::set<int> m_wanted;
    std::array<QString, kHotkeyCount> m_triggers;
};

struct Message {
    QMessageBox::Icon icon;
    QString title, text;
};

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

} // namespace

class HotkeyFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    Desk m_desk;
    FakeGrabber* m_grabber = nullptr;
    std::unique_ptr<HotkeyService> m_service;
    QList<Message> m_messages;

    QString filePath() const { return m_dir.filePath("hotkeysetup.txt"); }

    void makeService(bool withGrabber = true) {
        m_service.reset();
        m_desk = Desk{};
        m_messages.clear();
        std::unique_ptr<HotkeyGrabber> g;
        if (withGrabber) {
            auto fake = std::make_unique<FakeGrabber>(m_desk);
            m_grabber = fake.get();
            g = std::move(fake);
        }
        m_service = std::make_unique<HotkeyService>(m_dir.path(), std::move(g));
        m_service->setNotifier([this](QMessageBox::Icon icon, const QString& t, const QString& x) {
            m_messages.append({icon, t, x});
        });
    }

    template <typename T> T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }

private Q_SLOTS:
    void init() {
        QFile::remove(filePath());
        QFile::remove(m_dir.filePath(".portal-notice-shown"));
        makeService();
    }

    void aDesktopWithTheLastWordIsShownAndCountedWhenItAnswers() {
        auto fake = std::make_unique<FakePortal>();
        FakePortal* portal = fake.get();
        m_service = std::make_unique<HotkeyService>(m_dir.path(), std::move(fake));
        m_service->setNotifier([this](QMessageBox::Icon icon, const QString& t, const QString& x) {
            m_messages.append({icon, t, x});
        });
        putBytes(filePath(),
                 "2\r\n116\r\n1\r\n2\r\n117\r\n1\r\n2\r\n118\r\n1\r\n2\r\n119\r\n1\r\n");
        m_service->startUp();
        QVERIFY(m_messages.isEmpty()); // nothing is known before the desktop answers
        QSignalSpy changed(m_service.get(), &HotkeyService::bindingsChanged);
        portal->answer({3});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.startsWith("Can not register 1 Hotkeys."));
        QVERIFY(m_service->registrations().registered[0]);
        QVERIFY(!m_service->registrations().registered[3]);

        HotkeyDialog form(*m_service);
        connect(m_service.get(), &HotkeyService::bindingsChanged, &form,
                &HotkeyDialog::showBindings);
        QCOMPARE(child<QLabel>(form, "BoundLabel1")->text(), QString("Desktop trigger: Meta+F1"));
        QCOMPARE(child<QLabel>(form, "BoundLabel4")->text(), QString("Desktop trigger: none"));
        portal->change(1, "Alt+S");
        QCOMPARE(child<QLabel>(form, "BoundLabel2")->text(), QString("Desktop trigger: Alt+S"));
        // Screen readers get the trigger too, not only the label's name.
        QCOMPARE(QAccessible::queryAccessibleInterface(child<QLabel>(form, "BoundLabel2"))
                     ->text(QAccessible::Description),
                 QString("Desktop trigger: Alt+S"));
        // The desktop keeps the hotkeys while the dialog is open; their presses do nothing.
        QSignalSpy pressed(m_service.get(), &HotkeyService::hotkeyPressed);
        portal->press(0);
        QCOMPARE(pressed.count(), 0);
        // OK asks the desktop again, also for unchanged hotkeys.
        child<QPushButton>(form, "Command1")->click();
        QCOMPARE(portal->m_rebinds, 1);
        portal->answer({});
        QCOMPARE(m_messages.size(), 1);
        portal->press(0);
        QCOMPARE(pressed.count(), 1);
    }

    void aWaylandSessionWithoutThePortalIsToldOnceEver() {
        m_service->setPortalMissing(true);
        m_service->startUp();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.contains("global-shortcuts portal"));
        {
            HotkeyDialog form(*m_service);
            QCOMPARE(child<QLabel>(form, "HintLabel")->text(), m_messages[0].text);
            QVERIFY(!child<QLabel>(form, "BoundLabel1")->isVisibleTo(&form));
        }
        makeService();
        m_service->setPortalMissing(true);
        m_service->startUp();
        QVERIFY(m_messages.isEmpty());
    }

    void firstStartCreatesTheDefaultFileQuietly() {
        m_service->startUp();
        QCOMPARE(fileBytes(filePath()), QByteArray("0\r\n").repeated(12));
        QVERIFY(m_messages.isEmpty());
        QVERIFY(m_desk.held.empty());
    }

    void startUpRegistersAndReportsFailuresOnce() {
        // Start/Stop Ctrl+Alt+F5; Snap the same combination; Reset held by another program;
        // Menu enabled without a key.
        putBytes(filePath(), "3\r\n116\r\n1\r\n3\r\n116\r\n1\r\n2\r\n82\r\n1\r\n0\r\n0\r\n1\r\n");
        m_desk.elsewhere.insert({2, 82});
        m_service->startUp();
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].icon, QMessageBox::Critical);
        QCOMPARE(m_messages[0].title, QString("Hotkey Assign"));
        QVERIFY(m_messages[0].text.startsWith("Can not register 2 Hotkeys.\r\n"));
        QCOMPARE(m_service->filePath(), filePath());
        QCOMPARE(m_desk.held.size(), size_t(1));
        QVERIFY(m_service->registrations().registered[0]);

        QSignalSpy spy(m_service.get(), &HotkeyService::hotkeyPressed);
        m_grabber->press(0);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy[0][0].toInt(), 0);

        m_service->releaseAll();
        QVERIFY(m_desk.held.empty());
    }

    void damagedFileIsRepairedAndReportedOnlyOnce() {
        putBytes(filePath(), "1\r\n116\r\n1\r\n4\r\nF6\r\n1\r\n");
        m_service->startUp();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.contains("first 4 of its 12 lines"));
        QCOMPARE(m_desk.held.size(), size_t(1)); // the first hotkey still works
        QCOMPARE(m_desk.held[0], std::make_pair(1, 116));

        HotkeyDialog form(*m_service);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(child<HotkeyEdit>(form, "ccrpHotKey1")->text(), QString("Alt+F5"));
        QVERIFY(!child<QCheckBox>(form, "Check2")->isChecked());
    }

    void withoutGlobalHotkeysTheUserIsToldOnce() {
        makeService(false);
        putBytes(filePath(), "3\r\n116\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
        m_service->startUp();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.contains("--start-stop"));
        HotkeyDialog form(*m_service);
        form.findChild<QPushButton*>("Command1")->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(fileBytes(filePath()).startsWith("3\r\n116\r\n1\r\n"));
    }

    void dialogShowsTheFileAndReleasesEveryHotkeyWhileOpen() {
        putBytes(filePath(), "1\r\n116\r\n1\r\n4\r\n116\r\n1\r\n3\r\n116\r\n0\r\n6\r\n65\r\n1\r\n");
        m_service->startUp();
        QCOMPARE(m_desk.held.size(), size_t(3));

        HotkeyDialog form(*m_service);
        QCOMPARE(form.windowTitle(), QString("Chronofex - Hotkeys"));
        QVERIFY(m_desk.held.empty());
        QCOMPARE(child<QGroupBox>(form, "Frame1")->title(), QString("Start/Stop"));
        QCOMPARE(child<QGroupBox>(form, "Frame4")->title(), QString("Menu"));
        auto* box1 = child<HotkeyEdit>(form, "ccrpHotKey1");
        QCOMPARE(box1->modifiers(), 4); // Alt in the entry box's own convention
        QCOMPARE(box1->text(), QString("Alt+F5"));
        QCOMPARE(child<HotkeyEdit>(form, "ccrpHotKey2")->modifiers(), 1); // Shift
        QCOMPARE(child<HotkeyEdit>(form, "ccrpHotKey4")->text(), QString("Ctrl+Shift+A"));
        QVERIFY(!child<QCheckBox>(form, "Check3")->isChecked());
        QVERIFY(!child<HotkeyEdit>(form, "ccrpHotKey3")->isEnabled());

        // Enable All / Disable All work the marks and the boxes with them.
        child<QPushButton>(form, "Command3")->click();
        QVERIFY(child<QCheckBox>(form, "Check3")->isChecked());
        QVERIFY(child<HotkeyEdit>(form, "ccrpHotKey3")->isEnabled());
        child<QPushButton>(form, "Command4")->click();
        for (const char* c : {"Check1", "Check2", "Check3", "Check4"})
            QVERIFY(!child<QCheckBox>(form, c)->isChecked());

        // Restore puts back the saved keys and marks.
        child<QPushButton>(form, "Command3")->click();
        box1->setHotkey(2, 'Q');
        child<QPushButton>(form, "Command2")->click();
        QCOMPARE(box1->text(), QString("Alt+F5"));
        QVERIFY(child<QCheckBox>(form, "Check1")->isChecked());
        QVERIFY(!child<QCheckBox>(form, "Check3")->isChecked());
        QVERIFY(m_desk.held.empty()); // Restore registers nothing
    }

    void okSavesInFileConventionAndDisabledHotkeysKeepTheirKeys() {
        putBytes(filePath(), "1\r\n116\r\n1\r\n4\r\n117\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
        m_service->startUp();
        HotkeyDialog form(*m_service);
        // Entry-box modifiers: 1 Shift, 2 Ctrl, 4 Alt.
        child<HotkeyEdit>(form, "ccrpHotKey1")->setHotkey(6, 0x74); // Ctrl+Alt+F5 -> 3
        child<HotkeyEdit>(form, "ccrpHotKey3")->setHotkey(3, 0x76); // Ctrl+Shift+F7 -> 6
        child<HotkeyEdit>(form, "ccrpHotKey4")->setHotkey(2, 'M');  // Ctrl+M -> 2
        child<QCheckBox>(form, "Check3")->setChecked(true);
        child<QCheckBox>(form, "Check4")->setChecked(true);
        // Edited, then disabled: the file's Shift+F6 stays.
        child<HotkeyEdit>(form, "ccrpHotKey2")->setHotkey(4, 0x78);
        child<QCheckBox>(form, "Check2")->setChecked(false);
        child<QPushButton>(form, "Command1")->click();

        QVERIFY(!form.isVisible());
        QCOMPARE(fileBytes(filePath()), QByteArray("3\r\n116\r\n1\r\n4\r\n117\r\n0\r\n"
                                                   "6\r\n118\r\n1\r\n2\r\n77\r\n1\r\n"));
        QCOMPARE(m_desk.held.size(), size_t(3));
        QCOMPARE(m_desk.held[0], std::make_pair(3, 0x74));
        QVERIFY(!m_desk.held.count(1));
        QVERIFY(m_messages.isEmpty());
    }

    void okWithTwoEqualCombinationsSavesBothAndReportsOne() {
        m_service->startUp();
        HotkeyDialog form(*m_service);
        child<QPushButton>(form, "Command3")->click();
        child<HotkeyEdit>(form, "ccrpHotKey1")->setHotkey(4, 0x74);
        child<HotkeyEdit>(form, "ccrpHotKey2")->setHotkey(4, 0x74);
        child<QPushButton>(form, "Command1")->click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.startsWith("Can not register 1 Hotkeys."));
        QVERIFY(fileBytes(filePath()).startsWith("1\r\n116\r\n1\r\n1\r\n116\r\n1\r\n"));
        QCOMPARE(m_desk.held.size(), size_t(1));
    }

    void okPressedAgainWhileTheMessageIsOpenActsOnce() {
        // A screen reader's press action (or a fast double press) reaches OK again while the
        // "Hotkey Assign" message runs its own event loop.
        m_service->startUp();
        QPointer<HotkeyDialog> form = new HotkeyDialog(*m_service);
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        child<QPushButton>(*form, "Command3")->click();
        child<HotkeyEdit>(*form, "ccrpHotKey1")->setHotkey(4, 0x74);
        child<HotkeyEdit>(*form, "ccrpHotKey2")->setHotkey(4, 0x74);
        QPushButton* ok = child<QPushButton>(*form, "Command1");
        bool shownOverTheDialog = false;
        m_service->setNotifier([&](QMessageBox::Icon, const QString& t, const QString& x) {
            m_messages.append({QMessageBox::Warning, t, x});
            shownOverTheDialog = shownOverTheDialog || (form && form->isVisible());
            if (m_messages.size() == 1) {
                ok->click();
                // What the message's event loop does with a dialog closed under it.
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        });
        ok->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.isNull());
        QVERIFY(!shownOverTheDialog);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.startsWith("Can not register 1 Hotkeys."));
        QVERIFY(fileBytes(filePath()).startsWith("1\r\n116\r\n1\r\n1\r\n116\r\n1\r\n"));
        QCOMPARE(m_desk.held.size(), size_t(1));
    }

    void closingWithoutOkRegistersThePreviousHotkeysAgain() {
        putBytes(filePath(), "1\r\n116\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n77\r\n0\r\n");
        m_service->startUp();
        {
            HotkeyDialog form(*m_service);
            form.show();
            child<HotkeyEdit>(form, "ccrpHotKey1")->setHotkey(1, 0x75);
            QVERIFY(m_desk.held.empty());
            form.close();
            QCOMPARE(m_desk.held.size(), size_t(1));
            QCOMPARE(m_desk.held[0], std::make_pair(1, 116));
            QCOMPARE(m_service->registrations().keyCodes[0], 116);
        }
        // Closing did not save, and the dialog gone does not release again.
        QVERIFY(fileBytes(filePath()).startsWith("1\r\n116\r\n1\r\n"));
        QCOMPARE(m_desk.held.size(), size_t(1));
        // Esc closes the same way.
        HotkeyDialog form(*m_service);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(m_desk.held.empty());
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(m_desk.held.size(), size_t(1));
    }

    void entryBoxTakesCombinationsFromTheKeyboard() {
        HotkeyEdit box;
        QSignalSpy refused(&box, &HotkeyEdit::keyRefused);
        QTest::keyClick(&box, Qt::Key_F5, Qt::AltModifier);
        QCOMPARE(box.modifiers(), 4);
        QCOMPARE(box.keyCode(), 0x74);
        QCOMPARE(box.text(), QString("Alt+F5"));
        QTest::keyClick(&box, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(box.modifiers(), 3);
        QCOMPARE(box.keyCode(), int('S'));
        // Shift+1 arrives as "!" but the hotkey is the key 1.
        QTest::keyClick(&box, Qt::Key_Exclam, Qt::ShiftModifier);
        QCOMPARE(box.keyCode(), int('1'));
        QCOMPARE(box.modifiers(), 1);
        QTest::keyClick(&box, Qt::Key_3, Qt::KeypadModifier);
        QCOMPARE(box.keyCode(), 0x63);
        QCOMPARE(box.modifiers(), 0);
        // A layout-dependent key is refused and the box keeps what it had.
        QTest::keyClick(&box, Qt::Key_Semicolon, Qt::ControlModifier);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(box.keyCode(), 0x63);
        QCOMPARE(box.text(), QString("Num 3"));
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.keyCode(), 0);
        QCOMPARE(box.text(), QString("None"));
    }
};

QTEST_MAIN(HotkeyFormTest)
#include "HotkeyDialogTest.moc"
