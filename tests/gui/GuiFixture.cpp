// The running window of the Qt tests.
#include "gui/GuiFixture.h"

#include <QTest>
#include <cstdio>

#include "album/AlbumFixture.h"
#include "codec/GifWriter.h"
#include "frame/MainFrame.h"
#include "image/Palette.h"
#include "views/TavoListView.h"
#include "views/TavoView.h"

namespace xelo::test {

void WriteAnimation(const std::string& path, int side, const std::vector<GifPart>& parts) {
    LogPalette palette;
    palette.count = 4;
    palette.entries[1] = {255, 0, 0, 0};
    palette.entries[2] = {0, 255, 0, 0};
    palette.entries[3] = {0, 0, 255, 0};
    CGifWriter writer;
    writer.Open(path);
    writer.WriteHeader(side, side, &palette);
    for (const GifPart& p : parts) {
        writer.WriteControl(p.disposal, false, p.delay, -1);
        writer.BeginImage(p.left, p.top, p.size, p.size, nullptr, false);
        const std::vector<uint8_t> pixels(static_cast<size_t>(p.size * p.size),
                                          static_cast<uint8_t>(p.index));
        writer.WritePixels(pixels.data(), static_cast<uint32_t>(pixels.size()));
    }
    writer.Close();
}

GuiFixture::GuiFixture() = default;

GuiFixture::GuiFixture(int images) {
    MakeImages(images);
    Start();
}

GuiFixture::~GuiFixture() {
    Stop();
}

void GuiFixture::MakeImages(int count, int width, int height) {
    for (int i = 1; i <= count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "img%02d.bmp", i);
        WriteImage(Folder(), name, width, height);
    }
}

void GuiFixture::Start(const std::vector<std::string>& arguments) {
    StartOptions options;
    options.screen = Size{240, 320};
    app_ = std::make_unique<CTavoApp>(registry_, options);
    app_->InitInstance(arguments);
    QVERIFY(QTest::qWaitForWindowExposed(app_->Frame()));
}

void GuiFixture::Stop() {
    if (!app_) return;
    app_->Frame()->close();
    app_->ExitInstance();
    app_.reset();
}

CMainFrame& GuiFixture::Frame() {
    return *app_->Frame();
}
CTavoView& GuiFixture::View() {
    return *Frame().View();
}
CTavoListView& GuiFixture::ListView() {
    return *Frame().ListView();
}

QPoint GuiFixture::ImageCentre(int index) {
    const Rect r = View().CellRect(index).image;
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void GuiFixture::SelectOnly(int index) {
    Doc().ClearSelection();
    Doc().SetSelected(index, true);
}

std::vector<std::string> GuiFixture::Names() {
    std::vector<std::string> names;
    for (int i = 0; i < Doc().Count(); ++i)
        names.push_back(Doc().EntryAt(i)->Name());
    return names;
}

}  // namespace xelo::test
