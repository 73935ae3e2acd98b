// The click is made here (a 60 ms falling tone as 16-bit mono WAV) and written once to a
// temporary file, which QSoundEffect plays.
#include "platform/CaptureSound.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>
#include <QtEndian>
#include <cmath>

namespace xelo {

namespace {

constexpr int kRate = 22050;
constexpr int kSamples = kRate * 60 / 1000;

QByteArray ClickWav() {
    QByteArray pcm(kSamples * 2, '\0');
    for (int i = 0; i < kSamples; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double fade = 1.0 - static_cast<double>(i) / kSamples;
        const double v = std::sin(2 * M_PI * (1800 - 9000 * t) * t) * fade * fade * 12000;
        qToLittleEndian<qint16>(static_cast<qint16>(v), pcm.data() + 2 * i);
    }
    QByteArray wav;
    auto put32 = [&wav](quint32 v) {
        v = qToLittleEndian(v);
        wav.append(reinterpret_cast<const char*>(&v), 4);
    };
    auto put16 = [&wav](quint16 v) {
        v = qToLittleEndian(v);
        wav.append(reinterpret_cast<const char*>(&v), 2);
    };
    wav.append("RIFF");
    put32(static_cast<quint32>(36 + pcm.size()));
    wav.append("WAVEfmt ");
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    wav.append("data");
    put32(static_cast<quint32>(pcm.size()));
    return wav + pcm;
}

}  // namespace

void PlayCaptureSound() {
    if (QMediaDevices::audioOutputs().isEmpty() || !qApp) return;
    // Both belong to the application object and go with it.
    static QPointer<QSoundEffect> effect;
    if (!effect) {
        auto* file =
            new QTemporaryFile(QDir::tempPath() + QStringLiteral("/xelo-click-XXXXXX.wav"), qApp);
        if (!file->open() || file->write(ClickWav()) < 0 || !file->flush()) {
            delete file;
            return;
        }
        effect = new QSoundEffect(qApp);
        effect->setSource(QUrl::fromLocalFile(file->fileName()));
    }
    effect->play();
}

}  // namespace xelo
