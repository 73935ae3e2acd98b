// The commands of notes, audio and ink: Edit Text, Remove Text / Audio / All, Play, Record and
// Select Audio, Pick Ink Color, Erase All Strokes, Undo Last Stroke and Merge Ink.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "command/CommandTarget.h"

namespace xelo {

class FrameHost;
class CMainFrame;
class CImageEntry;
class UserPrompt;

class CNoteCommands : public QObject, public CommandTarget {
    Q_OBJECT

  public:
    CNoteCommands(FrameHost& app, CMainFrame& frame);
    ~CNoteCommands() override;

    bool onCommand(int id) override;
    bool onUpdate(int id, CommandState& state) override;

    // Where the questions go; null brings back the window's dialogs. Not owned.
    void SetPrompt(UserPrompt* prompt) { promptOverride_ = prompt; }
    // Select Audio's file choice (tests replace it); empty means none chosen.
    std::function<QString()> chooseAudioFile;
    // Pick Ink Color's colour choice from the current one (tests replace it); false: cancelled.
    std::function<bool(uint32_t& colour)> chooseColour;

    // The icon of Pick Ink Color shows the ink colour.
    void ShowInkColour();

  private:
    UserPrompt& Prompt();
    // The first selected entry and its index, null when none.
    CImageEntry* FirstSelected(int* index = nullptr) const;
    bool AnySelectedHas(uint32_t bits) const;
    bool InkToolsEnabled() const;
    void RedrawEntry(int index);
    void EditText();
    void PlayAudio();
    void RecordAudio();
    void SelectAudio();
    void PickInkColour();
    void EraseAllStrokes();
    void UndoLastStroke();
    void MergeInk();
    // After notes were removed from files: the shown picture's ink follows its file.
    void AfterRemoval();

    FrameHost& app_;
    CMainFrame& frame_;
    std::unique_ptr<UserPrompt> windowPrompt_;
    UserPrompt* promptOverride_ = nullptr;  // not owned
    bool autoSaveNotes_ = false;            // the Text Note dialog's choice, kept while running
};

}  // namespace xelo
