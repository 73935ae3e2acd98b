// Screen capture: the "Capture" dialog's command, the capture key and the delay that trigger a
// capture, and the capture itself (grab, sound, confirmation, numbered file, the image list).
#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

#include "command/CommandTarget.h"
#include "settings/CaptureSettings.h"

class QImage;

namespace xelo {

class FrameHost;
class CMainFrame;
class CGlobalKey;
class CPortalScreenshot;

class CCaptureCommands : public QObject, public CommandTarget {
    Q_OBJECT

  public:
    CCaptureCommands(FrameHost& app, CMainFrame& frame);
    ~CCaptureCommands() override;

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

    // Takes the capture key of the stored settings, as at start-up; a key the desktop refuses
    // is left untaken without a message.
    void ApplyStored();
    // Takes a capture now; ignored while one is in progress.
    void Perform();
    // The same with a picture already grabbed (what the screen showed).
    void Perform(const QImage& screen);

    CGlobalKey& Key() { return *key_; }
    QTimer& Delay() { return delay_; }

  private:
    // Stops the previous trigger and arms the new one; false when the key cannot be taken.
    bool Arm(const CaptureSettings& settings);
    void Save(const QImage& screen, const CaptureSettings& settings);
    void StoreSettings(const CaptureSettings& settings);

    FrameHost& app_;
    CMainFrame& frame_;
    std::unique_ptr<CGlobalKey> key_;
    std::unique_ptr<CPortalScreenshot> portal_;  // made on the first capture that needs it
    QTimer delay_;
};

}  // namespace xelo
