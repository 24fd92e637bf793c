#include "platform/Settings.h"

#include "core/TimeFormat.h"
#include "core/io/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>

#include <cstdlib>

namespace cfx {

namespace {

// Far more than the few lines the program writes.
constexpr qint64 kMaxSettingsBytes = 1024 * 1024;

// The settings file is read and written only as a plain file (never through a symbolic link,
// never waiting on a FIFO): its bytes pass through a private copy that QSettings reads and
// writes, and the file is replaced as a whole.
QString privateCopy(const QTemporaryDir& dir) {
    return QDir(dir.path()).filePath(QStringLiteral("chronofex.conf"));
}

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
    StartSettings s;
    QByteArray bytes;
    QString error;
    const QTemporaryDir dir;
    // Missing, not a plain file, or unreadable: the first-run settings.
    if (!dir.isValid() || !readPlainFile(m_filePath, kMaxSettingsBytes, bytes, error) ||
        !writeFileBytes(privateCopy(dir), bytes).ok)
        return s;
    const QSettings file(privateCopy(dir), QSettings::IniFormat);
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
    const QTemporaryDir dir;
    if (!dir.isValid() || !QDir().mkpath(QFileInfo(m_filePath).absolutePath()))
        return false;
    QSettings file(privateCopy(dir), QSettings::IniFormat);
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
    if (file.status() != QSettings::NoError)
        return false;
    QFile copy(privateCopy(dir));
    if (!copy.open(QIODevice::ReadOnly))
        return false;
    return writeFileBytes(m_filePath, copy.readAll()).ok;
}

} // namespace cfx
