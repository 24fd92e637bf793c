#pragma once

#include <QPoint>
#include <QString>

#include <optional>

namespace cfx {

// What the program remembers between runs. A default-made value is the start-up of a first run:
// LCD look, resolution 10, snap flash and sound on, controls acting on release, report hidden,
// the display attached, nothing kept on top, the display opaque, every window where it places
// itself.
struct StartSettings {
    static constexpr int kOpaque = 255;
    static constexpr int kMostTransparent = 60;

    bool ledLook = false;
    QString resolution = QStringLiteral("10");
    bool flashSound = true;
    bool actOnPress = false;
    bool reportShown = false;
    bool displayAttached = true;
    bool displayOnTop = false;
    bool rateOnTop = false;
    bool speedOnTop = false;
    int displayOpacity = kOpaque;
    // Where the user left the windows (top-left corners of their frames). The display's place
    // counts only while it is free.
    std::optional<QPoint> panelPosition;
    std::optional<QPoint> displayPosition;
    std::optional<QPoint> reportPosition;
    std::optional<QPoint> ratePosition;
    std::optional<QPoint> speedPosition;

    bool operator==(const StartSettings&) const = default;
};

// The settings file in the user's configuration folder ($XDG_CONFIG_HOME/chronofex/
// chronofex.conf). Reading never fails: a missing file gives the first-run settings, and a value
// that is missing, of the wrong kind or out of range gives that one setting's first-run value.
class SettingsStore {
public:
    explicit SettingsStore(QString filePath);

    // The user's file.
    static QString userFilePath();

    QString filePath() const { return m_filePath; }
    StartSettings read() const;
    // Replaces what the file holds and puts it on the disk at once (a killed program or a logout
    // keeps it). False when the file could not be written.
    bool write(const StartSettings& settings) const;

private:
    QString m_filePath;
};

} // namespace cfx
