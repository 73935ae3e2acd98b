// CGlobalKey: one key that reaches the program while other windows have the focus, standing for
// the handheld's capture button. On X11 the key is grabbed on the root window through XCB; on
// Wayland the desktop portal binds it.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <memory>
#include <string>

namespace xelo {

class CPortalShortcut;

class CGlobalKey : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

  public:
    explicit CGlobalKey(QObject* parent = nullptr);
    ~CGlobalKey() override;

    // Whether this desktop lets a program take a key for itself.
    static bool Supported();
    // Takes the key of that name ("F9", "Print", ... as the capture key table names them);
    // false when the desktop has no such key or another program holds it.
    bool Register(const std::string& keyName);
    void Unregister();
    bool Registered() const { return keycode_ != 0 || portalBound_; }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

  signals:
    void pressed();

  private:
    unsigned keycode_ = 0;
    unsigned root_ = 0;
    std::unique_ptr<CPortalShortcut> portal_;
    bool portalBound_ = false;
};

}  // namespace xelo
