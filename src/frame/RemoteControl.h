// The remote-control plug-in opened on the main window: the one named like the chosen output
// plug-in. It sees every key the window leaves unhandled, and the remote keys and commands it
// posts back reach the window as if typed or chosen from a menu.
#pragma once

#include <QObject>
#include <string>

namespace xelo {

namespace output {
class RemotePluginTable;
}

class CMainFrame;

class CRemoteControl : public QObject {
    Q_OBJECT

  public:
    // `frame` and `table` are not owned and outlive this object.
    CRemoteControl(CMainFrame& frame, output::RemotePluginTable& table);
    ~CRemoteControl() override;

    // Closes the plug-in open now and opens the one named `outputName`; false when there is none
    // of that name or it refuses to open.
    bool ReopenFor(const std::string& outputName);
    void Close();
    // The index of the open plug-in in the table, -1 for none.
    int OpenIndex() const { return index_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void customEvent(QEvent* event) override;

  private:
    CMainFrame& frame_;                 // not owned
    output::RemotePluginTable& table_;  // not owned
    std::u16string className_;  // the plug-in may keep a pointer to it while open
    int index_ = -1;
    bool delivering_ = false;  // a remote key is on its way to the focus window
};

}  // namespace xelo
