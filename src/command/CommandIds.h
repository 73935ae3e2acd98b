// The program's command numbers. Menus, tool bars and routing refer to commands by these.
#pragma once

namespace xelo::cmd {

// View modes (the same numbers as ViewMode).
constexpr int kThumbnail = 30124;
constexpr int kList = 30125;
constexpr int kFilename = 30126;
constexpr int kFilmstrip = 30127;
constexpr int kFullScreen = 30128;
constexpr int kSlideShowMode = 30129;
constexpr int kVgaFilmstrip = 30130;
constexpr int kVgaSlideShow = 30131;

// Frame.
constexpr int kToolBar = 30105;
constexpr int kToolBarFullScreen = 30134;
constexpr int kSwitchMode = 30901;
constexpr int kPanTool = 30051;
constexpr int kZoomTool = 30052;
constexpr int kAnnotationTool = 30053;
constexpr int kPanTools = 30054;
constexpr int kZoomTools = 30055;
constexpr int kAnnotationTools = 30056;
constexpr int kExitFullScreen = 30116;
// Ink pen width: the pop-up, and its items (pen width := command - 32100).
constexpr int kPenWidth = 32001;
constexpr int kPenWidthFirst = 32101;
constexpr int kPenWidthLast = 32199;
constexpr int kPenWidthMenuItems = 5;
constexpr int kThumbnailOption = 30141;
constexpr int kLargeThumbnail = 30143;
constexpr int kNormalThumbnail = 30144;
constexpr int kSmallThumbnail = 30145;
constexpr int kTinyThumbnail = 30146;
// The desktop's larger sizes, offered on screens wider than the handheld's.
constexpr int kHugeThumbnail = 30147;
constexpr int kGiantThumbnail = 30148;
constexpr int kHelp = 30311;
constexpr int kAbout = 57664;
constexpr int kExit = 57665;

// Start-up.
constexpr int kForwardedCommandLine = 30501;

// Options.
constexpr int kOptions = 30309;
constexpr int kThumbnailsAndColors = 1109;

// Folder image list.
constexpr int kFolderSelected = 30102;
constexpr int kHomeFolder = 30106;
constexpr int kGoToFirst = 34000;
constexpr int kGoToLast = 34099;
constexpr int kSelectAll = 30008;
constexpr int kSelectNone = 30013;
constexpr int kSelectInvert = 30014;
constexpr int kMultipleImages = 30012;

// Ordering and hiding.
constexpr int kReorderByName = 30401;
constexpr int kReorderByDate = 30402;
constexpr int kReorderBySize = 30403;
constexpr int kReorderByType = 30404;
constexpr int kReorderBySlides = 30405;
constexpr int kReorderByUser = 30406;
constexpr int kReorderReverse = 30407;
constexpr int kHideSlide = 30206;
constexpr int kShowSlide = 30207;

// Commands of other parts that the tool bars name; absent until their features exist.
constexpr int kSlideShow = 30301;
constexpr int kEditText = 30201;
constexpr int kPlayAudio = 30203;
constexpr int kRecordAudio = 30204;
constexpr int kDelete = 30007;
constexpr int kImageInfo = 30114;
constexpr int kImageInfoBar = 30115;  // the command bar's form, shown at actual size
constexpr int kConvert = 30302;
constexpr int kResize = 30303;
constexpr int kCrop = 30304;

// File and folder commands.
constexpr int kNewFolder = 30001;
constexpr int kDeleteFolder = 30002;
constexpr int kRename = 30006;
constexpr int kDuplicate = 30009;
constexpr int kCopy = 57634;
constexpr int kCut = 57635;
constexpr int kPaste = 57637;

// Image view.
constexpr int kPreviousImage = 30100;
constexpr int kNextImage = 30101;
constexpr int kFitToWindow = 30103;
constexpr int kQuickView = 30104;
constexpr int kZoomSlider = 30107;
constexpr int kActualSize = 30108;
constexpr int kRotateLeft = 30109;
constexpr int kRotateRight = 30110;
constexpr int kRotateMenu = 30111;  // opens the orientation commands
constexpr int kPanAndZoom = 30117;  // opens the zoom commands
constexpr int kRotate180 = 30135;
constexpr int kFlipUpDown = 30136;
constexpr int kFlipLeftRight = 30137;
constexpr int kResetOrientation = 30138;
constexpr int kZoomIn = 33000;
constexpr int kZoomInFirst = 33001;  // 125 % … 1200 %
constexpr int kZoomInLast = 33011;
constexpr int kZoomOut = 33100;
constexpr int kZoomOutFirst = 33101;  // 90 % … 5 %
constexpr int kZoomOutLast = 33112;

// Notes, audio and ink.
constexpr int kRemoveText = 30202;
constexpr int kRemoveAudio = 30205;
constexpr int kSelectAudio = 30208;
constexpr int kRemoveAll = 30209;
constexpr int kPickInkColor = 32002;
constexpr int kEraseAllStrokes = 32003;
constexpr int kUndoLastStroke = 32004;
constexpr int kMergeInk = 32005;

// Animation.
constexpr int kPreviousFrame = 30904;
constexpr int kNextFrame = 30905;
constexpr int kPlay = 30906;
constexpr int kStop = 30907;

// Find and screen capture.
constexpr int kFind = 30314;
constexpr int kScreenCapture = 30305;
// Slide show.
constexpr int kSlidePrevious = 30801;
constexpr int kSlideNext = 30802;
constexpr int kSlidePlay = 30803;
constexpr int kSlideStop = 30804;
constexpr int kSlideProperties = 30805;
constexpr int kSlideExit = 30806;
constexpr int kSlideFirst = 30807;
constexpr int kSlideLast = 30808;
constexpr int kSlideGoTo = 30809;
constexpr int kGoToSlideFirst = 35000;  // + the slide's position
constexpr int kGoToSlideLast = 35999;
// Picture frame in Full Screen.
constexpr int kChangePictureFrame = 30132;
constexpr int kTogglePictureFrame = 30133;
constexpr int kFlipPictureFrame = 30140;

// Desktop.
constexpr int kShortcut = 30010;
constexpr int kFileAssociation = 30011;
constexpr int kEditPhoto = 30312;

// Local-link sending.
constexpr int kSendInfrared = 30307;
constexpr int kReceiveInfrared = 30308;
// Sharing.
constexpr int kSendMail = 30306;

}  // namespace xelo::cmd
