#include "gui/WindowShape.h"
#include "platform/AlertSound.h"
#include "platform/Compositor.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QWaveDecoder>
#include <QWidget>
#include <QtEndian>

using namespace cfx;

class ShapeSoundTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void alertAssetIsAShortMonoWave();
    void playerDecoderAcceptsTheAsset();
    void playingReturnsAtOnceWhateverTheOutput();
    void roundOutlineFollowsTheWindowSize();
    void opacityAndItsOffer();
};

void ShapeSoundTest::alertAssetIsAShortMonoWave() {
    QFile file(AlertSound::resourcePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();
    auto u16 = [&](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    auto u32 = [&](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    QCOMPARE(b.size(), 5136);
    QCOMPARE(b.left(4), QByteArray("RIFF"));
    QCOMPARE(u32(4), quint32(b.size() - 8));
    QCOMPARE(b.mid(8, 8), QByteArray("WAVEfmt "));
    const quint32 fmtSize = u32(16);
    QVERIFY(fmtSize == 16 || fmtSize == 18);
    QCOMPARE(u16(20), quint16(1));     // PCM
    QCOMPARE(u16(22), quint16(1));     // mono
    QCOMPARE(u32(24), quint32(11025)); // samples per second
    QCOMPARE(u32(28), quint32(11025)); // bytes per second
    QCOMPARE(u16(32), quint16(1));     // block alignment
    QCOMPARE(u16(34), quint16(8));     // bits per sample
    const int data = 20 + static_cast<int>(fmtSize);
    QCOMPARE(b.mid(data, 4), QByteArray("data"));
    const quint32 dataSize = u32(data + 4);
    QCOMPARE(dataSize, quint32(5090));
    QCOMPARE(quint32(b.size()), data + 8 + dataSize);
    // Audible but not clipped, and it ends in silence (128 is the 8-bit zero line).
    const QByteArray samples = b.mid(data + 8);
    int lo = 255, hi = 0;
    for (char c : samples) {
        lo = qMin(lo, int(quint8(c)));
        hi = qMax(hi, int(quint8(c)));
    }
    QVERIFY(hi - lo > 100);
    QVERIFY(lo > 0 && hi < 255);
    QVERIFY(qAbs(int(quint8(samples.back())) - 128) <= 1);
}

void ShapeSoundTest::playerDecoderAcceptsTheAsset() {
    QFile file(AlertSound::resourcePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QWaveDecoder decoder(&file);
    QVERIFY(decoder.open(QIODevice::ReadOnly));
    QTRY_VERIFY(decoder.bytesAvailable() > 0 || decoder.audioFormat().isValid());
    const QAudioFormat format = decoder.audioFormat();
    QCOMPARE(format.sampleRate(), 11025);
    QCOMPARE(format.channelCount(), 1);
    QCOMPARE(format.sampleFormat(), QAudioFormat::UInt8);
    QCOMPARE(decoder.size(), qint64(5090));
    QCOMPARE(decoder.readAll().size(), 5090);
}

void ShapeSoundTest::playingReturnsAtOnceWhateverTheOutput() {
    AlertSound sound;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 3; ++i)
        sound.play();
    // Asynchronous: three readings in a row do not wait for the 0.46 s sound.
    QVERIFY(t.elapsed() < 400);
}

void ShapeSoundTest::roundOutlineFollowsTheWindowSize() {
    QWidget w;
    w.resize(120, 60);
    clipToRoundRect(&w);
    QVERIFY(!w.mask().contains(QPoint(0, 0)));
    QVERIFY(!w.mask().contains(QPoint(119, 59)));
    QVERIFY(w.mask().contains(QPoint(60, 0)));
    QVERIFY(w.mask().contains(QPoint(119, 30)));
    w.resize(80, 60);
    clipToRoundRect(&w);
    QVERIFY(!w.mask().contains(QPoint(79, 0)));
    QVERIFY(w.mask().contains(QPoint(79, 30)));
    QVERIFY(!w.mask().contains(QPoint(100, 30)));
    clipToRoundRect(nullptr); // harmless
}

void ShapeSoundTest::opacityAndItsOffer() {
    QWidget w;
    QVERIFY(setWindowTranslucency(&w, 60));
    QVERIFY(qAbs(w.windowOpacity() - 60 / 255.0) < 0.01);
    QVERIFY(setWindowTranslucency(&w, 255));
    QCOMPARE(w.windowOpacity(), 1.0);
    QVERIFY(!setWindowTranslucency(&w, 256));
    QVERIFY(!setWindowTranslucency(nullptr, 100));
    QCOMPARE(w.windowOpacity(), 1.0);
    // The offscreen platform has no compositor to show opacity.
    QVERIFY(!compositorRunning());
}

QTEST_MAIN(ShapeSoundTest)
#include "ShapeSoundTest.moc"
