#include "codec/ColourProfile.h"

#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "codec/ColourTarget.h"
#include "codec/LcmsLibrary.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
// Files share few profiles; past this many the cache starts afresh.
constexpr size_t kMaxCachedTransforms = 32;

struct Cache {
    std::mutex mutex;
    IccProfile display;
    // By the bytes of the source and the target profile.
    std::map<std::pair<std::string, std::string>, std::shared_ptr<const ColourTransform>>
        transforms;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

// The messages of the library are not shown; failures come back as null handles.
void Quiet(cmsContext, cmsUInt32Number, const char*) {}

std::shared_ptr<const ColourTransform> MakeTransform(const LcmsLibrary& lcms,
                                                     const IccProfile& source,
                                                     const IccProfile& target) {
    cmsHPROFILE in =
        lcms.cmsOpenProfileFromMem(source.data(), static_cast<cmsUInt32Number>(source.size()));
    if (in == nullptr) return nullptr;
    cmsHPROFILE out = target.empty()
                          ? nullptr
                          : lcms.cmsOpenProfileFromMem(target.data(),
                                                       static_cast<cmsUInt32Number>(target.size()));
    if (out == nullptr) out = lcms.cmsCreate_sRGBProfile();
    cmsHTRANSFORM handle = nullptr;
    if (out != nullptr && lcms.cmsGetColorSpace(in) == cmsSigRgbData &&
        lcms.cmsGetColorSpace(out) == cmsSigRgbData) {
        // Without the one-pixel cache a transform may run on several threads at once.
        handle =
            lcms.cmsCreateTransform(in, TYPE_BGR_8, out, TYPE_BGR_8, INTENT_RELATIVE_COLORIMETRIC,
                                    cmsFLAGS_NOCACHE | cmsFLAGS_BLACKPOINTCOMPENSATION);
    }
    lcms.cmsCloseProfile(in);
    if (out != nullptr) lcms.cmsCloseProfile(out);
    if (handle == nullptr) return nullptr;
    return std::make_shared<ColourTransform>(handle);
}
}  // namespace

ColourTransform::~ColourTransform() {
    Lcms().cmsDeleteTransform(static_cast<cmsHTRANSFORM>(handle_));
}

void ColourTransform::Apply(uint8_t* rows, int width, int height, size_t stride) const {
    if (rows == nullptr || width <= 0 || height <= 0) return;
    Lcms().cmsDoTransformLineStride(
        static_cast<cmsHTRANSFORM>(handle_), rows, rows, static_cast<cmsUInt32Number>(width),
        static_cast<cmsUInt32Number>(height), static_cast<cmsUInt32Number>(stride),
        static_cast<cmsUInt32Number>(stride), 0, 0);
}

void SetDisplayProfile(IccProfile profile) {
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    cache.display = std::move(profile);
}

IccProfile DisplayProfile() {
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    return cache.display;
}

std::shared_ptr<const ColourTransform> TransformFor(const IccProfile& source,
                                                    const IccProfile& target) {
    if (source.empty()) return nullptr;
    const LcmsLibrary* lcms = nullptr;
    try {
        lcms = &Lcms();
    } catch (const CTavoException&) {
        return nullptr;  // without the library pictures show as decoded
    }
    static const bool quiet = (lcms->cmsSetLogErrorHandler(Quiet), true);
    (void)quiet;
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    auto key = std::make_pair(std::string(source.begin(), source.end()),
                              std::string(target.begin(), target.end()));
    if (const auto found = cache.transforms.find(key); found != cache.transforms.end())
        return found->second;
    if (cache.transforms.size() >= kMaxCachedTransforms) cache.transforms.clear();
    auto transform = MakeTransform(*lcms, source, target);
    cache.transforms.emplace(std::move(key), transform);
    return transform;
}

std::shared_ptr<const ColourTransform> TransformFor(const IccProfile& source) {
    if (source.empty()) return nullptr;
    return TransformFor(source, CSrgbOutput::Active() ? IccProfile{} : DisplayProfile());
}

IccProfile JpegIccProfile(const uint8_t* data, size_t size) {
    if (data == nullptr || size < 4 || data[0] != 0xFF || data[1] != 0xD8) return {};
    std::map<int, IccProfile> chunks;  // by sequence number
    size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF) break;
        const uint8_t marker = data[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) break;
        const size_t length = (size_t{data[at + 2]} << 8) | data[at + 3];
        if (length < 2 || length > size - at - 2) break;
        const uint8_t* body = data + at + 4;
        if (marker == 0xE2 && length >= 16 && std::memcmp(body, "ICC_PROFILE\0", 12) == 0)
            chunks[body[12]].assign(body + 14, body + length - 2);
        at += 2 + length;
    }
    IccProfile profile;
    for (const auto& [sequence, bytes] : chunks) profile.insert(profile.end(), bytes.begin(), bytes.end());
    return profile;
}

}  // namespace xelo
