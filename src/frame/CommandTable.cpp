// The command table and the tool-bar lists.
#include "frame/CommandTable.h"

#include <algorithm>

#include "command/CommandIds.h"

namespace xelo {

namespace {

constexpr CommandInfo kCommands[] = {
    {cmd::kThumbnailsAndColors, 1109, "preferences-desktop-color", nullptr, false},
    {cmd::kSelectAll, cmd::kSelectAll, "edit-select-all", "Ctrl+A", false},
    {cmd::kMultipleImages, cmd::kMultipleImages, nullptr, nullptr, true},
    {cmd::kSelectNone, cmd::kSelectNone, "edit-select-none", "Ctrl+Shift+A", false},
    {cmd::kSelectInvert, cmd::kSelectInvert, "edit-select-invert", "Ctrl+I", false},
    {cmd::kToolBar, cmd::kToolBar, "configure-toolbars", nullptr, true},
    {cmd::kHomeFolder, cmd::kHomeFolder, "go-home", nullptr, false},
    {cmd::kThumbnail, cmd::kThumbnail, "view-list-icons", nullptr, true},
    {cmd::kList, cmd::kList, "view-list-details", nullptr, true},
    {cmd::kFilename, cmd::kFilename, "view-list-text", nullptr, true},
    {cmd::kFilmstrip, cmd::kFilmstrip, "view-filmstrip", nullptr, true},
    {cmd::kFullScreen, cmd::kFullScreen, "view-fullscreen", "F11", true},
    {cmd::kThumbnailOption, cmd::kThumbnailOption, "view-preview", nullptr, false},
    {cmd::kLargeThumbnail, cmd::kLargeThumbnail, nullptr, nullptr, true},
    {cmd::kNormalThumbnail, cmd::kNormalThumbnail, nullptr, nullptr, true},
    {cmd::kSmallThumbnail, cmd::kSmallThumbnail, nullptr, nullptr, true},
    {cmd::kTinyThumbnail, cmd::kTinyThumbnail, nullptr, nullptr, true},
    {cmd::kHugeThumbnail, 2602, nullptr, nullptr, true},
    {cmd::kGiantThumbnail, 2603, nullptr, nullptr, true},
    {cmd::kHideSlide, cmd::kHideSlide, nullptr, nullptr, false},
    {cmd::kShowSlide, cmd::kShowSlide, nullptr, nullptr, false},
    {cmd::kHelp, cmd::kHelp, "help-contents", "F1", false},
    {cmd::kAbout, cmd::kAbout, "help-about", nullptr, false},
    {cmd::kFind, cmd::kFind, "edit-find", "Ctrl+F", false},
    {cmd::kScreenCapture, cmd::kScreenCapture, "camera-photo", nullptr, false},
    {cmd::kReorderByName, cmd::kReorderByName, nullptr, nullptr, false},
    {cmd::kReorderByDate, cmd::kReorderByDate, nullptr, nullptr, false},
    {cmd::kReorderBySize, cmd::kReorderBySize, nullptr, nullptr, false},
    {cmd::kReorderByType, cmd::kReorderByType, nullptr, nullptr, false},
    {cmd::kReorderBySlides, cmd::kReorderBySlides, nullptr, nullptr, false},
    {cmd::kReorderReverse, cmd::kReorderReverse, nullptr, nullptr, false},
    {cmd::kSwitchMode, cmd::kSwitchMode, "view-choose", nullptr, false},
    {cmd::kPanTool, cmd::kPanTool, "transform-move", nullptr, false},
    {cmd::kZoomTool, cmd::kZoomTool, "zoom-in", nullptr, false},
    {cmd::kAnnotationTool, cmd::kAnnotationTool, "draw-freehand", nullptr, false},
    {cmd::kPanTools, cmd::kPanTools, "transform-move", nullptr, true},
    {cmd::kZoomTools, cmd::kZoomTools, "zoom-in", nullptr, true},
    {cmd::kAnnotationTools, cmd::kAnnotationTools, "draw-freehand", nullptr, true},
    {cmd::kExitFullScreen, cmd::kExitFullScreen, "view-restore", nullptr, false},
    {cmd::kToolBarFullScreen, cmd::kToolBarFullScreen, nullptr, nullptr, true},
    {cmd::kPenWidth, cmd::kPenWidth, "draw-brush", nullptr, false},
    {32101, 2457, nullptr, nullptr, true},
    {32102, 2458, nullptr, nullptr, true},
    {32103, 2458, nullptr, nullptr, true},
    {32104, 2458, nullptr, nullptr, true},
    {32105, 2458, nullptr, nullptr, true},
    {cmd::kPreviousImage, cmd::kPreviousImage, "go-previous", nullptr, false},
    {cmd::kNextImage, cmd::kNextImage, "go-next", nullptr, false},
    {cmd::kFitToWindow, cmd::kFitToWindow, "zoom-fit-best", "Ctrl+0", true},
    {cmd::kQuickView, cmd::kQuickView, "zoom-select", nullptr, false},
    {cmd::kZoomSlider, cmd::kZoomSlider, nullptr, nullptr, true},
    {cmd::kActualSize, cmd::kActualSize, "zoom-original", "Ctrl+1", true},
    {cmd::kRotateLeft, cmd::kRotateLeft, "object-rotate-left", "Ctrl+Shift+R", false},
    {cmd::kRotateRight, cmd::kRotateRight, "object-rotate-right", "Ctrl+R", false},
    {cmd::kRotateMenu, cmd::kRotateMenu, "object-rotate-right", nullptr, false},
    {cmd::kPanAndZoom, cmd::kPanAndZoom, "zoom-in", nullptr, false},
    {cmd::kRotate180, cmd::kRotate180, nullptr, nullptr, false},
    {cmd::kFlipUpDown, cmd::kFlipUpDown, "object-flip-vertical", nullptr, false},
    {cmd::kFlipLeftRight, cmd::kFlipLeftRight, "object-flip-horizontal", nullptr, false},
    {cmd::kResetOrientation, cmd::kResetOrientation, nullptr, nullptr, false},
    {cmd::kZoomIn, cmd::kZoomIn, "zoom-in", "Ctrl++", false},
    {33001, 0, nullptr, nullptr, true},
    {33002, 0, nullptr, nullptr, true},
    {33003, 0, nullptr, nullptr, true},
    {33004, 0, nullptr, nullptr, true},
    {33005, 0, nullptr, nullptr, true},
    {33006, 0, nullptr, nullptr, true},
    {33007, 0, nullptr, nullptr, true},
    {33008, 0, nullptr, nullptr, true},
    {33009, 0, nullptr, nullptr, true},
    {33010, 0, nullptr, nullptr, true},
    {33011, 0, nullptr, nullptr, true},
    {cmd::kZoomOut, cmd::kZoomOut, "zoom-out", "Ctrl+-", false},
    {33101, 0, nullptr, nullptr, true},
    {33102, 0, nullptr, nullptr, true},
    {33103, 0, nullptr, nullptr, true},
    {33104, 0, nullptr, nullptr, true},
    {33105, 0, nullptr, nullptr, true},
    {33106, 0, nullptr, nullptr, true},
    {33107, 0, nullptr, nullptr, true},
    {33108, 0, nullptr, nullptr, true},
    {33109, 0, nullptr, nullptr, true},
    {33110, 0, nullptr, nullptr, true},
    {33111, 0, nullptr, nullptr, true},
    {33112, 0, nullptr, nullptr, true},
    {cmd::kPreviousFrame, cmd::kPreviousFrame, "media-skip-backward", nullptr, false},
    {cmd::kNextFrame, cmd::kNextFrame, "media-skip-forward", nullptr, false},
    {cmd::kPlay, cmd::kPlay, "media-playback-start", nullptr, false},
    {cmd::kStop, cmd::kStop, "media-playback-stop", nullptr, false},
    {cmd::kExit, cmd::kExit, "application-exit", "Ctrl+Q", false},
    {cmd::kCopy, cmd::kCopy, "edit-copy", "Ctrl+C", false},
    {cmd::kCut, cmd::kCut, "edit-cut", "Ctrl+X", false},
    {cmd::kPaste, cmd::kPaste, "edit-paste", "Ctrl+V", false},
    {cmd::kDelete, cmd::kDelete, "edit-delete", "Del", false},
    {cmd::kDuplicate, cmd::kDuplicate, "edit-copy", "Ctrl+D", false},
    {cmd::kRename, cmd::kRename, "edit-rename", "F2", false},
    {cmd::kNewFolder, cmd::kNewFolder, "folder-new", "Ctrl+Shift+N", false},
    {cmd::kDeleteFolder, cmd::kDeleteFolder, "edit-delete", nullptr, false},
    {cmd::kReorderByUser, cmd::kReorderByUser, nullptr, nullptr, false},
    {cmd::kImageInfo, cmd::kImageInfo, "document-properties", "Alt+Return", false},
    {cmd::kImageInfoBar, cmd::kImageInfoBar, "document-properties", nullptr, false},
    {cmd::kConvert, cmd::kConvert, "document-save-as", "Ctrl+Shift+S", false},
    {cmd::kResize, cmd::kResize, "transform-scale", nullptr, false},
    {cmd::kCrop, cmd::kCrop, "transform-crop", nullptr, false},
    {cmd::kEditText, cmd::kEditText, "document-edit", "Ctrl+E", false},
    {cmd::kRemoveText, cmd::kRemoveText, nullptr, nullptr, false},
    {cmd::kPlayAudio, cmd::kPlayAudio, "audio-volume-high", nullptr, false},
    {cmd::kRecordAudio, cmd::kRecordAudio, "media-record", nullptr, false},
    {cmd::kRemoveAudio, cmd::kRemoveAudio, nullptr, nullptr, false},
    {cmd::kSelectAudio, cmd::kSelectAudio, nullptr, nullptr, false},
    {cmd::kRemoveAll, cmd::kRemoveAll, nullptr, nullptr, false},
    {cmd::kPickInkColor, cmd::kPickInkColor, nullptr, nullptr, false},
    {cmd::kEraseAllStrokes, cmd::kEraseAllStrokes, "edit-clear", nullptr, false},
    {cmd::kUndoLastStroke, cmd::kUndoLastStroke, "edit-undo", "Ctrl+Z", false},
    {cmd::kMergeInk, cmd::kMergeInk, nullptr, nullptr, false},
    {cmd::kSlideShow, cmd::kSlideShow, "media-playback-start", "F5", true},
    {cmd::kVgaFilmstrip, cmd::kVgaFilmstrip, "video-display", nullptr, true},
    {cmd::kVgaSlideShow, cmd::kVgaSlideShow, "x-office-presentation", nullptr, true},
    {cmd::kOptions, cmd::kOptions, "preferences-system", nullptr, false},
    {cmd::kFileAssociation, cmd::kFileAssociation, nullptr, nullptr, false},
    {cmd::kShortcut, cmd::kShortcut, nullptr, nullptr, false},
    {cmd::kEditPhoto, cmd::kEditPhoto, "document-edit", nullptr, false},
    {cmd::kSendInfrared, cmd::kSendInfrared, "document-send", nullptr, false},
    {cmd::kReceiveInfrared, cmd::kReceiveInfrared, nullptr, nullptr, false},
    {cmd::kSlidePrevious, cmd::kSlidePrevious, "go-previous", nullptr, false},
    {cmd::kSlideNext, cmd::kSlideNext, "go-next", nullptr, false},
    {cmd::kSlidePlay, cmd::kSlidePlay, "media-playback-start", nullptr, false},
    {cmd::kSlideStop, cmd::kSlideStop, "media-playback-stop", nullptr, false},
    {cmd::kSlideProperties, cmd::kSlideProperties, "document-properties", nullptr, false},
    {cmd::kSlideExit, cmd::kSlideExit, "application-exit", nullptr, false},
    {cmd::kSlideFirst, cmd::kSlideFirst, "go-first", nullptr, false},
    {cmd::kSlideLast, cmd::kSlideLast, "go-last", nullptr, false},
    {cmd::kSlideGoTo, cmd::kSlideGoTo, "go-jump", nullptr, false},
    {cmd::kTogglePictureFrame, cmd::kTogglePictureFrame, nullptr, nullptr, false},
    {cmd::kChangePictureFrame, cmd::kChangePictureFrame, nullptr, nullptr, false},
    {cmd::kFlipPictureFrame, cmd::kFlipPictureFrame, nullptr, nullptr, false},
    {cmd::kSendMail, cmd::kSendMail, "mail-send", nullptr, false},
};

constexpr int k901[] = {cmd::kToolBar, cmd::kSwitchMode};
constexpr int k902[] = {30301, 30128, 0, 30201, 30203, 30204, 30007, 0, 30141, 30106, 30114, 30309};
constexpr int k904[] = {30301, 30128, 30124, 0,     30051, 30052, 30053, 0,     30100,
                        30101, 30109, 30110, 30114, 30115, 33000, 33100, 30108, 30117,
                        30104, 30204, 30201, 32002, 32001, 32004, 30107};
constexpr int k905[] = {30301, 30128, 30124, 0,     30904, 30905, 30906,
                        30907, 0,     33000, 33100, 0,     30114, 30115};
constexpr int k907[] = {30301, 30124, 0,     30051, 30052, 30053, 0,     30100,
                        30101, 30111, 30114, 30115, 33000, 33100, 30117, 30104,
                        32002, 32001, 32004, 32003, 30107, 30116};
constexpr int k908[] = {30301, 30124, 0, 30904, 30905, 30906, 0, 30907, 0, 33000, 33100, 0, 30116};
constexpr int k906[] = {30809, 30801, 30802, 30803, 30804, 0, 32002, 32001, 32004, 0, 30805, 30806};

struct ToolBarList {
    int id;
    std::span<const int> buttons;
};
constexpr ToolBarList kToolBars[] = {{901, k901}, {902, k902}, {904, k904},
                                     {905, k905}, {907, k907}, {908, k908},
                                     {906, k906}};

}  // namespace

std::span<const CommandInfo> CommandTable() {
    return kCommands;
}

const CommandInfo* FindCommand(int id) {
    for (const CommandInfo& c : kCommands) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

std::span<const int> ToolBarButtons(int toolBarId) {
    for (const ToolBarList& t : kToolBars) {
        if (t.id == toolBarId) return t.buttons;
    }
    return {};
}

}  // namespace xelo
