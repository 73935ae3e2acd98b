#include "platform/HelpTopics.h"

#include <QDialogButtonBox>
#include <QShortcut>
#include <algorithm>

namespace xelo {

namespace {

struct Topic {
    int id;
    const char* topic;
};
constexpr Topic kTopics[] = {
    {kHelpAbout, "About-Xelo-Album"},
    {102, "New-Folder"},
    {103, "Rename"},
    {104, "Shortcut"},
    {105, "Screen-Capture"},
    {106, "Screen-Capture"},
    {107, "Edit-Text"},
    {108, "Screen-Capture"},
    {109, "Misc-tab"},
    {112, "Image-Info"},
    {113, "Image-Info"},
    {114, "Image-Info"},
    {115, "General-tab"},
    {116, "Slide-Show-tab"},
    {118, "Slide-Show-tab"},
    {119, "Image-Info"},
    {120, "Send-via-E-Mail"},
    {121, "Send-via-E-Mail"},
    {122, "Convert"},
    {123, "Resize"},
    {124, "Crop"},
    {125, "VGA-tab"},
    {126, "Transitions"},
    {127, "Frame-tab"},
    {128, "Reorder-By"},
    {129, "Shortcut"},
    {130, "Quick-View"},
    {131, "Image-Info"},
    {133, "File-Association"},
    {134, "Thumbnails-and-Colors"},
    {135, "Ink-Color"},
    {136, "Zoom-Slider"},
    {137, "Find"},
    {138, "Find"},
    {139, "Image-Info"},
    {140, "Image-Info"},
    {154, "Rename"},
    {30124, "Thumbnail-View"},
    {30125, "List-View"},
    {30126, "Filename-View"},
    {30127, "Select-View"},
    {30130, "VGA-Select"},
    {30204, "Record-Audio"},
};
constexpr char kContents[] = "Main_Contents";

HelpOpener& Opener() {
    static HelpOpener opener;
    return opener;
}

}  // namespace

const char* HelpTopic(int modeOrTemplate) {
    for (const Topic& t : kTopics) {
        if (t.id == modeOrTemplate) return t.topic;
    }
    return kContents;
}

std::vector<std::string> HelpTopics() {
    std::vector<std::string> topics{kContents};
    for (const Topic& t : kTopics) {
        if (std::find(topics.begin(), topics.end(), t.topic) == topics.end())
            topics.emplace_back(t.topic);
    }
    return topics;
}

HelpOpener SetHelpOpener(HelpOpener opener) {
    HelpOpener previous = std::move(Opener());
    Opener() = std::move(opener);
    return previous;
}

void OpenHelpTopic(const QString& topic) {
    if (Opener()) Opener()(topic);
}

void AttachHelp(QWidget* window, std::function<int()> templateNow, QDialogButtonBox* buttons) {
    auto open = [templateNow = std::move(templateNow)] {
        OpenHelpTopic(QString::fromLatin1(HelpTopic(templateNow())));
    };
    auto* key = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(key, &QShortcut::activated, window, open);
    if (!buttons) return;
    buttons->addButton(QDialogButtonBox::Help);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, window, open);
}

void AttachHelp(QWidget* window, int templateId, QDialogButtonBox* buttons) {
    AttachHelp(
        window, [templateId] { return templateId; }, buttons);
}

}  // namespace xelo
