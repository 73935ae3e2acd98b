#include "output/ExternalDisplay.h"

#include <vector>

#include "image/ErrorCodes.h"
#include "output/DevicePixels.h"
#include "output/OutputPlugins.h"
#include "output/VgaSettings.h"

namespace xelo::output {

bool ChooseMode(const OutputPluginTable& table, int index, uint32_t type,
                const XeloOutputMode& stored, XeloOutputMode& chosen) {
    std::vector<XeloOutputMode> modes;
    if (!table.GetOutputModes(index, type, modes) || modes.empty()) return false;
    chosen = modes.front();
    for (const XeloOutputMode& m : modes) {
        if (SameMode(m, stored)) chosen = m;
    }
    return true;
}

std::unique_ptr<CExternalDisplay> CExternalDisplay::Open(const OutputPluginTable& table,
                                                         const VgaOutBlock& record,
                                                         uint32_t& failure) {
    const int index = record.GetSigned(vga::kPlugin);
    if (!table.CheckCard(index)) {
        failure = kStrNoVgaDevice;
        return nullptr;
    }
    const uint32_t type = record.Get(vga::kOutputType);
    XeloOutputMode mode{};
    if (!ChooseMode(table, index, type, StoredMode(record), mode) ||
        !table.SetOutputMode(index, type, mode)) {
        failure = kStrCannotSetMode;
        return nullptr;
    }
    XeloDeviceContext* dc = nullptr;
    if (!table.GetDC(index, dc) || !UsableSurface(*dc)) {
        if (dc) table.ReleaseDC(index, dc);
        failure = kErrNoMemory;
        return nullptr;
    }
    return std::unique_ptr<CExternalDisplay>(new CExternalDisplay(table, index, dc, mode));
}

CExternalDisplay::~CExternalDisplay() {
    table_.ReleaseDC(index_, dc_);
}

bool CExternalDisplay::Show() {
    return dc_->present == nullptr || dc_->present(dc_) == 0;
}

bool CExternalDisplay::Present(const CDibImage& picture) {
    black_ = false;
    return CopyToDevice(picture, *dc_) && Show();
}

bool CExternalDisplay::PresentBlack() {
    if (black_) return true;
    black_ = FillDeviceBlack(*dc_) && Show();
    return black_;
}

}  // namespace xelo::output
