// The external display while a VGA mode uses it: the device checked, the stored mode set, its
// surface held, and our pictures presented on it.
#pragma once

#include <cstdint>
#include <memory>

#include "image/DibImage.h"
#include "image/Geometry.h"
#include "settings/PrefLayout.h"
#include "xelo_plugin.h"

namespace xelo::output {

class OutputPluginTable;

enum ExternalDisplayText : uint32_t {
    kStrNoVgaDevice = 22023,  // the device is missing or not ready
    kStrCannotSetMode = 2988,
};

// The mode to set for output type `type`: the stored one when plug-in `index` offers it, else
// the first it offers. False when it offers none.
bool ChooseMode(const OutputPluginTable& table, int index, uint32_t type,
                const XeloOutputMode& stored, XeloOutputMode& chosen);

class CExternalDisplay {
  public:
    // Checks the device, sets the mode the record names and takes the surface. Null, with the
    // number of the message to show in `failure`, when one of them fails (a missing surface is
    // "Not enough memory.").
    static std::unique_ptr<CExternalDisplay> Open(const OutputPluginTable& table,
                                                  const VgaOutBlock& record, uint32_t& failure);
    ~CExternalDisplay();
    CExternalDisplay(const CExternalDisplay&) = delete;
    CExternalDisplay& operator=(const CExternalDisplay&) = delete;

    Size OutputSize() const { return Size{dc_->width, dc_->height}; }
    const XeloOutputMode& Mode() const { return mode_; }
    // Shows a 24-bit picture (the part that fits; black around it).
    bool Present(const CDibImage& picture);
    // Shows a black screen (once: a screen black already stays as it is).
    bool PresentBlack();

  private:
    CExternalDisplay(const OutputPluginTable& table, int index, XeloDeviceContext* dc,
                     XeloOutputMode mode)
        : table_(table), index_(index), dc_(dc), mode_(mode) {}
    bool Show();

    const OutputPluginTable& table_;  // not owned
    int index_;
    XeloDeviceContext* dc_;  // the plug-in's
    XeloOutputMode mode_;
    bool black_ = false;
};

}  // namespace xelo::output
