// The ink file: the framework's archive of serialisable objects, byte for byte.
#include "ink/InkFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string_view>

#include "album/WholeFile.h"
#include "codec/FileWriter.h"
#include "image/TavoException.h"
#include "ink/InkArchive.h"
#include "ink/InkOrigin.h"
#include "ink/LtFreeHand.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 302;

// Object tags of the archive.
constexpr uint16_t kNullTag = 0x0000;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;      // | class index
constexpr uint16_t kBigObjectTag = 0x7FFF;  // a 32-bit tag follows
constexpr uint32_t kBigClassTag = 0x80000000;
// Class names longer than this are refused, as the framework's class loader does.
constexpr uint16_t kMaxClassNameBytes = 63;
// The smallest archived object: a tag and a freehand object without strokes.
constexpr size_t kMinObjectBytes = 2;
// Pen strokes of a picture make a few kilobytes; anything far larger is not an ink file.
constexpr size_t kMaxInkFileBytes = size_t{64} << 20;

[[noreturn]] void Fail(uint32_t code, uint32_t line) {
    ThrowError(code, {kComponentInk, kUnit, line});
}

void StoreView(CInkArchiveOut& out, const LtViewParams& v) {
    out.F64(v.scale);
    out.I32(v.xOffset);
    out.I32(v.yOffset);
    out.I32(v.reserved);
    out.I32(v.handleHalfSize);
    out.I32(v.hitTolerance);
    out.I32(v.flags);
    out.I32(v.value1);
    out.I32(v.value2);
}

LtViewParams LoadView(CInkArchiveIn& in) {
    LtViewParams v;
    v.scale = in.F64();
    v.xOffset = in.I32();
    v.yOffset = in.I32();
    v.reserved = in.I32();
    v.handleHalfSize = in.I32();
    v.hitTolerance = in.I32();
    v.flags = in.I32();
    v.value1 = in.I32();
    v.value2 = in.I32();
    return v;
}

// Reads one array element's class information; false for a null element. The class index map
// counts classes and objects from 1 in the order they occur, as the archive numbers them.
class ClassReader {
  public:
    explicit ClassReader(CInkArchiveIn& in) : in_(in) {}

    bool NextIsObject() {
        const uint16_t tag = in_.Le16();
        uint32_t classIndex = 0;
        if (tag == kNullTag) return false;
        if (tag == kNewClassTag) {
            ReadNewClass();
            ++mapCount_;  // the object
            return true;
        }
        if (tag == kBigObjectTag) {
            const uint32_t big = in_.Le32();
            // Without the class bit it names an object read before: an element owned twice.
            if ((big & kBigClassTag) == 0) Fail(kErrFormatInvalid, __LINE__);
            classIndex = big & ~kBigClassTag;
        } else if ((tag & kClassTag) != 0) {
            classIndex = tag & ~kClassTag;
        } else {
            Fail(kErrFormatInvalid, __LINE__);  // a reference to an object read before
        }
        if (!std::binary_search(classIndices_.begin(), classIndices_.end(), classIndex)) {
            Fail(kErrFormatInvalid, __LINE__);
        }
        ++mapCount_;
        return true;
    }

  private:
    void ReadNewClass() {
        const uint16_t schema = in_.Le16();
        const uint16_t length = in_.Le16();
        if (length > kMaxClassNameBytes) Fail(kErrFormatInvalid, __LINE__);
        char name[kMaxClassNameBytes + 1] = {};
        in_.Bytes(name, length);
        if (std::string_view(name, length) != CXeloLtFreeHand::kClassName ||
            schema != CXeloLtFreeHand::kSchema) {
            Fail(kErrFormatInvalid, __LINE__);
        }
        classIndices_.push_back(mapCount_++);
    }

    CInkArchiveIn& in_;
    uint32_t mapCount_ = 1;               // index 0 is the null object
    std::vector<uint32_t> classIndices_;  // ascending
};

}  // namespace

std::vector<uint8_t> EncodeInk(const CXeloLtManager& layer) {
    CInkArchiveOut out;
    out.Count(static_cast<size_t>(layer.Count()));
    std::vector<std::pair<std::string_view, uint32_t>> classes;  // name, map index
    uint32_t mapCount = 1;
    for (int i = 0; i < layer.Count(); ++i) {
        const CXeloLtGraph* object = layer.GetAt(i);
        if (!object) {
            out.Le16(kNullTag);
            continue;
        }
        const std::string_view name = object->ClassName();
        const auto known = std::find_if(classes.begin(), classes.end(),
                                        [&](const auto& c) { return c.first == name; });
        if (known != classes.end()) {
            if (known->second < kBigObjectTag) {
                out.Le16(static_cast<uint16_t>(kClassTag | known->second));
            } else {
                out.Le16(kBigObjectTag);
                out.Le32(kBigClassTag | known->second);
            }
        } else {
            out.Le16(kNewClassTag);
            out.Le16(CXeloLtFreeHand::kSchema);
            out.Le16(static_cast<uint16_t>(name.size()));
            out.Bytes(name.data(), name.size());
            classes.emplace_back(name, mapCount++);
        }
        ++mapCount;  // the object
        object->Store(out);
    }
    out.I32(layer.Current());
    StoreView(out, layer.View());
    return out.Take();
}

void DecodeInk(const uint8_t* bytes, size_t size, CXeloLtManager& layer) {
    try {
        CInkArchiveIn in(bytes, size);
        const uint32_t count = in.Count();
        if (count > in.Left() / kMinObjectBytes) Fail(kErrEndOfFile, __LINE__);
        std::vector<std::unique_ptr<CXeloLtGraph>> objects;
        objects.reserve(count);
        ClassReader classes(in);
        for (uint32_t i = 0; i < count; ++i) {
            if (!classes.NextIsObject()) {
                objects.push_back(nullptr);
                continue;
            }
            auto object = std::make_unique<CXeloLtFreeHand>();
            object->Load(in);
            objects.push_back(std::move(object));
        }
        int32_t current = in.I32();
        LtViewParams view = LoadView(in);
        if (current >= static_cast<int64_t>(count)) current = 0;
        if (view.handleHalfSize < 1) view.handleHalfSize = 3;
        if (view.hitTolerance < 0) view.hitTolerance = 0;
        // Drawing divides and multiplies by the scale: only a positive number is usable.
        if (!std::isfinite(view.scale) || view.scale <= 0) view.scale = 1.0;
        layer.TakeLoaded(std::move(objects), current, view);
    } catch (const std::bad_alloc&) {
        Fail(kErrNoMemory, __LINE__);
    }
}

std::string InkPathFor(const std::string& imagePath) {
    return imagePath + ".ink";
}

bool SaveInk(const std::string& path, const CXeloLtManager& layer) {
    if (layer.Count() == 0) return false;
    const std::vector<uint8_t> bytes = EncodeInk(layer);
    CFileWriter writer(path, {kComponentInk, kUnit, __LINE__});
    writer.Write(bytes.data(), bytes.size());
    writer.Commit();
    return true;
}

bool LoadInk(const std::string& path, CXeloLtManager& layer) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxInkFileBytes, bytes, {kComponentInk, kUnit, __LINE__})) {
        return false;
    }
    DecodeInk(bytes.data(), bytes.size(), layer);
    return true;
}

}  // namespace xelo
