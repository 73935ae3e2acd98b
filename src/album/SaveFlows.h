// Convert, Convert All, Resize, Resize All and Crop on the images of the album: output naming,
// the overwrite and batch questions, SaveImageAs for each image, failure and success messages,
// and the album kept up to date with what was written into its folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "album/UserPrompt.h"
#include "codec/SaveImageAs.h"
#include "image/Geometry.h"
#include "image/ResizePresets.h"

namespace xelo {

class CTavoDoc;
class CImageEntry;

enum class SaveAction { kConvert, kResize, kCrop };

// Texts of the save flows by number.
enum SaveTextId : uint32_t {
    kStrConvertTitle = 2801,
    kStrResizeTitle = 2802,
    kStrCropTitle = 2803,
    kStrSaveOverwriteAsk = 2804,
    kStrConvertBatchAsk = 2805,
    kStrResizeBatchAsk = 2806,
    kMsgConvertFailed = 2807,
    kMsgResizeFailed = 2808,
    kMsgCropFailed = 2809,
    kMsgConverted = 2810,
    kMsgResized = 2811,
    kMsgCropped = 2812,
};

// A batch of more images than this asks first.
constexpr int kBatchQuestionAbove = 5;

struct SaveRequest {
    SaveAction action = SaveAction::kConvert;
    SaveOptions options;
    std::string destination;  // empty: the album's own folder
    std::string appendage;    // added to each output name before its extension
    // Resize: the preset and what it depends on.
    int preset = kPresetUserDefined;
    Size screen{240, 320};
    Size userSize{640, 480};
    // Crop: the rectangle in image pixels.
    Rect crop;
};

// destination (or the album's folder) + the image's name without extension + appendage + the
// format's extension.
std::string OutputPath(const CTavoDoc& doc, const CImageEntry& entry, const SaveRequest& request);

// The size Resize gives the image of `entry`.
Size ResizeTarget(const CImageEntry& entry, const SaveRequest& request);

struct SaveReport {
    int saved = 0;
    int failed = 0;
    int skipped = 0;          // declined overwrites
    bool cancelled = false;   // by a question or the progress callback
    bool sourceReplaced = false;  // a file of the album was overwritten: reload what shows it
    std::vector<std::string> written;
};

// Called before each image of a batch with the count done so far; false cancels the batch.
using SaveProgress = std::function<bool(int done, int total, const std::string& name)>;

// The action on the image at `index`: asks before overwriting and reports success or failure.
SaveReport SaveCurrent(CTavoDoc& doc, int index, const SaveRequest& request, UserPrompt& prompt);

// The action on `indices` in the given order (Convert All, Resize All): the batch question above
// 5 images, the four-button overwrite question, a failure reported and the batch going on. Up to
// `workers` images are worked on at once; questions, messages, progress and the album are all
// handled on the calling thread, in order.
// One worker per core, at most 8.
int DefaultSaveWorkers();

SaveReport SaveBatch(CTavoDoc& doc, const std::vector<int>& indices, const SaveRequest& request,
                     UserPrompt& prompt, const SaveProgress& progress = {}, int workers = 1);

}  // namespace xelo
