// The program's help: the topic of each dialog and view mode, and the one way every window opens
// a topic. The window installs where topics go (the bundled HTML help in the desktop's browser).
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QDialogButtonBox;
class QWidget;

namespace xelo {

// Dialog template numbers of the help table that have no number of their own elsewhere.
enum HelpTemplate : int {
    kHelpNewFolder = 102,
    kHelpRename = 103,
    kHelpShortcut = 104,
    kHelpCapture = 105,
    kHelpEditText = 107,
    kHelpMiscPage = 109,
    kHelpImageInfo = 112,
    kHelpGeneralPage = 115,
    kHelpSlidePage = 116,
    kHelpTextOptions = 118,
    kHelpSendMail = 120,
    kHelpSelectEmail = 121,
    kHelpConvert = 122,
    kHelpResize = 123,
    kHelpCrop = 124,
    kHelpVgaPage = 125,
    kHelpTransitions = 126,
    kHelpFramePage = 127,
    kHelpReorder = 128,
    kHelpRenameShortcut = 129,
    kHelpQuickView = 130,
    kHelpFileAssociation = 133,
    kHelpThumbnails = 134,
    kHelpInkColour = 135,
    kHelpZoomSlider = 136,
    kHelpFind = 137,
    kHelpRecordAudio = 30204,  // the voice recorder's command
    kHelpAbout = 1,            // the about box has no template number of its own
};

// The topic of a view mode or dialog template; "Main_Contents" when it has none.
const char* HelpTopic(int modeOrTemplate);
// Every topic HelpTopic can answer, each once, "Main_Contents" first.
std::vector<std::string> HelpTopics();

// Opens a topic (`topic` without the "#"). Returns the opener it replaces; an empty opener makes
// help do nothing.
using HelpOpener = std::function<void(const QString& topic)>;
HelpOpener SetHelpOpener(HelpOpener opener);
void OpenHelpTopic(const QString& topic);

// F1 in `window`, and a Help button in `buttons` when given, open the topic of the template that
// `templateNow` answers at that moment (a sheet answers its current page's).
void AttachHelp(QWidget* window, std::function<int()> templateNow,
                QDialogButtonBox* buttons = nullptr);
void AttachHelp(QWidget* window, int templateId, QDialogButtonBox* buttons = nullptr);

}  // namespace xelo
