// Recording through QAudioSource into memory; the WAV file is written once, on OK.
#include "frame/AudioRecorderDialog.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QAudioSource>
#include <QBuffer>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "album/WaveFile.h"
#include "base/StringTable.h"
#include "image/TavoException.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBox.h"
#include "platform/UiText.h"

namespace xelo {

namespace {

constexpr uint32_t kStrTitle = 30204;
constexpr uint32_t kStrRecord = 2628;
constexpr uint32_t kStrStop = 30907;
constexpr uint32_t kStrPlay = 30906;
constexpr uint32_t kStrLevel = 2629;
constexpr uint32_t kStrCancel = 2632;
constexpr uint32_t kStrRecordFailed = 2630;
// A voice note, not an album: recording stops by itself after ten minutes.
constexpr double kMaxSeconds = 600;

WaveFormat ToWave(const QAudioFormat& f) {
    WaveFormat w;
    w.channels = static_cast<uint16_t>(f.channelCount());
    w.sampleRate = static_cast<uint32_t>(f.sampleRate());
    w.bitsPerSample = static_cast<uint16_t>(f.bytesPerSample() * 8);
    w.floatSamples = f.sampleFormat() == QAudioFormat::Float;
    return w;
}

// The loudest sample of `bytes` as a part of full scale, 0 … 1.
double Peak(const QAudioFormat& f, const char* bytes, qint64 size) {
    double peak = 0;
    const int step = f.bytesPerSample();
    for (qint64 i = 0; step > 0 && i + step <= size; i += step) {
        double v = 0;
        switch (f.sampleFormat()) {
            case QAudioFormat::UInt8:
                v = (static_cast<uint8_t>(bytes[i]) - 128) / 128.0;
                break;
            case QAudioFormat::Int16: {
                int16_t s = 0;
                std::memcpy(&s, bytes + i, 2);
                v = s / 32768.0;
                break;
            }
            case QAudioFormat::Int32: {
                int32_t s = 0;
                std::memcpy(&s, bytes + i, 4);
                v = s / 2147483648.0;
                break;
            }
            case QAudioFormat::Float: {
                float s = 0;
                std::memcpy(&s, bytes + i, 4);
                v = s;
                break;
            }
            default:
                break;
        }
        peak = std::max(peak, std::fabs(v));
    }
    return std::min(peak, 1.0);
}

}  // namespace

void PrepareMediaBackend() {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

QString MinutesSeconds(double seconds) {
    const int whole = static_cast<int>(seconds);
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

bool CAudioRecorderDialog::InputAvailable() {
    PrepareMediaBackend();
    return !QMediaDevices::audioInputs().isEmpty();
}

CAudioRecorderDialog::CAudioRecorderDialog(const QString& path, QWidget* parent)
    : QDialog(parent), path_(path) {
    PrepareMediaBackend();
    setWindowTitle(Text(kStrTitle).remove(QStringLiteral("...")));
    auto* grid = new QGridLayout(this);
    auto* row = new QHBoxLayout;
    record_ = new QPushButton(Text(kStrRecord), this);
    stop_ = new QPushButton(Text(kStrStop), this);
    play_ = new QPushButton(Text(kStrPlay), this);
    for (QPushButton* b : {record_, stop_, play_}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    grid->addLayout(row, 0, 0, 1, 2);
    grid->addWidget(new QLabel(Text(kStrLevel), this), 1, 0);
    level_ = new QProgressBar(this);
    level_->setRange(0, 100);
    level_->setTextVisible(false);
    grid->addWidget(level_, 1, 1);
    elapsed_ = new QLabel(MinutesSeconds(0), this);
    grid->addWidget(elapsed_, 2, 1, Qt::AlignRight);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    AttachHelp(this, kHelpRecordAudio, buttons);
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(kStrCancel));
    grid->addWidget(buttons, 3, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAudioRecorderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(record_, &QPushButton::clicked, this, [this] { StartRecording(); });
    connect(stop_, &QPushButton::clicked, this, [this] { StopRecording(); });
    connect(play_, &QPushButton::clicked, this, [this] { PlayBack(); });

    // Speech needs no more than mono at 22 kHz; a device that cannot give it records its own way.
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    format_.setSampleRate(22050);
    format_.setChannelCount(1);
    format_.setSampleFormat(QAudioFormat::Int16);
    if (!device.isNull() && !device.isFormatSupported(format_)) format_ = device.preferredFormat();
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::playbackStateChanged, this, [this] { ShowState(); });
    ShowState();
}

CAudioRecorderDialog::~CAudioRecorderDialog() {
    if (source_) source_->stop();
}

void CAudioRecorderDialog::StartRecording() {
    player_->stop();
    samples_.clear();
    source_ = std::make_unique<QAudioSource>(QMediaDevices::defaultAudioInput(), format_);
    input_ = source_->start();
    if (input_ == nullptr || source_->error() != QAudio::NoError) {
        source_.reset();
        input_ = nullptr;
        ShowMessage(this, LoadString(kStrRecordFailed));
        ShowState();
        return;
    }
    connect(input_, &QIODevice::readyRead, this, [this] { TakeSamples(); });
    ShowState();
}

void CAudioRecorderDialog::TakeSamples() {
    if (input_ == nullptr) return;
    const QByteArray chunk = input_->readAll();
    samples_.append(chunk);
    level_->setValue(static_cast<int>(100 * Peak(format_, chunk.constData(), chunk.size())));
    const double seconds = WaveSeconds(ToWave(format_), static_cast<uint64_t>(samples_.size()));
    elapsed_->setText(MinutesSeconds(seconds));
    if (seconds >= kMaxSeconds) StopRecording();
}

void CAudioRecorderDialog::StopRecording() {
    if (source_) {
        TakeSamples();
        source_->stop();
        source_.reset();
        input_ = nullptr;
    }
    player_->stop();
    level_->setValue(0);
    ShowState();
}

void CAudioRecorderDialog::PlayBack() {
    if (samples_.isEmpty()) return;
    const std::vector<uint8_t> header =
        EncodeWaveHeader(ToWave(format_), static_cast<uint32_t>(samples_.size()));
    delete playing_;
    playing_ = new QBuffer(this);
    playing_->setData(QByteArray(reinterpret_cast<const char*>(header.data()),
                                 static_cast<qsizetype>(header.size())) +
                      samples_);
    playing_->open(QIODevice::ReadOnly);
    player_->setSourceDevice(playing_, QUrl(QStringLiteral("note.wav")));
    player_->play();
}

void CAudioRecorderDialog::ShowState() {
    const bool recording = source_ != nullptr;
    const bool playing = player_->playbackState() == QMediaPlayer::PlayingState;
    record_->setEnabled(!recording);
    stop_->setEnabled(recording || playing);
    play_->setEnabled(!recording && !samples_.isEmpty());
}

void CAudioRecorderDialog::accept() {
    StopRecording();
    if (!samples_.isEmpty()) {
        try {
            const auto* bytes = reinterpret_cast<const uint8_t*>(samples_.constData());
            WriteWaveFile(path_.toStdString(), ToWave(format_),
                          std::vector<uint8_t>(bytes, bytes + samples_.size()));
        } catch (const CTavoException& e) {
            ReportError(this, e);
            return;
        }
    }
    QDialog::accept();
}

}  // namespace xelo
