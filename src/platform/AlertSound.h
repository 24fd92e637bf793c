#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSoundEffect;

namespace cfx {

// The short chime played when a reading is taken. It plays from the program's own resource,
// returns at once and stays silent (without a message) when there is no audio output.
class AlertSound : public QObject {
    Q_OBJECT
public:
    // The wave asset inside the program.
    static QString resourcePath() { return QStringLiteral(":/CUSTOM101"); }

    explicit AlertSound(QObject* parent = nullptr);
    ~AlertSound() override;

    void play();

    // How many times play() found no audio output and stayed silent (for tests and diagnosis).
    int silentCount() const { return m_silentCount; }

private:
    bool ensureEffect();

    std::unique_ptr<QSoundEffect> m_effect;
    bool m_noOutput = false;
    int m_silentCount = 0;
};

} // namespace cfx
