// The message box, or the reporter a test installed in its place.
#include "platform/MessageBox.h"

#include <QMessageBox>
#include <utility>

#include "base/StringTable.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

MessageReporter& Reporter() {
    static MessageReporter reporter;
    return reporter;
}

}  // namespace

MessageReporter SetMessageReporter(MessageReporter reporter) {
    return std::exchange(Reporter(), std::move(reporter));
}

void ShowMessage(QWidget* parent, const std::string& text) {
    if (Reporter()) {
        Reporter()(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(LoadString(kStrAppTitle)),
                    QString::fromStdString(text), QMessageBox::Ok, parent);
    box.exec();
}

void ReportError(QWidget* parent, const CTavoException& error) {
    ShowMessage(parent, error.GetErrorMessage());
}

}  // namespace xelo
