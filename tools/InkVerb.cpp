// xelo-tool ink: the contents of an ink file (objects, strokes, points, pen, view block), or
// an image's ink drawn onto a copy of it.
#include <cerrno>
#include <cinttypes>
#include <cstdio>

#include "ToolArgs.h"
#include "Verbs.h"
#include "image/FileError.h"
#include "image/TavoException.h"
#include "ink/InkFile.h"
#include "ink/InkMerge.h"
#include "ink/LtFreeHand.h"

namespace xelo::tool {

namespace {

void PrintLayer(const CXeloLtManager& layer) {
    const LtViewParams& v = layer.View();
    std::printf("objects %d current %d\n", layer.Count(), layer.Current());
    std::printf("view scale %g offset %d,%d reserved %d handle %d tolerance %d flags 0x%X %d %d\n",
                v.scale, v.xOffset, v.yOffset, v.reserved, v.handleHalfSize, v.hitTolerance,
                static_cast<unsigned>(v.flags), v.value1, v.value2);
    for (int i = 0; i < layer.Count(); ++i) {
        const auto* f = dynamic_cast<const CXeloLtFreeHand*>(layer.GetAt(i));
        if (!f) {
            std::printf("object %d null\n", i);
            continue;
        }
        const Rect& b = f->Bounds();
        const LtPen pen = f->Pen();
        std::printf("object %d %s kind %" PRIu32
                    " bounds %d,%d,%d,%d origin %d,%d pen %d width %d "
                    "colour 0x%06X fill %d hatch %d colour 0x%06X strokes %d points %d\n",
                    i, f->ClassName(), f->Kind(), b.left, b.top, b.right, b.bottom, f->Origin().x,
                    f->Origin().y, pen.style, pen.width, static_cast<unsigned>(pen.color),
                    f->FillStyle(), f->FillHatch(), static_cast<unsigned>(f->FillColor()),
                    f->StrokeCount(), f->PointCount());
        size_t start = 0;
        for (size_t s = 0; s < f->StrokeLengths().size(); ++s) {
            const uint32_t length = f->StrokeLengths()[s];
            std::printf("  stroke %zu:", s);
            for (size_t k = start; k < start + length; ++k)
                std::printf(" %d,%d", f->Points()[k].x, f->Points()[k].y);
            std::printf("\n");
            start += length;
        }
    }
}

// Draws IMAGE.ink onto IMAGE and writes `out`.
int MergeInk(const std::string& image, const std::string& out) {
    try {
        CXeloLtManager layer;
        if (!LoadInk(InkPathFor(image), layer)) ThrowFileError(ENOENT, InkPathFor(image), {});
        MergeInkIntoImage(image, layer, out);
        return 0;
    } catch (const CTavoException& e) {
        PrintFileError(image, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
}

}  // namespace

int RunInk(const std::vector<std::string>& args) {
    ToolArgs parsed;
    std::string error;
    if (!parsed.Parse(args, {"-o"}, error)) return UsageError("ink", error);
    if (const auto unknown = parsed.Unknown({"--merge", "-o"}); !unknown.empty()) {
        return UsageError("ink", "unknown option " + unknown.front());
    }
    if (parsed.Operands().size() != 1) return UsageError("ink", "give exactly one file");
    const std::string& file = parsed.Operands().front();
    if (parsed.Has("--merge")) {
        const std::optional<std::string> out = parsed.Value("-o");
        if (!out) return UsageError("ink", "--merge needs -o OUT");
        return MergeInk(file, *out);
    }
    if (parsed.Has("-o")) return UsageError("ink", "-o goes with --merge");
    try {
        CXeloLtManager layer;
        if (!LoadInk(file, layer)) {
            ThrowFileError(ENOENT, file, {});
        }
        PrintLayer(layer);
        return 0;
    } catch (const CTavoException& e) {
        PrintFileError(file, e.GetCode(), e.GetErrorMessage());
        return 1;
    }
}

}  // namespace xelo::tool
