#pragma once

#include <QtGlobal>

#include <array>

namespace cfx {

// What the clock and the panel need of the large seven-segment display. Colours are
// red + 256 * green + 65536 * blue.
class DisplaySink {
public:
    static constexpr quint32 kBlack = 0;
    static constexpr quint32 kRed = 255;
    static constexpr quint32 kGreen = 65280;
    static constexpr quint32 kWhite = 16777215;
    static constexpr quint32 kLightGrey = 14737632;

    virtual ~DisplaySink() = default;

    // LED1..LED8: hour, minute and second tens and units, then the two sub-second digits.
    virtual void setLedValues(const std::array<int, 8>& values) = 0;
    virtual std::array<int, 8> ledValues() const = 0;
    // Idle picture on all eight digits (true) or their digits (false).
    virtual void setLedIdle(bool idle) = 0;
    // The look: frame background, every digit's unlit colour and the separators' background take
    // `background`; every digit's lit colour and the separators' text take `lit`.
    virtual void setColours(quint32 background, quint32 lit) = 0;
    // Frame background, unlit colour and separators' background only (the snap flash and its
    // restore); the lit colours stay.
    virtual void setBackground(quint32 background) = 0;
    // Resolution 1 cuts the two sub-second digits off; any other shows all eight.
    virtual void setResolutionOne(bool one) = 0;
};

// Stands in until a display is attached, and in tests: remembers what it was told.
class NullDisplay : public DisplaySink {
public:
    void setLedValues(const std::array<int, 8>& values) override { m_values = values; }
    std::array<int, 8> ledValues() const override { return m_values; }
    void setLedIdle(bool idle) override { m_idle = idle; }
    void setColours(quint32 background, quint32 lit) override {
        m_background = background;
        m_lit = lit;
    }
    void setBackground(quint32 background) override { m_background = background; }
    void setResolutionOne(bool one) override { m_resolutionOne = one; }

    bool idle() const { return m_idle; }
    quint32 background() const { return m_background; }
    quint32 lit() const { return m_lit; }
    bool resolutionOne() const { return m_resolutionOne; }

private:
    std::array<int, 8> m_values{};
    bool m_idle = true;
    quint32 m_background = kLightGrey;
    quint32 m_lit = kBlack;
    bool m_resolutionOne = false;
};

} // namespace cfx
