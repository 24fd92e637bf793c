#pragma once

#include "tests/support/FakeClock.h"

#include "app/Application.h"

#include <memory>

namespace cfx {

// The whole program as the application wires it, timed by a clock the test moves by hand:
// loaded, its panel not shown yet.
inline std::unique_ptr<Application> loadProgramOnFakeClock(const QString& dataDir,
                                                           FakeClock*& time) {
    auto program = std::make_unique<Application>(dataDir);
    auto clock = std::make_unique<FakeClock>();
    time = clock.get();
    program->setTimeSource(std::move(clock));
    program->load();
    return program;
}

// Moves the hand-moved clock on and lets the stopwatch see it, as a tick of its run loop does.
inline void runFor(Application& program, FakeClock& time, qint64 ms) {
    time.advance(ms);
    program.clock().tick();
}

// The control with that object name inside `parent`; a test without it cannot go on.
template <typename T> T* namedChild(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

} // namespace cfx
