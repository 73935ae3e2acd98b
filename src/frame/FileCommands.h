// The window's file and folder commands: Copy, Cut, Paste, Delete, Duplicate, Rename, New
// Folder, Delete Folder and the hand-made order of the Reorder dialog. The work is the album
// model's; this target adds the dialogs, the system clipboard, the wait cursor and keeps the
// tree and the views in step.
#pragma once

#include <string>

#include "command/CommandTarget.h"

class QAbstractScrollArea;
class QMenu;

namespace xelo {

class FrameHost;
class CMainFrame;

class CFileCommands : public CommandTarget {
  public:
    CFileCommands(FrameHost& app, CMainFrame& frame) : app_(app), frame_(frame) {}

    // Gives a pane that has no pop-up menu of its own (the tree, the Filename view) `menu`.
    void AttachMenu(QAbstractScrollArea* pane, QMenu* menu);

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

  private:
    bool TreeHasFocus() const;
    void CopyOrCut(bool cut);
    // The first selected image on the system clipboard at the clipboard-size preference, with
    // the selected files as links for other programs.
    void PutPictureOnClipboard();
    void RenameImage();
    void RenameFolder();
    void NewFolder();
    void DeleteFolder();
    void ReorderByHand();
    // After a folder changed on disk: the document opens `folder` and the tree follows.
    void OpenAfterFolderChange(const std::string& folder);

    FrameHost& app_;
    CMainFrame& frame_;
};

}  // namespace xelo
