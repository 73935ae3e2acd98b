// The modal player of Play Audio: play and stop, the position (which can be dragged) and the
// length of the note.
#pragma once

#include <QDialog>
#include <QString>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QPushButton;
class QSlider;

namespace xelo {

class CAudioPlayerDialog : public QDialog {
    Q_OBJECT

  public:
    // Opens `path` and starts playing it when `autoPlay` is set.
    CAudioPlayerDialog(const QString& path, bool autoPlay, QWidget* parent = nullptr);

    // Whether the machine has a device to play to.
    static bool OutputAvailable();

    QMediaPlayer* Player() const { return player_; }

  private:
    void ShowPosition();

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* stop_ = nullptr;
    QSlider* position_ = nullptr;
    QLabel* time_ = nullptr;
};

}  // namespace xelo
