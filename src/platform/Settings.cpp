#include "platform/Settings.h"

#include "core/TimeFormat.h"

#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <cstdlib>

namespace cfx {

namespace {

// Coordinates beyond any screen are a damaged file, not a place.
constexpr int kFarthest = 100000;

bool isNear(const QPoint& point) {
    return std::abs(point.x()) <= kFarthest && std::abs(point.y()) <= kFarthest;
}

// Keeps `into` unless the file holds "true" or "false" there.
void readBool(const QSettings& file, const QString& key, bool& into) {
    const QString text = file.value(key).toString();
    if (text == QLatin1String("true") || text == QLatin1String("false"))
        into = text == QLatin1String("true");
}

std::optional<QPoint> readPoint(const QSettings& file, const QString& key) {
    const QVariant value = file.value(key);
    if (value.typeId() != QMetaType::QPoint || !isNear(value.toPoint()))
        return std::nullopt;
    return value.toPoint();
}

void writePoint(QSettings& file, const QString& key, const std::optional<QPoint>& point) {
    if (point)
        file.setValue(key, *point);
}

// A resolution as the resolution box would take it: a short text worth at least one event a
// second.
bool isResolution(const QString& text) {
    return !text.isEmpty() && text.size() <= 10 && eventsPerSecOf(text) >= 1;
}

} // namespace

SettingsStore::SettingsStore(QString filePath) : m_filePath(std::move(filePath)) {}

QString SettingsStore::userFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/chronofex/chronofex.conf");
}

StartSettings SettingsStore::read() const {
    const QSettings file(m_filePath, QSettings::IniFormat);
    StartSettings s;
    const QString look = file.value(QStringLiteral("display/look")).toString();
    if (look == QLatin1String("LED") || look == QLatin1String("LCD"))
        s.ledLook = look == QLatin1String("LED");
    const QString resolution = file.value(QStringLiteral("clock/resolution")).toString();
    if (isResolution(resolution))
        s.resolution = resolution;
    readBool(file, QStringLiteral("snap/flashSound"), s.flashSound);
    const QString response = file.value(QStringLiteral("controls/actOn")).toString();
    if (response == QLatin1String("press") || response == QLatin1String("release"))
        s.actOnPress = response == QLatin1String("press");
    readBool(file, QStringLiteral("report/shown"), s.reportShown);
    readBool(file, QStringLiteral("display/attached"), s.displayAttached);
    readBool(file, QStringLiteral("display/onTop"), s.displayOnTop);
    readBool(file, QStringLiteral("rate/onTop"), s.rateOnTop);
    readBool(file, QStringLiteral("speed/onTop"), s.speedOnTop);
    bool isNumber = false;
    const int opacity = file.value(QStringLiteral("display/opacity")).toInt(&isNumber);
    if (isNumber && opacity >= StartSettings::kMostTransparent && opacity <= StartSettings::kOpaque)
        s.displayOpacity = opacity;
    s.panelPosition = readPoint(file, QStringLiteral("panel/position"));
    s.displayPosition = readPoint(file, QStringLiteral("display/position"));
    s.reportPosition = readPoint(file, QStringLiteral("report/position"));
    s.ratePosition = readPoint(file, QStringLiteral("rate/position"));
    s.speedPosition = readPoint(file, QStringLiteral("speed/position"));
    return s;
}

bool SettingsStore::write(const StartSettings& s) const {
    QSettings file(m_filePath, QSettings::IniFormat);
    file.clear();
    file.setValue(QStringLiteral("display/look"),
                  s.ledLook ? QStringLiteral("LED") : QStringLiteral("LCD"));
    file.setValue(QStringLiteral("clock/resolution"), s.resolution);
    file.setValue(QStringLiteral("snap/flashSound"), s.flashSound);
    file.setValue(QStringLiteral("controls/actOn"),
                  s.actOnPress ? QStringLiteral("press") : QStringLiteral("release"));
    file.setValue(QStringLiteral("report/shown"), s.reportShown);
    file.setValue(QStringLiteral("display/attached"), s.displayAttached);
    file.setValue(QStringLiteral("display/onTop"), s.displayOnTop);
    file.setValue(QStringLiteral("rate/onTop"), s.rateOnTop);
    file.setValue(QStringLiteral("speed/onTop"), s.speedOnTop);
    file.setValue(QStringLiteral("display/opacity"), s.displayOpacity);
    writePoint(file, QStringLiteral("panel/position"), s.panelPosition);
    writePoint(file, QStringLiteral("display/position"), s.displayPosition);
    writePoint(file, QStringLiteral("report/position"), s.reportPosition);
    writePoint(file, QStringLiteral("rate/position"), s.ratePosition);
    writePoint(file, QStringLiteral("speed/position"), s.speedPosition);
    file.sync();
    return file.status() == QSettings::NoError;
}

} // namespace cfx
