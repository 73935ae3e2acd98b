#include "codec/RecordedFacts.h"

#include "codec/ExifOrientation.h"
#include "codec/FormatDetect.h"
#include "codec/ImageFile.h"
#include "codec/LcmsLibrary.h"
#include "codec/MappedFile.h"
#include "image/TavoException.h"

namespace xelo {

RecordedFacts ReadRecordedFacts(const std::string& path) {
    RecordedFacts facts;
    WithMappedFile(path, [&](CMappedFile& file) {
        const ImageFormat format = DetectFormat(file);
        if (format == kFormatJpeg) {
            // The JPEG codec reads neither; both come from the file's segments.
            uint32_t count = file.GetLength();
            file.SeekToBegin();
            const uint8_t* bytes = file.Peek(count);
            facts.orientation = JpegOrientation(bytes, count);
            facts.profile = JpegIccProfile(bytes, count);
            return;
        }
        const auto codec = CImageFile::MakeCodec(format);
        if (!codec) ThrowError(kErrFormatUnsupported, {kComponentFormatDispatcher, 31, __LINE__});
        ImageInfo info;
        codec->ReadHeader(file, &info);
        facts.orientation = codec->Orientation();
        facts.profile = codec->EmbeddedProfile();
        codec->End();
    });
    return facts;
}

std::string ProfileDescription(const IccProfile& profile) {
    if (profile.empty()) return {};
    try {
        const LcmsLibrary& lcms = Lcms();
        cmsHPROFILE handle = lcms.cmsOpenProfileFromMem(
            profile.data(), static_cast<cmsUInt32Number>(profile.size()));
        if (handle == nullptr) return {};
        char text[256] = {};
        lcms.cmsGetProfileInfoASCII(handle, cmsInfoDescription, "en", "US", text, sizeof text);
        lcms.cmsCloseProfile(handle);
        return text;
    } catch (const CTavoException&) {
        return {};
    }
}

}  // namespace xelo
