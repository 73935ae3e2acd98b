// The document's file and folder commands: Copy, Cut, Paste, Delete, Duplicate, Rename, New
// Folder, Delete Folder and the removal of annotations. Images move together with their side
// files (IMAGE.wav, IMAGE.txt, IMAGE.ink); questions and messages go through UserPrompt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "album/UserPrompt.h"

namespace xelo {

class CTavoDoc;

// Copy (cut false) and Cut: the selected names go to the document's clipboard. Returns their
// number (0 leaves the clipboard alone).
int CopySelection(CTavoDoc& doc, bool cut);

// Pastes the clipboard into the current folder. A destination is replaced only after the user
// agreed and only by a complete copy; a cut deletes a source only after the image and every
// side file reached the destination.
void Paste(CTavoDoc& doc, UserPrompt& prompt);

// Deletes the selected images with their side files after asking; afterwards selects the entry
// that followed the first one deleted (in the filmstrip modes the last one when none follows).
void DeleteSelection(CTavoDoc& doc, UserPrompt& prompt);

// Copies each selected image beside itself as "Copy of NAME", else "Copy (2) of NAME", ...;
// a full disk stops the command with 20508.
void DuplicateSelection(CTavoDoc& doc, UserPrompt& prompt);

// Renames the image at `index` with its side files. Returns 0, or the message that refused the
// name (46030, 46031, 46032, 20513 for an existing file). System errors throw.
uint32_t RenameEntry(CTavoDoc& doc, int index, std::string newName);

// "New Folder", or "New Folder1", "New Folder2", ... for the first name free in `folder`.
std::string ProposeFolderName(const std::string& folder);
// Creates folder/name. Returns 0, or the message that refused it (46030–46032, 20511 when it
// exists). System errors throw.
uint32_t CreateFolder(const std::string& folder, std::string name);

// Deletes `folder` with its files after asking; a folder holding a subfolder is refused with
// 20510. True when the folder is gone.
bool DeleteFolder(const std::string& folder, std::string_view extensions, UserPrompt& prompt);
// Delete Folder on the document's current folder; the list is emptied when it is gone and
// rescanned when it stays.
bool DeleteCurrentFolder(CTavoDoc& doc, UserPrompt& prompt);

enum class AnnotationKind { kText, kAudio, kInk };
// Remove Text / Remove Audio (and the ink removal of Remove All) on the selected images. False
// when the user cancelled or a file could not be removed (the command ends there).
bool RemoveAnnotations(CTavoDoc& doc, AnnotationKind kind, UserPrompt& prompt);
// Remove All: ink, then text, then audio; Cancel or a failure ends the whole command.
void RemoveAllAnnotations(CTavoDoc& doc, UserPrompt& prompt);

}  // namespace xelo
