// The picture layer and the ink file of an image entry: saving, loading and deleting, with the
// entry's ink bit brought up to date each time.
#pragma once

#include <string>

#include "ink/LtManager.h"

namespace xelo {

class CImageEntry;

// Writes `layer` to the entry's ink file when it holds strokes, else deletes the file. True when
// the entry's ink bit changed. File errors throw.
bool SaveEntryInk(const std::string& folder, CImageEntry& entry, const CXeloLtManager& layer);
// Reads the entry's ink file into `layer`; without a file the layer is emptied. Damaged files
// throw and leave the layer empty.
void LoadEntryInk(const std::string& folder, const CImageEntry& entry, CXeloLtManager& layer);
// Deletes the entry's ink file (none is fine). True when the entry's ink bit changed.
bool DeleteEntryInk(const std::string& folder, CImageEntry& entry);

}  // namespace xelo
