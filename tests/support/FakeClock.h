#pragma once

#include "core/Stopwatch.h"

namespace cfx {

// A time source the test moves by hand.
class FakeClock : public MonotonicClock {
public:
    qint64 nowMs() const override { return m_now; }
    void advance(qint64 ms) { m_now += ms; }

private:
    qint64 m_now = 1'000'000;
};

} // namespace cfx
