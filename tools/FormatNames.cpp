// Names of the detected formats.
#include "FormatNames.h"

#include "codec/ImageCodec.h"

namespace xelo::tool {

std::string FormatName(int format) {
    switch (format) {
        case kFormatBmp:
            return "BMP";
        case kFormatJpeg:
            return "JPEG";
        case kFormatGif:
            return "GIF";
        case kFormatPng:
            return "PNG";
        case kFormatTiff:
            return "TIFF";
        case kFormatEps:
            return "EPS";
        case kFormatPict:
            return "PICT";
        case kFormatPcx:
            return "PCX";
        case kFormatPgm:
            return "PGM";
        case kFormatWebp:
            return "WebP";
        case kFormatHeif:
            return "HEIC";
        case kFormatAvif:
            return "AVIF";
        default:
            return "unknown";
    }
}

}  // namespace xelo::tool
