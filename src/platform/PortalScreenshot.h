// CPortalScreenshot: the whole screen through the desktop portal's screenshot interface, the
// one way a program may read the screen on Wayland. The answer comes later, as a signal.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QVariantMap>

namespace xelo {

class CPortalScreenshot : public QObject {
    Q_OBJECT

  public:
    explicit CPortalScreenshot(QObject* parent = nullptr) : QObject(parent) {}

    // Whether the session offers the portal (and the program does not run on X11).
    static bool Available();
    // Asks for a picture without the portal's own dialog; false when the request could not be
    // sent. Exactly one of done or failed follows a true return.
    bool Request();

  signals:
    void done(const QImage& screen);
    void failed();

  private slots:
    void OnResponse(uint response, const QVariantMap& results);

  private:
    QString requestPath_;
    int requests_ = 0;
};

}  // namespace xelo
