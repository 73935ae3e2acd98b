// The string table: texts by number, sorted by number for a binary search.
#include "base/StringTable.h"

#include <algorithm>
#include <iterator>

namespace xelo {

namespace {

struct Entry {
    uint32_t id;
    const char* text;
};

// Keep sorted by number.
constexpr Entry kStrings[] = {
    {801, "File"},
    {802, "View"},
    {803, "Annotate"},
    {804, "Tools"},
    {1070, "Bitmap files (*.bmp; *.2bp)"},
    {1073, "JPEG files (*.jpg; *.jpeg; *.jpe)"},
    {1075, "GIF files (*.gif; *.giff)"},
    {1109, "Thumbnails and Colors..."},
    {2401, "My Device"},
    {2403, "Name|Order|Width|Height|Actual Width|Actual Height|Colors|Type|Layers|Date|Size|"},
    {2404, "BMP|GIF|JPEG|PNG|TIFF|WebP|HEIC|AVIF"},
    {2405, "System"},
    {2422, "xelosnap"},
    {2423, "Xelo_Album_Main"},
    {2425, "Delete Folder"},
    {2426, "Delete folder '%s' ?"},
    {2427, "Confirm Overwrite"},
    {2428, "Replace the file\n'%s'\n%s  %s\n\nwith the file\n'%s'\n%s  %s ?"},
    {2429, "Copy of |Copy (%d) of |"},
    {2430, "New Folder"},
    {2434, "Delete text annotation for '%s' ?"},
    {2435, "Delete audio annotation for '%s' ?"},
    {2436, "Delete ink annotation for '%s' ?"},
    {2440, "Delete Folder"},
    {2441,
     "This folder contains %d image file(s) and %d non-image file(s).\n\nAre you sure you want to "
     "delete all files now?"},
    {2442, "Delete File"},
    {2443, "Delete file '%s' ?"},
    {2445, "Save text annotation for '%s' ?"},
    {2446, "Remove Text"},
    {2447, "Remove Audio"},
    {2448, "Save Text"},
    {2449, "Remove Ink"},
    {2457, "%d Unit"},
    {2458, "%d Units"},
    {2479, "Large|Normal|Small|Tiny|"},
    {2482, "Reorder by"},
    {2483, "Select"},
    {2484, "Shooting: "},
    {2485, "Size:"},
    {2486, "Frame:"},
    {2487, "Show filename"},
    {2488, "Show index number"},
    {2489, "Fit preview image to thumbnail"},
    {2490, "Preview:"},
    {2491, "Thumbnail:"},
    {2492, "Image:"},
    {2493, "Pick Preview Color"},
    {2494, "Pick Thumbnail Color"},
    {2495, "Pick Image Color"},
    {2496, "Reset"},
    {2497, "Keep thumbnails on disk"},
    {2501, "None|Flat|Raised|Sunken|3D border|"},
    // The desktop's own texts.
    {2601, "This folder has no images."},
    {2602, "Huge Thumbnail"},
    {2603, "Giant Thumbnail"},
    {20021, "Unable to switch to Filename mode due to lack of memory."},
    {20022, "Unable to play the GIF file '%s' because system resources are too low."},
    {20023, "Unable to display 'Quick View' due to lack of memory."},
    {20502, "File '%s' does not exist."},
    {20504, "Unable to access the file."},
    {20508, "Unable to write file due to lack of storage memory."},
    {20510, "You must clean up all sub-folder(s) first."},
    {20511, "This folder already exists."},
    {20512, "You may not paste file(s) to the same folder."},
    {20513, "This file already exists."},
    {22007, "Unable to remove ink."},
    {22008, "Unable to remove audio"},
    {22009, "Unable to remove text"},
    {22010, "Unable to save text"},
    {22022, "Unable to copy audio file."},
    {22023,
     "VGA device detection error.\nPlease make sure a VGA device had been properly installed."},
    {22036, "Unable to find any image file in the flash card."},
    {30008, "All"},
    {30012, "Select Multiple Images"},
    {30013, "None"},
    {30014, "Invert"},
    {30051, "Pan"},
    {30052, "Zoom"},
    {30053, "Annotate"},
    {30054, "Pan Tools"},
    {30055, "Zoom Tools"},
    {30056, "Annotate Tools"},
    {30100, "Previous Image"},
    {30101, "Next Image"},
    {30103, "Fit To Window"},
    {30104, "Quick View"},
    {30105, "Toolbar"},
    {30106, "Home Folder"},
    {30107, "Zoom Slider"},
    {30108, "Actual Size"},
    {30109, "Rotate Left"},
    {30110, "Rotate Right"},
    {30111, "Rotate"},
    {30116, "Exit Full Screen"},
    {30117, "Pan and Zoom"},
    {30124, "Thumbnail"},
    {30125, "List"},
    {30126, "Filename"},
    {30127, "Filmstrip"},
    {30128, "Full Screen"},
    {30134, "Toolbar in Full Screen"},
    {30135, "Rotate 180"},
    {30136, "Flip Up-Down"},
    {30137, "Flip Left-Right"},
    {30138, "Reset"},
    {30141, "Thumbnail Option"},
    {30143, "Large Thumbnail"},
    {30144, "Normal Thumbnail"},
    {30145, "Small Thumbnail"},
    {30146, "Tiny Thumbnail"},
    {30206, "Hide Slide"},
    {30207, "Show Slide"},
    {30301, "Slide Show"},
    {30311, "Help"},
    {30401, "Name"},
    {30402, "Date"},
    {30403, "Size"},
    {30404, "Type"},
    {30405, "PowerPoint Slides"},
    {30407, "Reverse"},
    {30901, "Switch Mode"},
    {30904, "Previous Frame"},
    {30905, "Next Frame"},
    {30906, "Play"},
    {30907, "Stop"},
    {32001, "Pen Width"},
    {33000, "Zoom In"},
    {33100, "Zoom Out"},
    {34000, "Up One Level"},
    {34002, "Browse Flash Card"},
    {34003, "Home Folder"},
    {42100, "No Effect"},
    {42101, "Random Effects"},
    {42102, "Cut"},
    {42103, "Cut Through Black"},
    {42104, "Blinds Horizontal"},
    {42105, "Blinds Vertical"},
    {42106, "Checkerboard Across"},
    {42107, "Checkerboard Down"},
    {42108, "Cover Left"},
    {42109, "Cover Up"},
    {42110, "Cover Right"},
    {42111, "Cover Down"},
    {42112, "Cover Left-Up"},
    {42113, "Cover Right-Up"},
    {42114, "Cover Left-Down"},
    {42115, "Cover Right-Down"},
    {42116, "Dissolve"},
    {42117, "Fade Through Black"},
    {42118, "Uncover Left"},
    {42119, "Uncover Up"},
    {42120, "Uncover Right"},
    {42121, "Uncover Down"},
    {42122, "Uncover Left-Up"},
    {42123, "Uncover Right-Up"},
    {42124, "Uncover Left-Down"},
    {42125, "Uncover Right-Down"},
    {42126, "Random Bars Horizontal"},
    {42127, "Random Bars Vertical"},
    {42128, "Strips Left-Up"},
    {42129, "Strips Right-Up"},
    {42130, "Strips Left-Down"},
    {42131, "Strips Right-Down"},
    {42132, "Wipe Left"},
    {42133, "Wipe Up"},
    {42134, "Wipe Right"},
    {42135, "Wipe Down"},
    {42136, "Box Out"},
    {42137, "Box In"},
    {42138, "Split Horizontal Out"},
    {42139, "Split Horizontal In"},
    {42140, "Split Vertical Out"},
    {42141, "Split Vertical In"},
    {42142, "Strips Up-Left"},
    {42143, "Strips Up-Right"},
    {42144, "Strips Down-Left"},
    {42145, "Strips Down-Right"},
    {42146, "Push Down"},
    {42147, "Push Left"},
    {42148, "Push Right"},
    {42149, "Push Up"},
    {42150, "Comb Horizontal"},
    {42151, "Comb Vertical"},
    {42152, "Shape Plus"},
    {42153, "Appear"},
    {42154, "Peek In From Left"},
    {42155, "Peek In From Bottom"},
    {42156, "Peek In From Right"},
    {42157, "Peek In From Top"},
    {42158, "Crawl In From Left"},
    {42159, "Crawl In From Up"},
    {42160, "Crawl In From Right"},
    {42161, "Crawl In From Down"},
    {42162, "Fly In From Left"},
    {42163, "Fly In From Top"},
    {42164, "Fly In From Right"},
    {42165, "Fly In From Bottom"},
    {42166, "Fly In From Top-Left"},
    {42167, "Fly In From Top-Right"},
    {42168, "Fly In From Bottom-Left"},
    {42169, "Fly In From Bottom-Right"},
    {42170, "Stretch Across"},
    {42171, "Stretch From Left"},
    {42172, "Stretch From Top"},
    {42173, "Stretch From Right"},
    {42174, "Stretch From Bottom"},
    {42175, "Flash Once Fast"},
    {42176, "Flash Once Medium"},
    {42177, "Flash Once Slow"},
    {42178, "Zoom In"},
    {42179, "Zoom In Slightly"},
    {42180, "Zoom Out"},
    {42181, "Zoom Out Slightly"},
    {42182, "Zoom In From Screen Center"},
    {42183, "Zoom Out From Screen Bottom"},
    {42184, "Swivel"},
    {42185, "Spiral"},
    {42186, "Fade"},
    {43088,
     "Not fire|"
     "Flash fired|"
     "Flash fired, return light not detected|"
     "Flash fired, return light detected|"
     "Flash fired, compulsory flash mode, return light not detected|"
     "Flash fired, compulsory flash mode, return light detected|"
     "Flash did not fire, compulsory flash mode|"
     "Flash did not fire, auto mode|"
     "Flash fired, auto mode|"
     "Flash fired, auto mode, return light not detected|"
     "Flash fired, auto mode, return light detected|"
     "No flash function|"
     "Flash fired, red-eye reduction mode|"
     "Flash fired, red-eye reduction mode, return light not detected|"
     "Flash fired, red-eye reduction mode, return light detected|"
     "Flash fired, compulsory flash mode, red-eye reduction mode|"
     "Flash fired, compulsory flash mode, return light not detected, red-eye reduction mode|"
     "Flash fired, compulsory flash mode, return light detected, red-eye reduction mode|"
     "Flash fired, auto mode, red-eye reduction mode|"
     "Flash fired, auto mode, return light not detected, red-eye reduction mode|"
     "Flash fired, auto mode, return light detected, red-eye reduction mode|"},
    {46000, "Error unknown."},
    {46001, "No Error message available."},
    {46002, "Invalid parameter."},
    {46003, "Internal error."},
    {46010, "An unknown file error occurred."},
    {46011, "File was not found."},
    {46012, "Invalid path."},
    {46013, "Too many files was opened."},
    {46014, "File access was denied."},
    {46015, "The file handle is invalid."},
    {46016, "Could not remove the current directory."},
    {46017, "The directory is full."},
    {46018, "Seek failed."},
    {46019, "A hardware I/O error occurred."},
    {46020, "A sharing violation occurred."},
    {46021, "A locking violation occurred."},
    {46022, "Disk full."},
    {46023, "An attempt was made to access past file end."},
    {46024, "File format is not valid."},
    {46025, "This file format is unsupported."},
    {46030, "Illegal file or folder name.\nCannot contains characters such as \\/:*?\"<>|."},
    {46031, "File or folder name is too long."},
    {46032, "Please specify file name or folder name."},
    {46040, "Not enough memory."},
    {46041, "No system resources."},
    {46042, "Cannot initialize COM."},
    {46060, "Unable to create Outlook Application Object."},
    {46061, "Unable to login Outlook Application Object."},
    {46062, "Unable to retrieve Outlook Item Collection."},
    {46063, "Failed to query Outlook items."},
    {46064, "Unable to get item in Outlook Application Object."},
    {46065, "Failed to insert a new Outlook item."},
    {46066, "Failed to find Outlook items."},
    {46067, "Failed to find next Outlook items."},
    {46100, "Failed to create the mail attachment."},
    {46101, "Failed to open the mail service: %s"},
    {46102, "Failed to set mail header: %s"},
    {46103, "Failed to create a new mail entry: %s"},
    {46104, "Failed to add an attachment to the mail message: %s"},
    {46105, "Failed to update the mail service: %s"},
    {46106, "Failed to close the mail service: %s"},
    {46110, "Unable to find any device with IR capability."},
    {46111, "The target IR device does not support IrComm."},
    {46112, "The IR device does not support the 9 wire mode of IrComm."},
    {46113, "Failed to read data from IR port: %s."},
    {46114, "Failed to write data to IR port: %s."},
    {46120, "Unable to configure the serial port: %s"},
    {46121, "Unable to set the time-out parameters for %s"},
    {46122, "Failed to wait a communications event."},
    {46130, "The file does not contain any images."},
    {46140, "Undo action failed."},
    {46141, "Redo action failed."},
    {57344, "Xelo Album"},
    {57665, "Exit"},
};

static_assert(std::is_sorted(std::begin(kStrings), std::end(kStrings),
                             [](const Entry& a, const Entry& b) { return a.id < b.id; }),
              "the string table must stay sorted by number");

const Entry* Find(uint32_t id) {
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const Entry& e, uint32_t v) { return e.id < v; });
    return (it != std::end(kStrings) && it->id == id) ? it : nullptr;
}

}  // namespace

std::string LoadString(uint32_t id) {
    const Entry* e = Find(id);
    return e ? std::string(e->text) : std::string();
}

bool HasString(uint32_t id) {
    return Find(id) != nullptr;
}

std::string FieldItem(std::string_view list, int index) {
    if (index < 0) return std::string();
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const size_t bar = list.find('|', start);
        if (bar == std::string_view::npos) return std::string();
        start = bar + 1;
    }
    if (start > list.size()) return std::string();
    const size_t end = list.find('|', start);
    return std::string(list.substr(start, end == std::string_view::npos ? end : end - start));
}

}  // namespace xelo
