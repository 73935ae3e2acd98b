// The program's message box, and the hook that lets tests collect its texts.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace xelo {

class CTavoException;

// Shows a message captioned "Xelo Album" with the exclamation icon.
void ShowMessage(QWidget* parent, const std::string& text);
// Where ShowMessage and ReportError send their texts; empty means the message box. Tests collect
// the texts instead of waiting on a modal box. Returns the reporter it replaces.
using MessageReporter = std::function<void(QWidget* parent, const std::string& text)>;
MessageReporter SetMessageReporter(MessageReporter reporter);
void ReportError(QWidget* parent, const CTavoException& error);

}  // namespace xelo
