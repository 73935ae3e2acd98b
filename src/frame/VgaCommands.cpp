#include "frame/VgaCommands.h"

#include <QShortcut>

#include "album/FolderEnum.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/FrameHost.h"
#include "frame/MainFrame.h"
#include "frame/SlideShowCommands.h"
#include "image/TavoException.h"
#include "output/ExternalDisplay.h"
#include "output/OutputPlugins.h"
#include "output/VgaSettings.h"
#include "platform/MessageBox.h"
#include "settings/Preferences.h"
#include "slideshow/SlideComposer.h"
#include "slideshow/SlideList.h"

namespace xelo {

namespace {

bool IsVgaMode(int mode) {
    return mode == kModeVgaFilmstrip || mode == kModeVgaSlideShow;
}

}  // namespace

CVgaCommands::CVgaCommands(FrameHost& app, CMainFrame& frame)
    : app_(app),
      frame_(frame),
      pageDown_(new QShortcut(QKeySequence(Qt::Key_PageDown), &frame)),
      pageUp_(new QShortcut(QKeySequence(Qt::Key_PageUp), &frame)) {
    for (QShortcut* key : {pageDown_, pageUp_}) {
        key->setContext(Qt::ApplicationShortcut);
        key->setEnabled(false);
    }
    QObject::connect(pageDown_, &QShortcut::activated, &frame, [this] { Step(true); });
    QObject::connect(pageUp_, &QShortcut::activated, &frame, [this] { Step(false); });
    app_.Doc().AddObserver(this);
}

CVgaCommands::~CVgaCommands() {
    app_.Doc().RemoveObserver(this);
    // The show draws on the display until it ends; the program's end leaves a clean screen too.
    if (CSlideShowCommands* show = frame_.SlideShow(); show && show->External()) show->End();
    CloseDisplay();
}

bool CVgaCommands::onUpdate(int id, CommandState& state) {
    switch (id) {
        case cmd::kVgaFilmstrip:
            state.checked = app_.ViewMode() == kModeVgaFilmstrip;
            return true;
        case cmd::kVgaSlideShow: {
            state.enabled = HasVisibleSlides(app_.Doc());  // something to show
            state.checked = app_.ViewMode() == kModeVgaSlideShow;
            return true;
        }
        default:
            return false;
    }
}

bool CVgaCommands::onCommand(int id) {
    if (id == cmd::kVgaFilmstrip) {
        EnterFilmstrip();
        return true;
    }
    if (id == cmd::kVgaSlideShow) {
        StartSlideShow();
        return true;
    }
    return false;
}

bool CVgaCommands::OpenDisplay() {
    // The running VGA show draws on the display being replaced: it ends first.
    if (frame_.SlideShow()->External() != nullptr) frame_.SlideShow()->End();
    CloseDisplay();
    uint32_t failure = 0;
    display_ =
        output::CExternalDisplay::Open(output::OutputPlugins(), app_.Prefs().vgaOut, failure);
    if (!display_) {
        ShowMessage(&frame_, LoadString(failure));
        return false;
    }
    return true;
}

void CVgaCommands::CloseDisplay() {
    if (!display_) return;
    if (app_.Prefs().vgaOut.IsSet(vga::kCleanOnSwitch)) display_->PresentBlack();
    display_.reset();
}

void CVgaCommands::EnterFilmstrip() {
    if (!app_.VgaAvailable()) {
        ShowMessage(&frame_, LoadString(output::kStrNoVgaDevice));
        return;
    }
    if (app_.ViewMode() == kModeVgaFilmstrip) return;
    if (!OpenDisplay()) return;
    frame_.SwitchMode(kModeVgaFilmstrip);
    if (app_.ViewMode() != kModeVgaFilmstrip) {
        CloseDisplay();
        return;
    }
    const CTavoDoc& doc = app_.Doc();
    PresentPicture(doc.EntryAt(doc.FirstSelected()));
}

void CVgaCommands::StartSlideShow() {
    // The device is asked first, so a missing one is reported as such and not as a show failure.
    const int index = app_.Prefs().vgaOut.GetSigned(vga::kPlugin);
    if (!app_.VgaAvailable() || !output::OutputPlugins().CheckCard(index)) {
        ShowMessage(&frame_, LoadString(output::kStrNoVgaDevice));
        return;
    }
    if (!OpenDisplay() || !frame_.SlideShow()->StartExternal(*display_)) {
        // The mode did not change: VGA Filmstrip gets its picture back, any other lets go.
        if (app_.ViewMode() == kModeVgaFilmstrip && display_) {
            const CTavoDoc& doc = app_.Doc();
            PresentPicture(doc.EntryAt(doc.FirstSelected()));
        } else {
            ModeSwitched();
        }
        return;
    }
    ModeSwitched();
}

void CVgaCommands::ModeSwitched() {
    const bool vga = IsVgaMode(app_.ViewMode());
    pageDown_->setEnabled(vga);
    pageUp_->setEnabled(vga);
    if (!vga) CloseDisplay();
}

void CVgaCommands::Step(bool forward) {
    if (app_.ViewMode() == kModeVgaSlideShow) {
        frame_.Execute(forward ? cmd::kSlideNext : cmd::kSlidePrevious);
    } else if (app_.ViewMode() == kModeVgaFilmstrip) {
        frame_.Execute(forward ? cmd::kNextImage : cmd::kPreviousImage);
    }
}

void CVgaCommands::OnCurrentChanged(const CImageEntry* entry) {
    if (app_.ViewMode() == kModeVgaFilmstrip && display_ && entry) PresentPicture(entry);
}

void CVgaCommands::PresentPicture(const CImageEntry* entry) {
    if (!display_) return;
    if (!entry) {
        display_->PresentBlack();
        return;
    }
    // The picture fitted (small ones enlarged) on black, turned and reduced as the VGA page says.
    SlideSettings settings = output::ExternalSlideSettings(SlideSettings{}, app_.Prefs().vgaOut);
    settings.sizeMode = kSlideFit;
    settings.background = 0;
    settings.text.show = false;
    const SlideComposeContext context{display_->OutputSize(), settings, app_.Screen(), nullptr};
    CSlideRenderer renderer(context, nullptr);
    SlideItem item;
    item.name = entry->Name();
    item.path = JoinPath(app_.Doc().CurrentFolder(), item.name);
    ComposedSlide composed;
    try {
        renderer.Render(
            item, [] { return true; }, composed);
        display_->Present(composed.slide);
    } catch (const CTavoException&) {
        // A picture that cannot be decoded leaves the display dark rather than on the last one.
        display_->PresentBlack();
    }
}

}  // namespace xelo
