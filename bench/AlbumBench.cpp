// Opening a folder of 10,000 small images (BMP, GIF and JPEG in turn): enumeration, one header
// read per file and the album data applied. The folder is built once in a temporary directory;
// the page cache is warm.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "album/AlbumFile.h"
#include "album/Ordering.h"
#include "album/TavoDoc.h"
#include "codec/BmpWriter.h"
#include "codec/GifWriter.h"
#include "codec/JpegCodec.h"
#include "image/DibImage.h"

namespace {

constexpr int kImages = 10000;

// A folder of kImages small BMP, GIF and JPEG files of a few sizes, removed at exit.
class ImageFolder {
  public:
    ImageFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "xelo-bench-album-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        struct Sample {
            std::string extension;
            std::vector<char> bytes;
        };
        std::vector<Sample> samples;
        for (int size : {8, 16, 24, 32}) {
            xelo::CDibImage image;
            image.Create(size, size * 3 / 4, 3, false);
            for (int y = 0; y < image.Height(); ++y) {
                for (size_t i = 0; i < image.Stride(); ++i)
                    image.Row(y)[i] = static_cast<uint8_t>(i * 7 + y);
            }
            for (const char* extension : {"bmp", "gif", "jpg"}) {
                const std::string sample = path_ + "/sample." + extension;
                if (extension[0] == 'b') {
                    xelo::WriteBmp(sample, image, 100, xelo::Resolution{});
                } else if (extension[0] == 'g') {
                    xelo::CGifWriter writer;
                    xelo::WriteGif(writer, sample, image, 100);
                } else {
                    xelo::WriteJpeg(xelo::JpegWriterSettings{}, sample, image, 100);
                }
                std::ifstream in(sample, std::ios::binary);
                samples.push_back({extension, std::vector<char>(std::istreambuf_iterator<char>(in),
                                                                std::istreambuf_iterator<char>())});
                std::filesystem::remove(sample);
            }
        }
        for (int i = 0; i < kImages; ++i) {
            const Sample& sample = samples[static_cast<size_t>(i) % samples.size()];
            std::ofstream(path_ + "/IMG_" + std::to_string(i) + "." + sample.extension,
                          std::ios::binary)
                .write(sample.bytes.data(), static_cast<std::streamsize>(sample.bytes.size()));
        }
    }
    ~ImageFolder() { std::filesystem::remove_all(path_); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

ImageFolder& Folder() {
    static ImageFolder folder;
    return folder;
}

void BM_OpenFolder(benchmark::State& state) {
    const std::string& folder = Folder().Path();
    xelo::DeleteAlbumFile(folder);
    for (auto _ : state) {
        xelo::CTavoDoc doc;
        doc.OpenFolder(folder);
        if (doc.Count() != kImages) state.SkipWithError("not every image was listed");
        benchmark::DoNotOptimize(doc.Count());
    }
    state.SetItemsProcessed(state.iterations() * kImages);
}
BENCHMARK(BM_OpenFolder)->Unit(benchmark::kMillisecond);

void BM_OpenFolderWithAlbumFile(benchmark::State& state) {
    const std::string& folder = Folder().Path();
    {
        xelo::CTavoDoc doc;
        doc.OpenFolder(folder);
        xelo::Reorder(doc, xelo::kReorderReverse);
        xelo::WriteAlbumFile(folder, doc.MakeAlbumData());
    }
    for (auto _ : state) {
        xelo::CTavoDoc doc;
        doc.OpenFolder(folder);
        benchmark::DoNotOptimize(doc.Count());
    }
    xelo::DeleteAlbumFile(folder);
    state.SetItemsProcessed(state.iterations() * kImages);
}
BENCHMARK(BM_OpenFolderWithAlbumFile)->Unit(benchmark::kMillisecond);

void BM_SortSlides(benchmark::State& state) {
    xelo::CTavoDoc doc;
    doc.OpenFolder(Folder().Path());
    for (auto _ : state) {
        xelo::Reorder(doc, xelo::kReorderName);
        xelo::Reorder(doc, xelo::kReorderSlides);
    }
}
BENCHMARK(BM_SortSlides)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
