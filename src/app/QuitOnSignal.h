// Ends the program in order on SIGTERM, SIGINT and SIGHUP (logout, Ctrl+C, a closed terminal):
// the window closes and the album and the preferences are written as when the user quits.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace xelo {

class CQuitOnSignal : public QObject {
    Q_OBJECT

  public:
    // `quit` runs on the user-interface thread once a signal arrived.
    explicit CQuitOnSignal(std::function<void()> quit, QObject* parent = nullptr);
    ~CQuitOnSignal() override;

  private:
    std::function<void()> quit_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace xelo
