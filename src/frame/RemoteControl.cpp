#include "frame/RemoteControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <mutex>
#include <set>

#include "frame/MainFrame.h"
#include "frame/X11KeySym.h"
#include "output/RemotePlugins.h"

namespace xelo {

namespace {

// A message a plug-in posted, on its way to the GUI thread.
class RemoteMessageEvent : public QEvent {
  public:
    static QEvent::Type Kind() {
        static const auto kind = static_cast<QEvent::Type>(QEvent::registerEventType());
        return kind;
    }
    RemoteMessageEvent(uint32_t message, uintptr_t wParam, intptr_t lParam)
        : QEvent(Kind()), message(message), wParam(wParam), lParam(lParam) {}
    const uint32_t message;
    const uintptr_t wParam;
    const intptr_t lParam;
};

// The receivers alive now. A plug-in may post from a thread of its own, and may hold on to a
// window that has gone: such a post is refused rather than delivered to freed memory.
std::mutex gReceiversMutex;
std::set<const void*> gReceivers;

int PostFromPlugin(void* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    std::lock_guard lock(gReceiversMutex);
    if (!gReceivers.contains(window)) return 1;
    QCoreApplication::postEvent(static_cast<CRemoteControl*>(window),
                                new RemoteMessageEvent(message, wParam, lParam));
    return 0;
}

}  // namespace

CRemoteControl::CRemoteControl(CMainFrame& frame, output::RemotePluginTable& table)
    : frame_(frame), table_(table) {
    std::lock_guard lock(gReceiversMutex);
    gReceivers.insert(this);
}

CRemoteControl::~CRemoteControl() {
    Close();
    // Under the lock: once it is released no post can reach this object, and the posts already
    // queued go with it.
    std::lock_guard lock(gReceiversMutex);
    gReceivers.erase(this);
}

bool CRemoteControl::ReopenFor(const std::string& outputName) {
    Close();
    const int index = table_.FindByName(outputName);
    if (index < 0) return false;
    // The class name the main window was registered under, as the plug-in may look for it.
    className_ = frame_.objectName().toStdU16String();
    const XeloRemoteOpen params{reinterpret_cast<const XeloChar16*>(className_.c_str()), this,
                                PostFromPlugin};
    if (!table_.Open(index, &params)) return false;
    index_ = index;
    qApp->installEventFilter(this);
    return true;
}

void CRemoteControl::Close() {
    if (index_ < 0) return;
    qApp->removeEventFilter(this);
    table_.Close(index_);
    index_ = -1;
}

bool CRemoteControl::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    // A key comes to the main window itself only when no widget inside it took the key. A key
    // the plug-in itself sent is not offered back, or an untaken key would go round forever.
    if (watched != &frame_ || delivering_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const uint32_t keysym = X11KeySym(*key);
    if (keysym == 0) return false;
    const auto taken = table_.MsgHandler(index_, this,
                                         type == QEvent::KeyPress ? XELO_MSG_KEYDOWN : XELO_MSG_KEYUP,
                                         keysym, RemoteModifiers(*key));
    if (!taken || *taken == 0) return false;
    event->accept();
    return true;
}

void CRemoteControl::customEvent(QEvent* event) {
    if (event->type() != RemoteMessageEvent::Kind()) return;
    const auto& posted = *static_cast<RemoteMessageEvent*>(event);
    switch (posted.message) {
        case XELO_MSG_REMOTE_KEY:
            if (posted.wParam > XELO_REMOTE_ENTER) return;
            if (posted.wParam == XELO_REMOTE_DIGIT && (posted.lParam < 0 || posted.lParam > 9)) return;
            delivering_ = true;
            frame_.RemoteKey(static_cast<int>(posted.wParam),
                             posted.wParam == XELO_REMOTE_DIGIT ? static_cast<int>(posted.lParam) : 0);
            delivering_ = false;
            return;
        case XELO_MSG_COMMAND:
            // As from a menu: never while a dialog holds the window, and only when enabled.
            if (QApplication::activeModalWidget() || posted.wParam > 0xffff) return;
            frame_.Execute(static_cast<int>(posted.wParam));
            frame_.ScheduleToolBarUpdate();
            return;
        default:
            return;
    }
}

}  // namespace xelo
