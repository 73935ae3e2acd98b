// The slide show over real pictures: the controller's moves and timers, the play order, and the
// preload thread's decodes, counted by a renderer that wraps the real one.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <thread>

#include "codec/BmpWriter.h"
#include "image/TavoException.h"
#include "slideshow/PictureFrames.h"
#include "slideshow/SlideComposer.h"
#include "codec/GifWriter.h"
#include "slideshow/SlideShowController.h"
#include "support/TempDir.h"

namespace xelo::test {
namespace {

// Completed renders in order, and a hook run at every checkpoint.
class CountingRenderer : public ISlideRenderer {
  public:
    explicit CountingRenderer(SlideComposeContext context) : real_(std::move(context), nullptr) {}
    bool Render(const SlideItem& item, const SlideCheckpoint& checkpoint,
                ComposedSlide& out) override {
        const bool done = real_.Render(item, onCheckpoint ? onCheckpoint(checkpoint) : checkpoint, out);
        std::lock_guard lock(mutex_);
        if (done) completed_.push_back(item.name);
        return done;
    }
    std::vector<std::string> Completed() {
        std::lock_guard lock(mutex_);
        return completed_;
    }
    std::function<SlideCheckpoint(const SlideCheckpoint&)> onCheckpoint;

  private:
    CSlideRenderer real_;
    std::mutex mutex_;
    std::vector<std::string> completed_;
};

struct RecordingHost : ISlideShowHost {
    void SetTimer(int timer, int ms) override { timers.emplace_back(timer, ms); }
    void KillTimer(int) override {}
    void PresentSlide(const CDibImage& slide, int, int) override {
        presented.push_back(slide.Width());
    }
    void Redraw(const CDibImage&) override {}
    void PresentError(uint32_t message) override { errors.push_back(message); }
    void Beep() override { ++beeps; }
    std::vector<std::pair<int, int>> timers;
    std::vector<int> presented;
    std::vector<uint32_t> errors;
    int beeps = 0;
};

class SlideShow : public ::testing::Test {
  protected:
    // `count` pictures a.bmp, b.bmp, …; the one named `broken` holds no image.
    std::vector<SlideItem> MakeSlides(int count, int broken = -1, Size size = {64, 48}) {
        std::vector<SlideItem> slides;
        for (int i = 0; i < count; ++i) {
            SlideItem item;
            item.name = std::string(1, static_cast<char>('a' + i)) + ".bmp";
            item.path = dir_.File(item.name);
            if (i == broken) {
                std::ofstream(item.path) << "not a picture";
            } else {
                CDibImage image;
                image.Create(size.width, size.height, 3, false);
                FillDib(image, 0x102030u * static_cast<uint32_t>(i + 1));
                WriteBmp(item.path, image, 100, Resolution{});
            }
            slides.push_back(item);
        }
        return slides;
    }
    CSlideShowController& Make(std::vector<SlideItem> slides, SlideSettings settings = {}) {
        SlideComposeContext context{Size{80, 60}, settings, ScreenCaps{}, nullptr};
        auto renderer = std::make_unique<CountingRenderer>(context);
        renderer_ = renderer.get();
        show_ = std::make_unique<CSlideShowController>(host_, settings, std::move(slides),
                                                       std::move(renderer), context, 7);
        return *show_;
    }
    TempDir dir_;
    RecordingHost host_;
    CountingRenderer* renderer_ = nullptr;
    std::unique_ptr<CSlideShowController> show_;
};

TEST_F(SlideShow, NoVisibleSlideRefusesToStart) {
    try {
        Make({});
        FAIL();
    } catch (const CTavoException& e) {
        EXPECT_EQ(e.GetCode(), kMsgAllHidden);
    }
}

TEST_F(SlideShow, OneSlideCannotPlayAndEveryMoveBeeps) {
    auto& show = Make(MakeSlides(1));
    show.Start(0);
    EXPECT_FALSE(show.CanPlay());
    show.First();
    show.Previous();
    show.Next();
    show.Last();
    EXPECT_EQ(host_.beeps, 4);
    EXPECT_EQ(host_.presented.size(), 1u);
}

TEST_F(SlideShow, NonRepeatingShowStopsOnceTheLastDelayRunsOut) {
    for (int delay : {0, 4}) {
        SlideSettings settings;
        settings.delaySeconds = delay;
        auto& show = Make(MakeSlides(3), settings);
        host_ = RecordingHost{};
        show.Start(0);
        show.Play();
        for (int i = 0; i < 2; ++i)
            show.OnTimer(kAdvanceTimer);
        EXPECT_EQ(show.Position(), 2);
        EXPECT_TRUE(show.Playing());  // the last slide is shown for its delay
        show.OnTimer(kAdvanceTimer);
        EXPECT_FALSE(show.Playing());
        EXPECT_EQ(host_.presented.size(), 4u);  // the first, Play's, then two advances
        ASSERT_EQ(host_.timers.size(), 3u);
        EXPECT_EQ(host_.timers.back(), std::make_pair(int{kAdvanceTimer}, delay == 0 ? 1 : 4000));
    }
}

TEST_F(SlideShow, RepeatingRandomShowDrawsANewOrderAtEachWrap) {
    SlideSettings settings;
    settings.repeat = settings.random = true;
    auto& show = Make(MakeSlides(6), settings);
    show.Start(0);
    show.Play();
    std::vector<std::vector<int>> orders{show.Order()};
    for (int step = 0; step < 6 * 4; ++step) {
        const int before = show.Position();
        show.OnTimer(kAdvanceTimer);
        if (before == 5) {
            EXPECT_EQ(show.Position(), 0);
            orders.push_back(show.Order());
        }
    }
    ASSERT_EQ(orders.size(), 5u);
    for (auto order : orders) {
        std::sort(order.begin(), order.end());
        EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    }
    std::sort(orders.begin(), orders.end());
    EXPECT_GT(std::unique(orders.begin(), orders.end()) - orders.begin(), 1);
}

TEST_F(SlideShow, BackAndForthNeverDecodesAgain) {
    auto& show = Make(MakeSlides(5));
    show.Start(0);
    for (int i = 0; i < 4; ++i) {
        show.Next();
        show.Previous();
    }
    const auto done = renderer_->Completed();
    EXPECT_EQ(std::count(done.begin(), done.end(), "a.bmp"), 1);
    EXPECT_EQ(std::count(done.begin(), done.end(), "b.bmp"), 1);
}

TEST_F(SlideShow, AFarSlideIsComposedBeforeItsNeighbours) {
    auto& show = Make(MakeSlides(12));
    show.Start(0);
    show.Last();
    const auto slots = show.Preloader().SlotsAfterRequest();
    EXPECT_EQ(slots[0].index, 11);
    EXPECT_EQ(slots[0].status, kSlotLoaded);
    EXPECT_EQ(slots[1].index, 10);  // nothing ahead of the last slide: the ones behind follow
    show.Exit();
    const auto done = renderer_->Completed();
    const auto at = [&](const char* name) { return std::find(done.begin(), done.end(), name); };
    EXPECT_LT(at("l.bmp"), at("k.bmp"));
}

TEST_F(SlideShow, ABrokenSlideShowsItsErrorAndTheShowGoesOn) {
    auto& show = Make(MakeSlides(3, 1));
    show.Start(0);
    show.Play();
    show.OnTimer(kAdvanceTimer);
    EXPECT_EQ(host_.errors, std::vector<uint32_t>{kMsgNoResources});
    EXPECT_EQ(host_.timers.size(), 2u);  // the advance after the failure is scheduled
    show.OnTimer(kAdvanceTimer);
    EXPECT_EQ(show.Position(), 2);
    EXPECT_EQ(host_.presented.size(), 3u);
}

TEST_F(SlideShow, ExitWhileComposingEndsTheWorkerAtItsNextCheckpoint) {
    auto slides = MakeSlides(1, -1, Size{2400, 1800});
    std::atomic<bool> composing{false};
    std::atomic<bool> gaveUp{false};
    std::atomic<int> calls{0};
    SlideComposeContext context{Size{80, 60}, {}, ScreenCaps{}, nullptr};
    CountingRenderer renderer(context);
    // Holds the worker inside the composition until the show's end reaches a checkpoint.
    renderer.onCheckpoint = [&](const SlideCheckpoint& real) -> SlideCheckpoint {
        return [&, real] {
            if (++calls != 4) return real();  // the fourth comes after the decode
            composing = true;
            for (int i = 0; i < 5000 && real(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            gaveUp = !real();
            return real();
        };
    };
    CSlidePreloader preloader(slides, renderer);
    preloader.Start({0});
    std::thread window([&] { EXPECT_EQ(preloader.Request(0).slide, nullptr); });
    while (!composing)
        std::this_thread::yield();
    const auto start = std::chrono::steady_clock::now();
    preloader.Stop();
    window.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(gaveUp);
    EXPECT_TRUE(renderer.Completed().empty());
}

TEST(SlidePlacement, TurnsAndScalesByTheOrientationAndSizeRules) {
    struct Case {
        Size output, image;
        int sizeMode, orientation;
        bool rotated;
        int zoom;
        Rect dest;
    } cases[] = {
        {{240, 320}, {640, 480}, kSlideFit, kOrientAuto, true, 50, {0, 0, 320, 240}},
        {{240, 320}, {480, 800}, kSlideFit, kOrientAuto, false, 40, {24, 0, 216, 320}},
        {{240, 320}, {100, 100}, kSlideLargeFit, kOrientAuto, false, 100, {70, 110, 170, 210}},
        {{320, 240}, {100, 200}, kSlideOriginal, kOrientLandscape, false, 100, {110, 20, 210, 220}},
        {{320, 240}, {400, 100}, kSlideOriginal, kOrientPortrait, true, 100, {-80, 110, 320, 210}},
    };
    for (const Case& c : cases) {
        const SlidePlacement p = PlaceSlide(c.output, c.image, c.sizeMode, c.orientation);
        EXPECT_EQ(p.rotated, c.rotated);
        EXPECT_EQ(p.zoomPercent, c.zoom);
        EXPECT_EQ(p.dest, c.dest);
    }
}

TEST_F(SlideShow, ASlideIsItsPictureCentredOnTheBackgroundTurnedWhenItMustBe) {
    auto slides = MakeSlides(1, -1, Size{20, 10});  // filled 0x102030
    SlideSettings settings;
    settings.sizeMode = kSlideOriginal;
    settings.background = 0x0000FF;  // red
    CSlideRenderer renderer(SlideComposeContext{Size{30, 40}, settings, ScreenCaps{}, nullptr},
                            nullptr);
    ComposedSlide out;
    ASSERT_TRUE(renderer.Render(slides[0], [] { return true; }, out));
    ASSERT_TRUE(out.placement.rotated);  // landscape picture, portrait slide
    const auto pixel = [&](int x, int y) {
        const uint8_t* p = out.slide.Row(y) + x * 3;
        return uint32_t{p[2]} | uint32_t{p[1]} << 8 | uint32_t{p[0]} << 16;
    };
    // Turned, the 20 x 10 picture stands 10 wide and 20 high in the middle of 30 x 40.
    EXPECT_EQ(pixel(10, 10), 0x102030u);
    EXPECT_EQ(pixel(19, 29), 0x102030u);
    EXPECT_EQ(pixel(9, 10), 0x0000FFu);
    EXPECT_EQ(pixel(10, 30), 0x0000FFu);
}

TEST_F(SlideShow, PictureFramesAreStillsThatFitAndNeverRepeatAtRandom) {
    // Two usable frames, one too wide, one animated, one not a GIF at all.
    const auto gif = [&](const char* name, int width, int frames) {
        CGifWriter writer;
        writer.Open(dir_.File(name));
        LogPalette palette{0x300, 2, {}};
        writer.WriteHeader(width, 40, &palette);
        const std::vector<uint8_t> pixels(static_cast<size_t>(width) * 40, 1);
        for (int i = 0; i < frames; ++i) {
            writer.WriteControl(1, false, 10, 0);
            writer.BeginImage(0, 0, width, 40, nullptr, false);
            writer.WritePixels(pixels.data(), static_cast<uint32_t>(pixels.size()));
        }
        writer.Close();
    };
    gif("one.gif", 60, 1);
    gif("two.GIF", 80, 1);
    gif("wide.gif", 81, 1);
    gif("moving.gif", 60, 2);
    MakeSlides(1);
    CPictureFrames frames;
    frames.BuildFromFolder(dir_.Path().string(), Size{80, 60});
    EXPECT_EQ(frames.Names(), (std::vector<std::string>{"one.gif", "two.GIF"}));
    int last = -1;
    for (int i = 0; i < 20; ++i) {
        ASSERT_NE(frames.ChooseNext(true), nullptr);
        EXPECT_NE(frames.Index(), last);
        last = frames.Index();
    }
}

}  // namespace
}  // namespace xelo::test
