// Send via E-mail: options and settings remembered, attachments prepared one image at a time,
// the message sent on a worker thread while the window stays responsive.
#include "frame/MailCommands.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <atomic>
#include <thread>

#include "album/FolderEnum.h"
#include "album/ImageEntry.h"
#include "album/TavoDoc.h"
#include "base/StringTable.h"
#include "base/ViewModes.h"
#include "command/CommandIds.h"
#include "frame/FrameHost.h"
#include "frame/MainFrame.h"
#include "image/TavoException.h"
#include "imageui/SendMailDialog.h"
#include "ink/EntryInk.h"
#include "platform/MessageBox.h"
#include "platform/SecretStore.h"
#include "platform/WaitCursor.h"
#include "settings/Preferences.h"
#include "share/MailAttachments.h"
#include "share/MailErrors.h"
#include "share/MailSettings.h"
#include "share/MailTransport.h"
#include "views/TavoImgView.h"

namespace xelo {

namespace {

constexpr uint32_t kStrCancel = 2632;

}  // namespace

CMailCommands::CMailCommands(FrameHost& app, CMainFrame& frame)
    : runDialog([](CSendMailDialog& dialog) { return dialog.exec(); }), app_(app), frame_(frame) {}

bool CMailCommands::onUpdate(int id, CommandState& state) {
    if (id != cmd::kSendMail) return false;
    const int mode = app_.ViewMode();
    state.enabled =
        app_.Doc().SelectedCount() > 0 && mode != kModeSlideShowView && mode != kModeVgaSlideShow;
    return true;
}

bool CMailCommands::onCommand(int id) {
    if (id != cmd::kSendMail) return false;
    SendMail();
    return true;
}

void CMailCommands::SaveShownInk() {
    // The merge reads the ink file: the strokes on screen must be in it.
    const int mode = app_.ViewMode();
    if (mode != kModeFilmstrip && mode != kModeVgaFilmstrip && mode != kModeFullScreen) return;
    CTavoImgView* view = frame_.ImgView();
    CTavoDoc& doc = app_.Doc();
    const CImageEntry* shown = view->Shown();
    const int index = doc.IndexOf(shown);
    if (index < 0 || view->PictureInk().Count() == 0) return;
    try {
        SaveEntryInk(doc.CurrentFolder(), *doc.EntryAt(index), view->PictureInk());
    } catch (const CTavoException& e) {
        ReportError(&frame_, e);
    }
}

void CMailCommands::SendMail() {
    SaveShownInk();
    CTavoDoc& doc = app_.Doc();
    std::vector<std::string> images;
    for (int index : doc.SelectedIndices()) {
        images.push_back(JoinPath(doc.CurrentFolder(), doc.EntryAt(index)->Name()));
    }
    if (images.empty()) return;

    CPreferences& prefs = app_.Prefs();
    MailSettings settings;
    settings.Load(app_.Store());
    CSendMailDialog dialog(images, settings, MailOptionsFrom(prefs.uiInfo, settings.ratio),
                           FindSendmail(), &frame_);
    dialog.SetAddressPicker(picker_);
    dialog.lookupPassword = [this](const SmtpSettings& smtp) {
        const std::string stored = LookupSmtpPassword(smtp.host, smtp.user);
        return stored.empty() ? sessionPassword_ : stored;
    };
    if (runDialog(dialog) != QDialog::Accepted) return;

    const AttachOptions options = dialog.Options();
    StoreMailOptions(prefs.uiInfo, options);
    prefs.SaveUiInfo(app_.Store());
    settings = dialog.Settings();
    settings.Save(app_.Store());
    MailRoute route = dialog.Route();
    if (dialog.PasswordEntered() && route.service == MailService::kSmtp) {
        sessionPassword_ = route.smtp.password;
        std::string error;
        if (!StoreSmtpPassword(route.smtp.host, route.smtp.user, route.smtp.password, error)) {
            ShowMessage(&frame_, FormatString(kStrPasswordNotStored, error.c_str()));
        }
    }

    CMailAttachments attachments;
    {
        const WaitCursor wait;
        QProgressDialog progress(QString::fromStdString(LoadString(kStrSendingMail)), QString(), 0,
                                 static_cast<int>(images.size()), &frame_);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        for (size_t i = 0; i < images.size(); ++i) {
            progress.setValue(static_cast<int>(i));
            try {
                attachments.AddImage(images[i], options);
            } catch (const CTavoException& e) {
                ShowMessage(&frame_,
                            LoadString(kStrUnableToAddAttachment) + "\n\n" + e.GetErrorMessage());
            }
        }
    }
    // Every image failed and was reported: a mail without them is not what was asked for.
    if (attachments.Items().empty()) return;

    MailContent content = dialog.Content();
    content.attachments = attachments.Items();
    std::string draft;
    std::string failure;
    std::atomic<bool> cancelled{false};
    route.smtp.cancel = &cancelled;  // the server is the one that can keep us waiting
    {
        const WaitCursor wait;
        QProgressDialog progress(QString::fromStdString(LoadString(kStrSendingMail)),
                                 route.service == MailService::kSmtp
                                     ? QString::fromStdString(LoadString(kStrCancel))
                                     : QString(),
                                 0, 0, &frame_);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(300);
        progress.setAutoReset(false);
        connect(&progress, &QProgressDialog::canceled, &progress,
                [&cancelled] { cancelled = true; });
        QEventLoop loop;
        std::thread worker([&] {
            try {
                draft = DeliverMail(content, route, [&progress](size_t done, size_t total) {
                    QMetaObject::invokeMethod(
                        &progress,
                        [&progress, done, total] {
                            // Kilobytes keep the values within an int.
                            progress.setMaximum(static_cast<int>(total / 1024 + 1));
                            progress.setValue(static_cast<int>(done / 1024));
                        },
                        Qt::QueuedConnection);
                });
            } catch (const CTavoException& e) {
                failure = e.GetErrorMessage();
            } catch (const std::exception& e) {
                failure = e.what();
            }
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        worker.join();
    }
    if (cancelled) return;  // the user stopped it and knows
    if (!failure.empty()) {
        ShowMessage(&frame_, LoadString(kStrUnableToSendMail) + "\n\n" + failure);
    } else if (!draft.empty()) {
        ShowMessage(&frame_, FormatString(kStrDraftSaved, draft.c_str()));
    }
}

}  // namespace xelo
