// "Send via E-mail..." (30306): the dialog, the attachments prepared with a wait cursor, and the
// send off the window's thread behind a progress dialog.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "command/CommandTarget.h"

class QDialog;
class QWidget;

namespace xelo {

class FrameHost;
class CMainFrame;
class CSendMailDialog;

class CMailCommands : public QObject, public CommandTarget {
    Q_OBJECT

  public:
    CMailCommands(FrameHost& app, CMainFrame& frame);

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

    // The "To:" and "Cc:" buttons' address picker, given to every dialog; empty: buttons off.
    void SetAddressPicker(
        std::function<bool(std::vector<std::string>& to, std::vector<std::string>& cc)> picker) {
        picker_ = std::move(picker);
    }
    // Shows the dialog and returns its result (tests fill it in and press its buttons).
    std::function<int(CSendMailDialog&)> runDialog;

  private:
    void SendMail();
    void SaveShownInk();

    FrameHost& app_;
    CMainFrame& frame_;
    std::function<bool(std::vector<std::string>&, std::vector<std::string>&)> picker_;
    // Kept for the session when the secret store cannot keep it.
    std::string sessionPassword_;
};

}  // namespace xelo
