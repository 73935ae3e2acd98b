// "Send via Infrared..." and "Receive via Infrared...": on this platform the local link is the
// desktop's file-sending program (Bluetooth), started with the image path, and its receiver.
#pragma once

#include <string>
#include <vector>

#include "command/CommandTarget.h"

class QWidget;

namespace xelo {

class FrameHost;

class CLocalLinkCommands : public CommandTarget {
  public:
    CLocalLinkCommands(FrameHost& app, QWidget& window) : app_(app), window_(window) {}

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

  private:
    void Send();
    void Receive();

    FrameHost& app_;
    QWidget& window_;
};

// Starts the program of `commandLine` (its first word, or a quoted path) with its arguments and
// `extra` after them, without a shell and without waiting. A program that cannot be found or
// started raises its file error, naming the program.
void StartLocalLinkProgram(const std::string& commandLine, const std::vector<std::string>& extra);

}  // namespace xelo
