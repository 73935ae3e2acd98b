// The signal handler only writes a byte to a socket pair; the event loop does the rest.
#include "app/QuitOnSignal.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace xelo {

namespace {

int gSignalSockets[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(gSignalSockets[0], &byte, 1);
}

}  // namespace

CQuitOnSignal::CQuitOnSignal(std::function<void()> quit, QObject* parent)
    : QObject(parent), quit_(std::move(quit)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalSockets) != 0) return;
    notifier_ = new QSocketNotifier(gSignalSockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(gSignalSockets[1], &byte, 1);
        if (quit_) quit_();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &action, nullptr);
}

CQuitOnSignal::~CQuitOnSignal() {
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        std::signal(s, SIG_DFL);
    for (int& fd : gSignalSockets) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

}  // namespace xelo
