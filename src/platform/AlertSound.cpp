#include "platform/AlertSound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace cfx {

namespace {
QtMessageHandler g_previousHandler = nullptr;

// Asking for the outputs with no sound server running makes the audio backend complain on the
// console; for a stopwatch that simply stays silent that is noise, so only those lines are dropped.
void dropAudioBackendNoise(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("PulseAudioService:")))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

bool hasAudioOutput() {
    g_previousHandler = qInstallMessageHandler(dropAudioBackendNoise);
    const bool any = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(g_previousHandler);
    g_previousHandler = nullptr;
    return any;
}
} // namespace

AlertSound::AlertSound(QObject* parent) : QObject(parent) {}

AlertSound::~AlertSound() = default;

bool AlertSound::ensureEffect() {
    if (m_effect)
        return true;
    // Without an output device the effect could only fail; check once and stay quiet after.
    if (m_noOutput || !hasAudioOutput()) {
        m_noOutput = true;
        return false;
    }
    // Loaded on first use so that start-up does not wait for the audio system.
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl(QStringLiteral("qrc") + resourcePath()));
    return true;
}

void AlertSound::play() {
    if (!ensureEffect()) {
        ++m_silentCount;
        return;
    }
    // A reading taken while the chime still rings starts it again from the beginning.
    m_effect->stop();
    m_effect->play();
}

} // namespace cfx
