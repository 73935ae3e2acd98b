// The audio note player on QMediaPlayer.
#include "frame/AudioPlayerDialog.h"

// QAudioOutput's header needs the device class complete before it.
#include <QAudioDevice>
#include <QAudioOutput>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSlider>
#include <QUrl>

#include "base/StringTable.h"
#include "frame/AudioRecorderDialog.h"
#include "platform/MessageBox.h"
#include "platform/UiText.h"

namespace xelo {

namespace {

constexpr uint32_t kStrTitle = 30203;
constexpr uint32_t kStrPlay = 30906;
constexpr uint32_t kStrStop = 30907;
constexpr uint32_t kStrPlayFailed = 2631;

}  // namespace

bool CAudioPlayerDialog::OutputAvailable() {
    PrepareMediaBackend();
    return !QMediaDevices::audioOutputs().isEmpty();
}

CAudioPlayerDialog::CAudioPlayerDialog(const QString& path, bool autoPlay, QWidget* parent)
    : QDialog(parent) {
    PrepareMediaBackend();
    setWindowTitle(Text(kStrTitle) + QStringLiteral(" \u2014 ") + QFileInfo(path).fileName());
    auto* grid = new QGridLayout(this);
    auto* row = new QHBoxLayout;
    play_ = new QPushButton(Text(kStrPlay), this);
    stop_ = new QPushButton(Text(kStrStop), this);
    row->addWidget(play_);
    row->addWidget(stop_);
    grid->addLayout(row, 0, 0, 1, 2);
    position_ = new QSlider(Qt::Horizontal, this);
    grid->addWidget(position_, 1, 0);
    time_ = new QLabel(this);
    grid->addWidget(time_, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    grid->addWidget(buttons, 2, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(play_, &QPushButton::clicked, player_, &QMediaPlayer::play);
    connect(stop_, &QPushButton::clicked, player_, &QMediaPlayer::stop);
    connect(position_, &QSlider::sliderMoved, player_, &QMediaPlayer::setPosition);
    connect(player_, &QMediaPlayer::durationChanged, this, [this] { ShowPosition(); });
    connect(player_, &QMediaPlayer::positionChanged, this, [this] { ShowPosition(); });
    connect(player_, &QMediaPlayer::playbackStateChanged, this, [this] { ShowPosition(); });
    connect(player_, &QMediaPlayer::errorOccurred, this, [this] {
        ShowMessage(this, LoadString(kStrPlayFailed) + "\n" + player_->errorString().toStdString());
    });
    player_->setSource(QUrl::fromLocalFile(path));
    ShowPosition();
    if (autoPlay) player_->play();
}

void CAudioPlayerDialog::ShowPosition() {
    const qint64 duration = player_->duration();
    position_->setRange(0, static_cast<int>(duration));
    if (!position_->isSliderDown()) position_->setValue(static_cast<int>(player_->position()));
    time_->setText(MinutesSeconds(player_->position() / 1000.0) + QStringLiteral(" / ") +
                   MinutesSeconds(duration / 1000.0));
    const bool playing = player_->playbackState() == QMediaPlayer::PlayingState;
    play_->setEnabled(!playing);
    stop_->setEnabled(playing);
}

}  // namespace xelo
