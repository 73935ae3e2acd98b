// A running window over a temporary folder of small BMP images, for the Qt tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QPoint>

#include "app/TavoApp.h"
#include "base/Registry.h"
#include "support/TempDir.h"

namespace xelo {

class CMainFrame;
class CTavoView;
class CTavoListView;

namespace test {

// One frame of a test animation: a square of palette index `index` (1 red, 2 green, 3 blue).
struct GifPart {
    int left, top, size, index, disposal, delay;
};
// Writes an animation of `parts` on a `side` × `side` screen.
void WriteAnimation(const std::string& path, int side, const std::vector<GifPart>& parts);

class GuiFixture {
  public:
    GuiFixture();
    // With `images` images in the folder, started in Thumbnail mode.
    explicit GuiFixture(int images);
    ~GuiFixture();

    // Writes `count` images named img01.bmp … into the folder.
    void MakeImages(int count, int width = 64, int height = 48);
    // Starts the program with these arguments on a virtual 240 × 320 screen, and waits until
    // the window is shown. Without arguments: Thumbnail mode on the folder.
    void Start(const std::vector<std::string>& arguments);
    void Start() { Start({"-t", Folder()}); }
    // Ends the program as closing the window does: album and preferences written.
    void Stop();

    CTavoApp& App() { return *app_; }
    CTavoDoc& Doc() { return app_->Doc(); }
    CMainFrame& Frame();
    CTavoView& View();
    CTavoListView& ListView();
    std::string Folder() const { return dir_.Path().string(); }
    CMemoryRegistry& Store() { return registry_; }

    // The middle of the image box of the cell of `index`, in viewport coordinates.
    QPoint ImageCentre(int index);
    // Selects the image at `index` alone.
    void SelectOnly(int index);
    // Names in document order.
    std::vector<std::string> Names();

  private:
    TempDir dir_;
    CMemoryRegistry registry_;
    std::unique_ptr<CTavoApp> app_;
};

}  // namespace test
}  // namespace xelo
