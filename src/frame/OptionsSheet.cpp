#include "frame/OptionsSheet.h"

#include "album/TavoDoc.h"
#include "base/ViewModes.h"
#include "frame/FrameHost.h"
#include "frame/MainFrame.h"
#include "frame/RemoteControl.h"
#include "frame/ThumbnailsDialog.h"
#include "image/TavoException.h"
#include "prefs/PrefSheet.h"
#include "settings/PrefLayout.h"
#include "settings/Preferences.h"
#include "views/TavoImgView.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"

namespace xelo {

namespace {

// Every entry reads its header and makes its images again (a decode setting changed, such as
// turning pictures as the camera recorded them); entries whose file went or no longer reads are
// dropped, as a refresh drops them.
void RereadPictures(CTavoDoc& doc) {
    const std::string& folder = doc.CurrentFolder();
    for (int i = 0; i < doc.Count();) {
        CImageEntry& entry = *doc.EntryAt(i);
        FindData now;
        bool keep = ReadFindData(folder, entry.Name(), now);
        if (keep) {
            try {
                entry.Refill(now, folder);
            } catch (const CTavoException&) {
                keep = false;
            }
        }
        if (keep) {
            ++i;
        } else {
            doc.RemoveEntry(i);
        }
    }
    // The thumbnails on their way were made the old way: the list change drops them.
    doc.UpdateViews(kHintEntriesChanged);
}

}  // namespace

bool RunOptionsSheet(FrameHost& app, CMainFrame& frame) {
    CPreferences& prefs = app.Prefs();
    const bool cameraOrientation = prefs.cameraOrientation;
    const QSize screen = app.ScreenSize();
    OptionsContext context;
    context.screen = Size{screen.width(), screen.height()};
    context.mode = app.ViewMode();
    context.editThumbnails = [&frame](ThumbnailOptions& options, QWidget* parent) {
        CThumbnailsDialog dialog(options, parent);
        if (frame.runDialog(dialog) != QDialog::Accepted) return false;
        options = dialog.Options();
        return true;
    };
    if (!EditOptions(prefs, context, &frame, frame.runDialog)) return false;
    prefs.ApplyDecodeSettings();
    // The remote control that belongs to the chosen output takes over from the one open now.
    VgaOutBlock& vgaOut = prefs.vgaOut;
    if (vgaOut.GetSigned(vga::kPlugin) >= 0 && frame.Remote()) {
        frame.Remote()->ReopenFor(VgaPluginName(vgaOut));
        vgaOut.SetSigned(vga::kRemote, frame.Remote()->OpenIndex());
    }
    prefs.SavePreferences(app.Store());
    prefs.SaveVgaOut(app.Store());
    prefs.SaveFrameStrings(app.Store());
    if (prefs.cameraOrientation != cameraOrientation) RereadPictures(app.Doc());

    // The views re-read what they draw by.
    const int mode = app.ViewMode();
    if (mode == kModeThumbnail || mode == kModeList) frame.View()->ModeChanged();
    frame.View()->viewport()->update();
    frame.ListView()->viewport()->update();
    if (IsSingleImageMode(mode)) {
        // The picture is decoded and drawn afresh (colours, gamma, zoom, orientation).
        CTavoDoc& doc = app.Doc();
        frame.ImgView()->SetImage(nullptr);
        const int current = doc.FirstSelected();
        if (current >= 0) frame.ImgView()->SetImage(doc.EntryAt(current));
    }
    return true;
}

}  // namespace xelo
