// The small modal recorder of Record Audio: record, stop, play back, a level meter and the time
// recorded. OK writes the recording as the image's WAV file (complete or not at all); Cancel
// writes nothing.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QDialog>
#include <QString>
#include <memory>

class QAudioSource;
class QAudioOutput;
class QBuffer;
class QIODevice;
class QLabel;
class QMediaPlayer;
class QProgressBar;
class QPushButton;

namespace xelo {

class CAudioRecorderDialog : public QDialog {
    Q_OBJECT

  public:
    // `path` is where OK writes the recording.
    explicit CAudioRecorderDialog(const QString& path, QWidget* parent = nullptr);
    ~CAudioRecorderDialog() override;

    // Whether the machine has a device to record from.
    static bool InputAvailable();

    qint64 RecordedBytes() const { return samples_.size(); }

  public slots:
    void accept() override;

  private:
    void StartRecording();
    void StopRecording();
    void PlayBack();
    void TakeSamples();
    void ShowState();

    QString path_;
    QAudioFormat format_;
    std::unique_ptr<QAudioSource> source_;
    QIODevice* input_ = nullptr;  // owned by source_
    QByteArray samples_;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QBuffer* playing_ = nullptr;
    QPushButton* record_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* play_ = nullptr;
    QProgressBar* level_ = nullptr;
    QLabel* elapsed_ = nullptr;
};

// Picks Qt's FFmpeg media backend unless the user chose one: the GStreamer backend of Qt 6.4
// crashes where its GStreamer plug-ins are incomplete. Called before any media object exists.
void PrepareMediaBackend();

// "m:ss" for a number of seconds.
QString MinutesSeconds(double seconds);

}  // namespace xelo
