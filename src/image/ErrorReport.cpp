// Composition of ReportError's message text.
#include "image/ErrorReport.h"

#include "base/StringTable.h"

namespace xelo {

namespace {
constexpr size_t kMaxReportChars = 256;

std::string MessageText(uint32_t number) {
    std::string text = LoadString(number);
    if (text.empty()) text = LoadString(kErrNoMessage);
    if (text.size() > kMaxReportChars) text.resize(kMaxReportChars);
    return text;
}
}  // namespace

std::string ReportFormat(uint32_t messageNumber, uint32_t secondNumber) {
    std::string text = MessageText(messageNumber);
    if (secondNumber != 0) {
        // Appended piece by piece: `"\n" + string` inlined at -O3 trips GCC 12's restrict check.
        text += '\n';
        text += MessageText(secondNumber);
    }
    return text;
}

std::string ReportTail(std::string text, uint32_t origin1, uint32_t origin2, uint32_t origin3,
                       const CTavoException* exception) {
    if (origin1 != 0) {
        char line[48];
        std::snprintf(line, sizeof line, "\n%lu:%lu:%lu", static_cast<unsigned long>(origin1),
                      static_cast<unsigned long>(origin2), static_cast<unsigned long>(origin3));
        text += line;
    }
    if (exception != nullptr && !exception->GetErrorMessage().empty()) {
        text += '\n';
        text += exception->GetErrorMessage();
    }
    return text;
}

}  // namespace xelo
