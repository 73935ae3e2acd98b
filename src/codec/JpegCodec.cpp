// CJpegCodec and WriteJpeg: the only file that talks to libjpeg. libjpeg reports a fatal error
// through its error-exit method, which must not return and must not unwind C++ frames; ours
// longjmps back to the guarded function that called into the library, which returns false, and
// the C++ caller then throws CTavoException. Guarded functions hold no object with a destructor
// after their setjmp and return at once when it fires.
#include "codec/JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <vector>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it defines the message codes used below.
#include <jerror.h>

#include "codec/FileWriter.h"
#include "image/FitSize.h"
#include "image/Reducer.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 60;

// The encoder hands libjpeg a 16 KB output buffer.
constexpr size_t kOutputBufferBytes = 16384;
// Memory libjpeg may take for one picture (progressive files keep all coefficients).
constexpr long kMaxLibraryMemory = 1L << 30;
// Progressive files with more scans than any encoder writes are refused: every scan walks the
// whole coefficient buffer, so a file of thousands of tiny scans would take minutes.
constexpr int kMaxScans = 500;
// libjpeg's limit on either side of a picture.
constexpr int64_t kMaxJpegSide = JPEG_MAX_DIMENSION;

[[noreturn]] void ThrowDecoder(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentJpegDecoder, kUnit, line});
}

bool IsOutOfMemory(int messageCode) {
    return messageCode == JERR_OUT_OF_MEMORY || messageCode == JERR_NO_BACKING_STORE;
}

// libjpeg's error manager with the jump target of the current library call.
struct ErrorManager {
    jpeg_error_mgr pub;              // first member: libjpeg sees only this part
    std::jmp_buf* jump = nullptr;    // set while a guarded function runs
    bool stopOnCorruptData = false;  // a marker inside the scan ends the scanline phase
};

ErrorManager& ErrorsOf(j_common_ptr c) {
    return *reinterpret_cast<ErrorManager*>(c->err);
}

[[noreturn]] void ErrorExit(j_common_ptr c) {
    ErrorManager& errors = ErrorsOf(c);
    if (errors.jump != nullptr) std::longjmp(*errors.jump, 1);
    std::abort();  // every library call is guarded, so this cannot be reached
}

// Warnings and traces are not shown. While scanlines are read, a marker met inside the entropy
// data counts as the end of the usable data, like a truncated file: libjpeg would otherwise
// go on producing the rest of a possibly huge picture from nothing.
void EmitMessage(j_common_ptr c, int level) {
    ErrorManager& errors = ErrorsOf(c);
    if (level >= 0) return;
    ++errors.pub.num_warnings;
    if (errors.stopOnCorruptData && errors.pub.msg_code == JWRN_HIT_MARKER) ErrorExit(c);
}

void OutputMessage(j_common_ptr) {}

void UseOurErrorExit(ErrorManager& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.emit_message = EmitMessage;
    errors.pub.output_message = OutputMessage;
}

// Points the error manager at a jump buffer for the lifetime of one guarded call.
class JumpScope {
  public:
    JumpScope(ErrorManager& errors, std::jmp_buf& jump) : errors_(errors), previous_(errors.jump) {
        errors.jump = &jump;
    }
    ~JumpScope() { errors_.jump = previous_; }
    JumpScope(const JumpScope&) = delete;
    JumpScope& operator=(const JumpScope&) = delete;

  private:
    ErrorManager& errors_;
    std::jmp_buf* previous_;
};

// ---- Data source over the stream's bytes ----

void InitSource(j_decompress_ptr) {}

// Every byte was handed over at the start; asking for more means the file ends too early.
boolean FillInputBuffer(j_decompress_ptr c) {
    c->err->msg_code = JERR_FILE_READ;
    ErrorExit(reinterpret_cast<j_common_ptr>(c));
}

void SkipInputData(j_decompress_ptr c, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = c->src;
    if (static_cast<unsigned long>(count) > source->bytes_in_buffer) FillInputBuffer(c);
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

void ProgressMonitor(j_common_ptr c) {
    if (!c->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(c)->input_scan_number > kMaxScans) {
        c->err->msg_code = JERR_BAD_PROGRESSION;
        ErrorExit(c);
    }
}

}  // namespace

struct CJpegCodec::Decoder {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    jpeg_source_mgr source;
    jpeg_progress_mgr progress;
    bool created = false;
    bool started = false;
};

namespace {

using Decoder = CJpegCodec::Decoder;

// The whole-picture coefficient buffers of a progressive decode: every component's blocks,
// rounded up to whole MCUs as the library allocates them.
size_t CoefficientBytes(const jpeg_decompress_struct& c) {
    size_t bytes = 0;
    for (int i = 0; i < c.num_components; ++i) {
        const jpeg_component_info& comp = c.comp_info[i];
        const auto h = static_cast<size_t>(std::max(1, comp.h_samp_factor));
        const auto v = static_cast<size_t>(std::max(1, comp.v_samp_factor));
        const size_t across = (static_cast<size_t>(comp.width_in_blocks) + h - 1) / h * h;
        const size_t down = (static_cast<size_t>(comp.height_in_blocks) + v - 1) / v * v;
        bytes += across * down * sizeof(JBLOCK);
    }
    return bytes;
}

// ---- Guarded library calls of the decoder ----

bool CreateAndReadHeader(Decoder& d, const uint8_t* data, size_t size) {
    std::jmp_buf jump;
    JumpScope scope(d.errors, jump);
    if (setjmp(jump) != 0) return false;
    d.created = true;
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
    d.source.next_input_byte = data;
    d.source.bytes_in_buffer = size;
    d.source.init_source = InitSource;
    d.source.fill_input_buffer = FillInputBuffer;
    d.source.skip_input_data = SkipInputData;
    d.source.resync_to_restart = jpeg_resync_to_restart;
    d.source.term_source = TermSource;
    d.cinfo.src = &d.source;
    d.progress.progress_monitor = ProgressMonitor;
    d.cinfo.progress = &d.progress;
    jpeg_read_header(&d.cinfo, TRUE);
    return true;
}

bool CalcOutputDimensions(Decoder& d) {
    std::jmp_buf jump;
    JumpScope scope(d.errors, jump);
    if (setjmp(jump) != 0) return false;
    jpeg_calc_output_dimensions(&d.cinfo);
    return true;
}

bool StartDecompress(Decoder& d) {
    std::jmp_buf jump;
    JumpScope scope(d.errors, jump);
    if (setjmp(jump) != 0) return false;
    d.started = true;
    jpeg_start_decompress(&d.cinfo);
    return true;
}

// What the scanline loop needs; plain data only.
struct RowJob {
    uint8_t* dest = nullptr;
    size_t destStride = 0;
    int destHeight = 0;
    Rect source;         // in the library's output coordinates
    int components = 1;  // of the library's output: 1 grey, 3 blue-green-red, 4 CMYK
    bool invertedCmyk = false;
    bool direct = false;             // output rows go straight into the destination
    uint8_t* row = nullptr;          // one whole output row
    CRowReducer* reducer = nullptr;  // filters source's rows into the destination
};

// Columns source.left .. source.right of one CMYK output row as blue, green, red.
void CmykToBgr(const RowJob& job, uint8_t* out) {
    const uint8_t* p = job.row + 4 * static_cast<size_t>(job.source.left);
    for (int x = job.source.left; x < job.source.right; ++x, p += 4, out += 3) {
        // Adobe writes CMYK inverted (0 is full ink); others store ink amounts.
        unsigned c = p[0], m = p[1], y = p[2], k = p[3];
        if (!job.invertedCmyk) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = static_cast<uint8_t>(y * k / 255);
        out[1] = static_cast<uint8_t>(m * k / 255);
        out[2] = static_cast<uint8_t>(c * k / 255);
    }
}

// Reads the scanlines into the destination. False when the library gave up part way; the rows
// written so far stay.
bool ReadRows(Decoder& d, const RowJob& job) {
    std::jmp_buf jump;
    JumpScope scope(d.errors, jump);
    if (setjmp(jump) != 0) return false;
    jpeg_decompress_struct& c = d.cinfo;
    if (job.direct) {
        for (int y = 0; y < job.destHeight; ++y) {
            JSAMPROW target = job.dest + static_cast<size_t>(y) * job.destStride;
            if (jpeg_read_scanlines(&c, &target, 1) != 1) return true;
        }
        return true;
    }
    // Whole output rows of grey or colour go straight into the reducer's slot.
    const bool whole = job.components != 4 && job.source.left == 0 &&
                       job.source.Width() == static_cast<int>(c.output_width);
    const size_t bytes =
        static_cast<size_t>(job.source.Width()) * static_cast<size_t>(std::min(job.components, 3));
    for (int y = 0; y < job.source.bottom; ++y) {
        const bool wanted = y >= job.source.top;
        JSAMPROW target = wanted && whole ? job.reducer->Slot() : job.row;
        if (jpeg_read_scanlines(&c, &target, 1) != 1) return true;
        if (!wanted) continue;
        if (!whole) {
            if (job.components == 4) {
                CmykToBgr(job, job.reducer->Slot());
            } else {
                std::memcpy(job.reducer->Slot(),
                            job.row + static_cast<size_t>(job.source.left) * job.components, bytes);
            }
        }
        job.reducer->Commit();
    }
    return true;
}

// The visible rectangle of the full picture in the coordinates of the reduced output, rounded
// outwards; a side that spans the picture spans the output.
Rect ToOutput(const Rect& visible, int width, int height, int outWidth, int outHeight) {
    auto up = [](int64_t v, int64_t num, int64_t den) {
        return static_cast<int>((v * num + den - 1) / den);
    };
    Rect r{up(visible.left, outWidth, width), up(visible.top, outHeight, height),
           up(visible.right, outWidth, width), up(visible.bottom, outHeight, height)};
    if (visible.left == 0 && visible.right == width) {
        r.left = 0;
        r.right = outWidth;
    }
    if (visible.top == 0 && visible.bottom == height) {
        r.top = 0;
        r.bottom = outHeight;
    }
    r.right = std::min(r.right, outWidth);
    r.bottom = std::min(r.bottom, outHeight);
    r.left = std::min(r.left, r.right - 1);
    r.top = std::min(r.top, r.bottom - 1);
    return r;
}

int64_t CeilDiv(int64_t a, int64_t b) {
    return (a + b - 1) / b;
}

}  // namespace

CJpegCodec::CJpegCodec() = default;

CJpegCodec::~CJpegCodec() {
    End();
}

void CJpegCodec::End() {
    if (decoder_ && decoder_->created) jpeg_destroy_decompress(&decoder_->cinfo);
    decoder_.reset();
}

void CJpegCodec::ReadHeader(CImageStream& stream, ImageInfo* info) {
    End();
    lastDenominator_ = 0;
    lastOutput_ = Size{};
    decoder_.reset(new (std::nothrow) Decoder{});
    if (!decoder_) ThrowDecoder(kErrNoMemory, __LINE__);
    UseOurErrorExit(decoder_->errors);
    decoder_->cinfo.err = &decoder_->errors.pub;

    uint32_t count = stream.Remaining();
    const uint8_t* data = stream.Peek(count);
    if (!CreateAndReadHeader(*decoder_, data, count)) {
        const int code = decoder_->errors.pub.msg_code;
        End();
        ThrowDecoder(IsOutOfMemory(code) ? kErrNoMemory : kErrFormatInvalid, __LINE__);
    }
    const jpeg_decompress_struct& c = decoder_->cinfo;
    if (info == nullptr) return;
    info->format = kFormatJpeg;
    info->width = static_cast<int32_t>(c.image_width);
    info->height = static_cast<int32_t>(c.image_height);
    info->grey = c.out_color_space == JCS_GRAYSCALE;
    info->bitsPerPixel = info->grey ? 8 : 24;
    info->frameCount = 1;
    info->loopCount = 1;
    info->background = kNoColour;
    info->palette.count = 0;
    // JFIF density: unit 1 is dots per inch, unit 2 dots per centimetre, 0 only an aspect.
    if (c.density_unit == 1) {
        info->xResolution = c.X_density;
        info->yResolution = c.Y_density;
    } else if (c.density_unit == 2) {
        info->xResolution = static_cast<int32_t>(c.X_density * 2.54 + 0.5);
        info->yResolution = static_cast<int32_t>(c.Y_density * 2.54 + 0.5);
    } else {
        info->xResolution = info->yResolution = -1;
    }
}

void CJpegCodec::BeginFrame(CImageStream&, CFrameInfo& frame, int) {
    if (!decoder_) ThrowDecoder(kErrUnknown, __LINE__);
    const jpeg_decompress_struct& c = decoder_->cinfo;
    frame.frameRect = Rect{0, 0, static_cast<int>(c.image_width), static_cast<int>(c.image_height)};
    frame.bytesPerPixel = c.out_color_space == JCS_GRAYSCALE ? 1 : 3;
    frame.maskUsed = 0;
    frame.transparent = -1;
    frame.delay = 0;
    frame.disposal = 0;
}

void CJpegCodec::DecodeFrame(CImageStream&, CFrameInfo& frame, int, bool fast) {
    if (!decoder_) ThrowDecoder(kErrUnknown, __LINE__);
    // The library decodes a picture once per header.
    if (decoder_->started) ThrowDecoder(kErrInternal, __LINE__);
    jpeg_decompress_struct& c = decoder_->cinfo;
    const int width = static_cast<int>(c.image_width);
    const int height = static_cast<int>(c.image_height);
    const Rect visible = Intersect(Rect{0, 0, width, height}, frame.destRect);
    if (visible.IsEmpty() || frame.destBits == nullptr || frame.destWidth <= 0 ||
        frame.destHeight <= 0) {
        return;
    }
    const bool grey = c.out_color_space == JCS_GRAYSCALE;
    if (grey && frame.destPalette != nullptr) {
        frame.destPalette->count = 256;
        for (int i = 0; i < 256; ++i) {
            const auto v = static_cast<uint8_t>(i);
            frame.destPalette->entries[i] = PaletteEntry{v, v, v, 0};
        }
    }
    if (fast) {
        c.dct_method = JDCT_ISLOW;
        c.do_fancy_upsampling = FALSE;
        c.do_block_smoothing = FALSE;
    }
    const bool cmyk = c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK;
    if (grey) {
        c.out_color_space = JCS_GRAYSCALE;
    } else if (cmyk) {
        c.out_color_space = JCS_CMYK;
    } else {
        c.out_color_space = JCS_EXT_BGR;  // the destination's byte order
    }

    const int destWidth = frame.destWidth;
    const int destHeight = frame.destHeight;
    // The library's scale: the smallest output that still keeps twice the destination's
    // pixels on both sides, so the filter after it has detail to work with.
    int denominator = 1;
    for (const int d : {8, 4, 2}) {
        if (CeilDiv(visible.Width(), d) >= 2 * int64_t{destWidth} &&
            CeilDiv(visible.Height(), d) >= 2 * int64_t{destHeight}) {
            denominator = d;
            break;
        }
    }
    if (denominator > 1) {
        c.scale_num = 1;
        c.scale_denom = static_cast<unsigned>(denominator);
    }
    if (!CalcOutputDimensions(*decoder_)) ThrowDecoder(kErrFormatInvalid, __LINE__);
    const int outWidth = static_cast<int>(c.output_width);
    const int outHeight = static_cast<int>(c.output_height);
    const Rect source =
        denominator > 1 ? ToOutput(visible, width, height, outWidth, outHeight) : visible;
    lastDenominator_ = denominator;
    lastOutput_ = Size{outWidth, outHeight};

    RowJob job;
    job.dest = frame.destBits;
    const int destBytesPerPixel = grey ? 1 : 3;
    job.destStride = static_cast<size_t>(destWidth + frame.destPad) * destBytesPerPixel;
    job.destHeight = destHeight;
    job.source = source;
    job.direct = !cmyk && outWidth == destWidth && outHeight == destHeight &&
                 source == Rect{0, 0, outWidth, outHeight};
    std::unique_ptr<CRowReducer> reducer;
    std::vector<uint8_t> row;
    if (!job.direct) {
        try {
            row.resize(static_cast<size_t>(outWidth) * static_cast<size_t>(grey   ? 1
                                                                           : cmyk ? 4
                                                                                  : 3));
            reducer = std::make_unique<CRowReducer>(source.Width(), source.Height(), destWidth,
                                                    destHeight, destBytesPerPixel, frame.destBits,
                                                    job.destStride);
        } catch (const std::bad_alloc&) {
            ThrowDecoder(kErrNoMemory, __LINE__);
        }
        job.row = row.data();
        job.reducer = reducer.get();
    }

    if (frame.budget != nullptr) {
        // Progressive pictures keep every coefficient until the last scan: charged before the
        // library takes them, and the library held to what the budget still allows.
        if (c.progressive_mode || c.buffered_image) frame.budget->Charge(CoefficientBytes(c));
        c.mem->max_memory_to_use =
            static_cast<long>(std::min<size_t>(frame.budget->Remaining(), kMaxLibraryMemory));
    }
    if (!StartDecompress(*decoder_)) {
        ThrowDecoder(
            IsOutOfMemory(decoder_->errors.pub.msg_code) ? kErrNoMemory : kErrFormatInvalid,
            __LINE__);
    }
    job.components = static_cast<int>(c.output_components);
    job.invertedCmyk = c.saw_Adobe_marker != 0;

    decoder_->errors.stopOnCorruptData = true;
    if (!ReadRows(*decoder_, job)) {
        // A damaged or cut-off scan ends decoding quietly with what was decoded; running out of
        // memory is reported.
        if (IsOutOfMemory(decoder_->errors.pub.msg_code)) ThrowDecoder(kErrNoMemory, __LINE__);
    }
}

// ---- Writer ----

namespace {

[[noreturn]] void ThrowWriter(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentImageWriters, kUnit, line});
}

struct Encoder {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    jpeg_destination_mgr destination;
    CFileWriter* file = nullptr;  // not owned
    uint8_t buffer[kOutputBufferBytes];
    std::exception_ptr fileError;  // the file's own error when a write failed
    bool created = false;

    Encoder() { std::memset(&cinfo, 0, sizeof cinfo); }
    ~Encoder() {
        if (created) jpeg_destroy_compress(&cinfo);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
};

Encoder& EncoderOf(j_compress_ptr c) {
    return *static_cast<Encoder*>(c->client_data);
}

// Hands `count` buffered bytes to the file; false (with the file's error kept) when it fails.
bool WriteBuffer(Encoder& e, size_t count) noexcept {
    try {
        e.file->Write(e.buffer, count);
        return true;
    } catch (...) {
        e.fileError = std::current_exception();
        return false;
    }
}

void InitDestination(j_compress_ptr c) {
    Encoder& e = EncoderOf(c);
    c->dest->next_output_byte = e.buffer;
    c->dest->free_in_buffer = kOutputBufferBytes;
}

boolean EmptyOutputBuffer(j_compress_ptr c) {
    Encoder& e = EncoderOf(c);
    if (!WriteBuffer(e, kOutputBufferBytes)) {
        c->err->msg_code = JERR_FILE_WRITE;
        ErrorExit(reinterpret_cast<j_common_ptr>(c));
    }
    c->dest->next_output_byte = e.buffer;
    c->dest->free_in_buffer = kOutputBufferBytes;
    return TRUE;
}

void TermDestination(j_compress_ptr c) {
    Encoder& e = EncoderOf(c);
    if (!WriteBuffer(e, kOutputBufferBytes - c->dest->free_in_buffer)) {
        c->err->msg_code = JERR_FILE_WRITE;
        ErrorExit(reinterpret_cast<j_common_ptr>(c));
    }
}

// What the compression loop needs; plain data only.
struct CompressJob {
    const JpegSource* source = nullptr;
    const JpegWriterSettings* settings = nullptr;
    int outWidth = 0;
    int outHeight = 0;
    int components = 3;
    J_COLOR_SPACE colourSpace = JCS_RGB;
    int quality = 75;
    const int* columns = nullptr;  // outWidth source columns
    uint8_t* row = nullptr;        // one output row
};

void FillRow(const CompressJob& job, int sourceRow) {
    const JpegSource& s = *job.source;
    const size_t stride = static_cast<size_t>(s.width + s.rowPad) * s.bytesPerPixel;
    const int memoryRow = s.bottomUp ? s.height - 1 - sourceRow : sourceRow;
    const uint8_t* in = s.bits + static_cast<size_t>(memoryRow) * stride;
    uint8_t* out = job.row;
    for (int x = 0; x < job.outWidth; ++x) {
        const int column = job.columns[x];
        if (s.bytesPerPixel == 1) {
            const uint8_t v = in[column];
            if (s.palette == nullptr) {
                *out++ = v;
            } else {
                const PaletteEntry& e = s.palette->entries[v];
                *out++ = e.red;
                *out++ = e.green;
                *out++ = e.blue;
            }
        } else {
            const uint8_t* p = in + 3 * static_cast<size_t>(column);
            *out++ = s.swapRedBlue ? p[2] : p[0];
            *out++ = p[1];
            *out++ = s.swapRedBlue ? p[0] : p[2];
        }
    }
}

bool Compress(Encoder& e, const CompressJob& job) {
    std::jmp_buf jump;
    JumpScope scope(e.errors, jump);
    if (setjmp(jump) != 0) return false;
    jpeg_compress_struct& c = e.cinfo;
    e.created = true;
    jpeg_create_compress(&c);
    c.client_data = &e;
    e.destination.init_destination = InitDestination;
    e.destination.empty_output_buffer = EmptyOutputBuffer;
    e.destination.term_destination = TermDestination;
    c.dest = &e.destination;
    c.image_width = static_cast<JDIMENSION>(job.outWidth);
    c.image_height = static_cast<JDIMENSION>(job.outHeight);
    c.input_components = job.components;
    c.in_color_space = job.colourSpace;
    jpeg_set_defaults(&c);
    c.density_unit = 1;  // dots per inch
    c.X_density = static_cast<UINT16>(std::clamp(job.settings->xDpi, 1, 65535));
    c.Y_density = static_cast<UINT16>(std::clamp(job.settings->yDpi, 1, 65535));
    jpeg_set_quality(&c, job.quality, FALSE);
    if (job.settings->dctMethod == JDCT_ISLOW || job.settings->dctMethod == JDCT_FLOAT) {
        c.dct_method = static_cast<J_DCT_METHOD>(job.settings->dctMethod);
    }
    jpeg_start_compress(&c, TRUE);
    const JpegSource& s = *job.source;
    int previous = -1;
    for (int y = 0; y < job.outHeight; ++y) {
        const int sourceRow = static_cast<int>(int64_t{y} * s.height / job.outHeight);
        if (sourceRow != previous) FillRow(job, sourceRow);
        previous = sourceRow;
        JSAMPROW row = job.row;
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    return true;
}

}  // namespace

void WriteJpeg(const JpegWriterSettings& settings, const std::string& path,
               const JpegSource& source, int percent) {
    if (source.bits == nullptr || source.width <= 0 || source.height <= 0 || source.rowPad < 0 ||
        percent <= 0 || (source.bytesPerPixel != 1 && source.bytesPerPixel != 3)) {
        ThrowWriter(kErrInvalidParameter, __LINE__);
    }
    const int64_t outWidth = PercentLength(source.width, percent);
    const int64_t outHeight = PercentLength(source.height, percent);
    if (outWidth <= 0 || outHeight <= 0 || outWidth > kMaxJpegSide || outHeight > kMaxJpegSide) {
        ThrowWriter(kErrInvalidParameter, __LINE__);
    }

    CompressJob job;
    job.source = &source;
    job.settings = &settings;
    job.outWidth = static_cast<int>(outWidth);
    job.outHeight = static_cast<int>(outHeight);
    job.components = (source.bytesPerPixel == 1 && source.palette == nullptr) ? 1 : 3;
    job.colourSpace = settings.colourSpace != 0 ? static_cast<J_COLOR_SPACE>(settings.colourSpace)
                      : job.components == 1     ? JCS_GRAYSCALE
                                                : JCS_RGB;
    job.quality = settings.quality > 100 ? 75 : settings.quality;

    std::vector<uint8_t> row;
    std::vector<int> columns;
    std::unique_ptr<Encoder> encoder;
    try {
        row.resize(static_cast<size_t>(outWidth) * static_cast<size_t>(job.components));
        columns.resize(static_cast<size_t>(outWidth));
        encoder = std::make_unique<Encoder>();
    } catch (const std::bad_alloc&) {
        ThrowWriter(kErrNoMemory, __LINE__);
    }
    for (int64_t x = 0; x < outWidth; ++x) {
        columns[static_cast<size_t>(x)] = static_cast<int>(x * source.width / outWidth);
    }
    job.row = row.data();
    job.columns = columns.data();

    CFileWriter file(path, {kComponentImageWriters, kUnit, __LINE__});
    encoder->file = &file;
    UseOurErrorExit(encoder->errors);
    encoder->cinfo.err = &encoder->errors.pub;
    if (!Compress(*encoder, job)) {
        // The temporary file goes away with `file`; the target is untouched.
        if (encoder->fileError) std::rethrow_exception(encoder->fileError);
        ThrowError(IsOutOfMemory(encoder->errors.pub.msg_code) ? kErrNoMemory : kErrAccessDenied,
                   {kComponentJpegEncoder, kUnit, __LINE__});
    }
    encoder.reset();
    file.Commit();
}

void WriteJpeg(const JpegWriterSettings& settings, const std::string& path, const CDibImage& image,
               int percent) {
    JpegSource source;
    source.bits = image.Bits();
    source.width = image.Width();
    source.rowPad = image.RowPad();
    source.height = image.Height();
    source.bytesPerPixel = image.BytesPerPixel();
    const LogPalette* palette = image.Palette();
    source.palette = (palette != nullptr && IsGreyRamp(*palette)) ? nullptr : palette;
    source.swapRedBlue = true;
    if (source.bytesPerPixel == 1 && palette == nullptr)
        ThrowWriter(kErrInvalidParameter, __LINE__);
    WriteJpeg(settings, path, source, percent);
}

}  // namespace xelo
