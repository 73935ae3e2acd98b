#include "output/OutputPlugins.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "album/WideName.h"
#include "output/PluginLibrary.h"

namespace xelo::output {

namespace fs = std::filesystem;

namespace {

// In the order the program resolves them; the driver check is also run by the probe.
constexpr std::array<const char*, 8> kExports = {
    "voeGetName",    "voeCheckDriver",   "voeCheckCard",     "voeGetOutputTypes",
    "voeGetOutputModes", "voeGetCurrentMode", "voeSetOutputMode", "voeGetDC"};
enum ExportIndex : size_t {
    kGetName,
    kCheckDriver,
    kCheckCard,
    kGetOutputTypes,
    kGetOutputModes,
    kGetCurrentMode,
    kSetOutputMode,
    kGetDC
};

// A plug-in that neither loads nor fails within this time is taken to hang.
constexpr std::chrono::milliseconds kProbeTimeout{3000};

std::string NameFromBuffer(const XeloChar16* buffer, size_t units) {
    size_t length = 0;
    while (length < units && buffer[length] != 0) ++length;
    return NameFromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length));
}

}  // namespace

struct OutputPluginTable::Plugin {
    std::unique_ptr<PluginLibrary> library;
    XeloVoeGetName getName;
    XeloVoeCheckCard checkCard;
    XeloVoeGetOutputTypes getOutputTypes;
    XeloVoeGetOutputModes getOutputModes;
    XeloVoeGetCurrentMode getCurrentMode;
    XeloVoeSetOutputMode setOutputMode;
    XeloVoeGetDC getDC;
    XeloVoeReleaseDC releaseDC;  // optional
};

OutputPluginTable::OutputPluginTable() = default;
OutputPluginTable::~OutputPluginTable() = default;

void OutputPluginTable::Unload() {
    plugins_.clear();
}

int OutputPluginTable::Discover(const std::vector<fs::path>& folders) {
    Unload();
    rejected_.clear();
    for (const fs::path& file : FindPluginFiles(folders, ".vod")) {
        std::string why;
        if (!ProbePlugin(file, kExports, "voeCheckDriver", kProbeTimeout, &why)) {
            rejected_.push_back(why);
            continue;
        }
        auto library = PluginLibrary::Open(file, kExports, &why);
        if (!library) {
            rejected_.push_back(why);
            continue;
        }
        // The probe ran the driver check in its child; this process asks again, as the library
        // may answer differently once it stays loaded.
        if (reinterpret_cast<XeloVoeCheckDriver>(library->Export(kCheckDriver))() != 0) {
            rejected_.push_back(file.filename().string() + ": its driver is not installed");
            continue;
        }
        auto plugin = std::make_unique<Plugin>();
        plugin->getName = reinterpret_cast<XeloVoeGetName>(library->Export(kGetName));
        plugin->checkCard = reinterpret_cast<XeloVoeCheckCard>(library->Export(kCheckCard));
        plugin->getOutputTypes =
            reinterpret_cast<XeloVoeGetOutputTypes>(library->Export(kGetOutputTypes));
        plugin->getOutputModes =
            reinterpret_cast<XeloVoeGetOutputModes>(library->Export(kGetOutputModes));
        plugin->getCurrentMode =
            reinterpret_cast<XeloVoeGetCurrentMode>(library->Export(kGetCurrentMode));
        plugin->setOutputMode =
            reinterpret_cast<XeloVoeSetOutputMode>(library->Export(kSetOutputMode));
        plugin->getDC = reinterpret_cast<XeloVoeGetDC>(library->Export(kGetDC));
        plugin->releaseDC = reinterpret_cast<XeloVoeReleaseDC>(library->Find("voeReleaseDC"));
        plugin->library = std::move(library);
        plugins_.push_back(std::move(plugin));
    }
    return Count();
}

const OutputPluginTable::Plugin* OutputPluginTable::At(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return plugins_[static_cast<size_t>(index)].get();
}

bool OutputPluginTable::GetName(int index, std::string& name) const {
    const Plugin* p = At(index);
    if (!p) return false;
    // Room beyond what the plug-in may fill keeps an unterminated name inside the buffer.
    std::array<XeloChar16, XELO_OUTPUT_NAME_BYTES / 2 + 1> buffer{};
    if (p->getName(buffer.data()) != 0) return false;
    name = NameFromBuffer(buffer.data(), XELO_OUTPUT_NAME_BYTES / 2);
    return true;
}

bool OutputPluginTable::GetOutputTypes(int index, uint32_t& types) const {
    const Plugin* p = At(index);
    uint32_t answer = 0;
    if (!p || p->getOutputTypes(&answer) != 0) return false;
    types = answer;
    return true;
}

bool OutputPluginTable::GetOutputModes(int index, uint32_t type,
                                       std::vector<XeloOutputMode>& modes) const {
    const Plugin* p = At(index);
    if (!p) return false;
    std::array<XeloOutputMode, XELO_MAX_OUTPUT_MODES> all{};
    int32_t count = 0;
    if (p->getOutputModes(&count, all.data()) != 0) return false;
    // A count beyond the room given is the plug-in's fault; only what fits is read.
    count = std::clamp<int32_t>(count, 0, XELO_MAX_OUTPUT_MODES);
    modes.clear();
    for (int32_t i = 0; i < count; ++i) {
        if ((all[static_cast<size_t>(i)].flags & type) != 0) modes.push_back(all[static_cast<size_t>(i)]);
    }
    return true;
}

bool OutputPluginTable::CheckCard(int index) const {
    const Plugin* p = At(index);
    return p && p->checkCard() == 0;
}

bool OutputPluginTable::GetCurrentMode(int index, XeloOutputMode& mode) const {
    const Plugin* p = At(index);
    if (!p) return false;
    p->getCurrentMode(&mode);
    return true;
}

bool OutputPluginTable::SetOutputMode(int index, uint32_t type, const XeloOutputMode& mode) const {
    const Plugin* p = At(index);
    return p && p->setOutputMode(type, &mode) == 0;
}

bool OutputPluginTable::GetDC(int index, XeloDeviceContext*& dc) const {
    const Plugin* p = At(index);
    XeloDeviceContext* got = nullptr;
    if (!p || p->getDC(&got) != 0 || got == nullptr) return false;
    dc = got;
    return true;
}

bool OutputPluginTable::ReleaseDC(int index, XeloDeviceContext* dc) const {
    const Plugin* p = At(index);
    if (!p) return false;
    return p->releaseDC == nullptr || p->releaseDC(dc) == 0;
}

int OutputPluginTable::FindByName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        std::string own;
        if (GetName(i, own) && own == name) return i;
    }
    return -1;
}

OutputPluginTable& OutputPlugins() {
    static OutputPluginTable table;
    return table;
}

OutputPluginCatalog& OutputCatalog() {
    static OutputPluginCatalog catalog(OutputPlugins());
    return catalog;
}

std::string OutputPluginCatalog::OutputName(int index) const {
    std::string name;
    table_.GetName(index, name);
    return name;
}

void OutputPluginCatalog::CorrectOutput(int index, uint32_t& outputType, uint32_t& width) const {
    uint32_t types = 0;
    if (!table_.GetOutputTypes(index, types) || types == 0) return;
    if ((types & outputType) == 0 || (outputType & (outputType - 1)) != 0) {
        outputType = types & ~(types - 1);  // the lowest type offered
    }
    std::vector<XeloOutputMode> modes;
    if (!table_.GetOutputModes(index, outputType, modes) || modes.empty()) return;
    const bool offered = std::any_of(modes.begin(), modes.end(), [width](const XeloOutputMode& m) {
        return m.width == static_cast<int32_t>(width);
    });
    if (!offered) width = static_cast<uint32_t>(modes.front().width);
}

}  // namespace xelo::output
