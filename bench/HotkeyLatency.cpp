// Time from a global hotkey press to its effect in the real program: the key is pressed through
// XTEST on a second X connection (as a keyboard would), or with --portal the stand-in global-
// shortcuts portal on the session bus (tests/e2e/portal_standin.py) is asked to send Activated;
// the clock is taken when the program has carried out the press. With --desktop the hotkeys go
// through the real portal on the session bus (xdg-desktop-portal with its KDE backend and
// kglobalaccel, which takes the keys from the X server) and the keys are pressed through XTEST.
// Runs under an X server; prints the figures.
//   bench_hotkey_latency [--portal|--desktop] [PRESSES]

#include "app/Application.h"
#include "app/HotkeyKeeper.h"
#include "core/Session.h"
#include "gui/MainPanel.h"
#include "platform/HotkeyService.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

using namespace cfx;

namespace {

class Keyboard {
public:
    Keyboard() : m_c(xcb_connect(nullptr, nullptr)) { m_symbols = xcb_key_symbols_alloc(m_c); }
    ~Keyboard() {
        xcb_key_symbols_free(m_symbols);
        xcb_disconnect(m_c);
    }
    bool ok() const { return !xcb_connection_has_error(m_c); }
    xcb_keycode_t code(xcb_keysym_t sym) {
        xcb_keycode_t* list = xcb_key_symbols_get_keycode(m_symbols, sym);
        const xcb_keycode_t k = list ? list[0] : 0;
        std::free(list);
        return k;
    }
    void send(uint8_t type, xcb_keycode_t key) {
        xcb_test_fake_input(m_c, type, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(m_c);
    }

private:
    xcb_connection_t* m_c;
    xcb_key_symbols_t* m_symbols = nullptr;
};

struct Figures {
    double median, p95, max;
};

Figures figures(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)], ms.back()};
}

// Activated and Deactivated of a shortcut, sent by the stand-in portal.
void portalSend(const char* shortcut, bool down) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.chronofex.PortalStandIn"),
        down ? QStringLiteral("Activate") : QStringLiteral("Deactivate"));
    call << QString::fromLatin1(shortcut);
    QDBusConnection::sessionBus().send(call);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool desktop = argc > 1 && QByteArray(argv[1]) == "--desktop";
    const bool portal = desktop || (argc > 1 && QByteArray(argv[1]) == "--portal");
    const bool byKeys = !portal || desktop; // otherwise the stand-in sends Activated
    const int presses = argc > 1 + portal ? std::max(5, std::atoi(argv[1 + portal])) : 50;
    Keyboard keyboard;
    if (!keyboard.ok() || QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "bench_hotkey_latency: needs an X server\n");
        return 1;
    }
    QTemporaryDir dir;
    {
        // Start/Stop Ctrl+F5, Snap Ctrl+F6.
        QFile file(dir.filePath(QStringLiteral("hotkeysetup.txt")));
        file.open(QIODevice::WriteOnly);
        file.write("2\r\n116\r\n1\r\n2\r\n117\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    }
    Application program(dir.path());
    program.setHotkeyBackend(portal ? QStringLiteral("portal") : QStringLiteral("x11"));
    program.load();
    program.panel().show();
    if (portal) {
        // The portal answers the binding later.
        QEventLoop bound;
        QObject::connect(program.hotkeys().service(), &HotkeyService::bindingsChanged, &bound,
                         &QEventLoop::quit);
        QTimer::singleShot(desktop ? 20000 : 5000, &bound, &QEventLoop::quit);
        bound.exec();
    }
    const std::array<bool, 4>& registered = program.hotkeys().service()->registrations().registered;
    if (!registered[0] || !registered[1]) {
        std::fprintf(stderr, "bench_hotkey_latency: the hotkeys did not register\n");
        return 1;
    }

    const xcb_keycode_t ctrl = keyboard.code(XK_Control_L);
    QElapsedTimer clock;
    QEventLoop loop;
    bool done = false;
    // Connected after the panel's own handlers, so these run once the press has been carried out.
    // (The panel's buttons are no longer what a hotkey presses: it triggers their action.)
    for (auto signal : {&Stopwatch::started, &Stopwatch::stopped}) {
        QObject::connect(&program.clock(), signal, &loop, [&] {
            done = true;
            loop.quit();
        });
    }
    // A snap counts once its reading is in the report.
    QObject::connect(&program.readings(), &cfx::Session::appended, &loop, [&] {
        done = true;
        loop.quit();
    });

    // One timer for every wait, so that no old timeout ends a later wait early.
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);

    auto press = [&](xcb_keysym_t sym) -> double {
        const xcb_keycode_t key = keyboard.code(sym);
        const char* shortcut = sym == XK_F5 ? "start-stop" : "snap";
        done = false;
        if (byKeys)
            keyboard.send(XCB_KEY_PRESS, ctrl);
        clock.start();
        if (byKeys)
            keyboard.send(XCB_KEY_PRESS, key);
        else
            portalSend(shortcut, true);
        timeout.start(1000);
        if (!done)
            loop.exec();
        const double ms = clock.nsecsElapsed() / 1e6;
        const bool carriedOut = done;
        if (byKeys) {
            keyboard.send(XCB_KEY_RELEASE, key);
            keyboard.send(XCB_KEY_RELEASE, ctrl);
        } else {
            portalSend(shortcut, false);
        }
        // Let the releases arrive before the next press.
        timeout.start(30);
        loop.exec();
        return carriedOut ? ms : -1;
    };

    std::vector<double> startStopMs, snapMs;
    double first = press(XK_F5); // starts the clock
    if (first < 0 || program.panel().startStopCaption() != QLatin1String("Stop")) {
        std::fprintf(stderr,
                     "bench_hotkey_latency: the Start/Stop hotkey did not start the clock\n");
        return 1;
    }
    const int readingsBefore = program.readings().recordCount();
    for (int i = 0; i < presses; ++i) {
        const double ms = press(XK_F6);
        if (ms < 0) {
            std::fprintf(stderr, "bench_hotkey_latency: a Snap press was lost\n");
            return 1;
        }
        snapMs.push_back(ms);
    }
    if (program.readings().recordCount() != readingsBefore + presses) {
        std::fprintf(stderr, "bench_hotkey_latency: %d snaps gave %d readings\n", presses,
                     program.readings().recordCount() - readingsBefore);
        return 1;
    }
    for (int i = 0; i < presses; ++i) {
        const double ms = press(XK_F5);
        if (ms < 0) {
            std::fprintf(stderr, "bench_hotkey_latency: a Start/Stop press was lost\n");
            return 1;
        }
        startStopMs.push_back(ms);
    }
    const Figures s = figures(snapMs);
    const Figures t = figures(startStopMs);
    // The first press after start-up also pays for everything done the first time (pictures,
    // the large display's first run), so it is reported on its own.
    std::printf("first hotkey press after start-up (clock started): %.2f ms\n", first);
    if (desktop)
        std::printf("(keys pressed through XTEST, carried by kglobalaccel, the KDE portal backend "
                    "and xdg-desktop-portal)\n");
    else if (portal)
        std::printf("(through the global-shortcuts portal: Activated sent by the stand-in)\n");
    std::printf("hotkey press to reading recorded, %d presses: median %.2f ms, 95th percentile "
                "%.2f ms, max %.2f ms\n",
                presses, s.median, s.p95, s.max);
    std::printf("hotkey press to start/stop carried out, %d presses: median %.2f ms, 95th "
                "percentile %.2f ms, max %.2f ms\n",
                presses, t.median, t.p95, t.max);
    program.exit();
    // The portal's goal is the median: the path runs through the bus daemon and the stand-in.
    const bool met = portal ? s.median < 20.0 && t.median < 20.0 : s.max < 20.0 && t.max < 20.0;
    return met ? 0 : 3;
}
