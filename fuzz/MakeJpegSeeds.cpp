// Writes the seed inputs of fuzz_jpeg and fuzz_exif with our own JPEG writer and Exif builder:
//   xelo_make_jpeg_seeds fuzz/seeds
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "codec/JpegCodec.h"
#include "support/ExifBuilder.h"

namespace {

using xelo::test::ExifBuilder;

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A small picture with some structure, so that the scan holds more than flat blocks.
std::vector<uint8_t> Picture(const std::filesystem::path& scratch, int width, int height,
                             int bytesPerPixel, int quality) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * bytesPerPixel);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>((i * 7) ^ (i / 13));
    xelo::JpegSource source;
    source.bits = pixels.data();
    source.width = width;
    source.height = height;
    source.bytesPerPixel = bytesPerPixel;
    xelo::JpegWriterSettings settings;
    settings.quality = static_cast<uint16_t>(quality);
    xelo::WriteJpeg(settings, scratch.string(), source, 100);
    return ReadFile(scratch);
}

ExifBuilder ManyTags(bool big) {
    ExifBuilder b(big);
    b.Ascii(ExifBuilder::kIfd0, 0x010F, "Maker");
    b.Ascii(ExifBuilder::kIfd0, 0x0110, "Model");
    b.Short(ExifBuilder::kIfd0, 0x0112, {6});
    b.Rational(ExifBuilder::kIfd0, 0x011A, {{72, 1}});
    b.Rational(ExifBuilder::kIfd0, 0x0214,
               {{0, 1}, {255, 1}, {128, 1}, {255, 1}, {128, 1}, {255, 1}});
    b.Rational(ExifBuilder::kExif, 0x829A, {{10, 1250}});
    b.Rational(ExifBuilder::kExif, 0x9201, {{7, 1}}, true);
    b.Short(ExifBuilder::kExif, 0x9209, {0x5F});
    b.Undefined(ExifBuilder::kExif, 0x9286, {'U', 'N', 'I', 'C', 'O', 'D', 'E', 0, 'h', 0, 'i', 0});
    b.Undefined(ExifBuilder::kExif, 0xA302, {2, 0, 2, 0, 0, 1, 1, 2});
    b.Ascii(ExifBuilder::kInterop, 0x0001, "R98");
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: xelo_make_jpeg_seeds SEED_FOLDER\n");
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    std::filesystem::create_directories(root / "jpeg");
    std::filesystem::create_directories(root / "exif");
    const auto scratch = root / "scratch.jpg";

    const auto colour = Picture(scratch, 24, 16, 3, 75);
    const auto grey = Picture(scratch, 16, 8, 1, 50);
    const auto wide = Picture(scratch, 200, 8, 3, 30);
    const auto thumbnail = Picture(scratch, 8, 8, 3, 50);
    WriteFile(root / "jpeg/colour.jpg", colour);
    WriteFile(root / "jpeg/grey.jpg", grey);
    WriteFile(root / "jpeg/wide.jpg", wide);

    for (const bool big : {false, true}) {
        ExifBuilder b = ManyTags(big);
        b.SetThumbnail(thumbnail);
        const std::string order = big ? "mm" : "ii";
        const auto withExif = xelo::test::WithSegmentAfterSoi(colour, b.App1());
        WriteFile(root / ("jpeg/exif-thumbnail-" + order + ".jpg"), withExif);
        WriteFile(root / ("exif/many-tags-" + order + ".jpg"), withExif);
    }
    // After a 16-byte JFIF APP0, as most camera files have it.
    ExifBuilder plain(false);
    plain.Ascii(ExifBuilder::kIfd0, 0x0110, "M");
    plain.SetThumbnail(thumbnail);
    const std::vector<uint8_t> soi(colour.begin(), colour.begin() + 20);  // SOI + JFIF APP0
    std::vector<uint8_t> jfif = soi;
    const auto app1 = plain.App1();
    jfif.insert(jfif.end(), app1.begin(), app1.end());
    jfif.insert(jfif.end(), colour.begin() + 20, colour.end());
    WriteFile(root / "exif/after-jfif.jpg", jfif);
    std::filesystem::remove(scratch);
    return 0;
}
