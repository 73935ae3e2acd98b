// Message numbers of the program's errors and the component numbers shown as their origin.
#pragma once

#include <cstdint>

namespace xelo {

// Error messages live in the string table under these numbers.
enum ErrorCode : uint32_t {
    kErrUnknown = 46000,
    kErrNoMessage = 46001,
    kErrInvalidParameter = 46002,
    kErrInternal = 46003,
    kErrFileGeneric = 46010,
    kErrFileNotFound = 46011,
    kErrBadPath = 46012,
    kErrTooManyOpenFiles = 46013,
    kErrAccessDenied = 46014,
    kErrInvalidHandle = 46015,
    kErrRemoveCurrentDir = 46016,
    kErrDirectoryFull = 46017,
    kErrBadSeek = 46018,
    kErrHardwareIo = 46019,
    kErrSharingViolation = 46020,
    kErrLockViolation = 46021,
    kErrDiskFull = 46022,
    kErrEndOfFile = 46023,
    kErrFormatInvalid = 46024,
    kErrFormatUnsupported = 46025,
    kErrLibraryMissing = 46026,  // the library that reads the format is not installed
    kErrIllegalName = 46030,
    kErrNameTooLong = 46031,
    kErrNameMissing = 46032,
    kErrNoMemory = 46040,
    kErrNoResources = 46041,
    kErrNoImages = 46130,
};

// Component numbers: the first origin number of every error raised by that component.
enum Component : uint32_t {
    kComponentFileStream = 750,
    kComponentResampler = 751,
    kComponentRasterImage = 3003,
    kComponentCodecFramework = 30001,
    kComponentFormatDispatcher = 38000,
    kComponentBmpDecoder = 38001,
    kComponentJpegDecoder = 38002,
    kComponentGifDecoder = 38003,
    kComponentJpegEncoder = 38012,
    kComponentImageWriters = 38023,
    kComponentPngDecoder = 38030,
    kComponentWebpDecoder = 38031,
    kComponentTiffDecoder = 38032,
    kComponentHeifDecoder = 38033,
    kComponentPngEncoder = 38034,
};

// Where an error was raised: component, unit (source file) and source line.
struct Origin {
    uint32_t component = 0;
    uint32_t unit = 0;
    uint32_t line = 0;
};

}  // namespace xelo
