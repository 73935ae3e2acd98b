// The start options that wait for the first complete screen: --screenshot and --log-timing.
#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "base/ViewModes.h"
#include "frame/MainFrame.h"
#include "views/TavoView.h"

namespace xelo {

void CMainFrame::WhenScreenComplete(std::function<void()> done) {
    auto shared = std::make_shared<std::function<void()>>(std::move(done));
    auto fire = [shared] {
        if (*shared) {
            auto f = std::move(*shared);
            *shared = nullptr;
            f();
        }
    };
    const int mode = Mode();
    if (mode == kModeThumbnail || mode == kModeList || mode == kModeFilmstrip) {
        // The view (in Filmstrip the strip) reports after each paint that leaves nothing to make;
        // check once the event loop has painted the first time.
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = connect(view_, &CTavoView::screenComplete, this, [fire, connection] {
            QObject::disconnect(*connection);
            QTimer::singleShot(0, fire);
        });
        return;
    }
    QTimer::singleShot(50, this, fire);
}

void CMainFrame::ArmScreenshot(const QString& path) {
    WhenScreenComplete([this, path] {
        const QPixmap picture = grab();
        const bool saved = picture.save(path, "PNG");
        std::fprintf(stderr, "%s %s\n", saved ? "Screenshot written to" : "Could not write",
                     path.toLocal8Bit().constData());
        close();
        QApplication::exit(saved ? 0 : 1);
    });
}

}  // namespace xelo
