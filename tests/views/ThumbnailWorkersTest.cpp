// The thumbnail worker pool: every job once, re-ordering, cancelling, stopping mid-queue.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "codec/BmpWriter.h"
#include "codec/JpegCodec.h"
#include "image/ErrorCodes.h"
#include "image/TavoException.h"
#include "support/TempDir.h"
#include "views/Thumbnail.h"
#include "views/ThumbnailCache.h"
#include "views/ThumbnailWorkers.h"

namespace xelo {
namespace {

std::vector<ThumbnailJob> Jobs(std::initializer_list<uint64_t> keys) {
    std::vector<ThumbnailJob> jobs;
    for (uint64_t k : keys)
        jobs.push_back(ThumbnailJob{k, "f" + std::to_string(k), 0});
    return jobs;
}

// One thread whose job 1 waits at a gate; deliveries are recorded in order.
struct GatedPool {
    std::promise<void> reached, open;
    std::shared_future<void> opened = open.get_future().share();
    std::vector<uint64_t> order;
    ThumbnailWorkers workers{[this](const ThumbnailJob& job, CDibImage& image) {
                                 if (job.key == 1) {
                                     reached.set_value();
                                     opened.wait();
                                 }
                                 image.Create(1, 1, 3, false);
                             },
                             [this](ThumbnailResult& r) { order.push_back(r.job.key); }, 1};
    void WaitForGate() { reached.get_future().wait(); }
};

TEST(ThumbnailWorkers, EveryJobOnceWithPicturesOrErrorCodes) {
    std::vector<int> seen(200, 0);
    int failures = 0;
    ThumbnailWorkers workers(
        [](const ThumbnailJob& job, CDibImage& image) {
            if (job.key % 7 == 0) ThrowError(kErrFormatInvalid, {});
            image.Create(static_cast<int>(job.key) + 1, 1, 3, false);
        },
        [&](ThumbnailResult& r) {
            ++seen[r.job.key];  // sink calls never overlap
            failures += r.error == kErrFormatInvalid && r.image.IsEmpty() ? 1 : 0;
            EXPECT_EQ(r.image.Width(), r.error ? 0 : static_cast<int>(r.job.key) + 1);
        },
        4);
    std::vector<ThumbnailJob> jobs;
    for (uint64_t k = 0; k < 200; ++k)
        jobs.push_back(ThumbnailJob{k, "f", 0});
    workers.Schedule(std::move(jobs));
    workers.WaitIdle();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 200);
    EXPECT_EQ(failures, 29);
}

TEST(ThumbnailWorkers, ScheduleReordersWhatWaits) {
    GatedPool pool;
    pool.workers.Schedule(Jobs({1, 2, 3, 4}));
    pool.WaitForGate();
    pool.workers.Schedule(Jobs({4, 3}));  // scrolled: 4 and 3 first, 2 no longer wanted
    pool.open.set_value();
    pool.workers.WaitIdle();
    EXPECT_EQ(pool.order, (std::vector<uint64_t>{1, 4, 3}));
}

TEST(ThumbnailWorkers, CancelDropsWaitingAndRunningJobs) {
    GatedPool pool;
    pool.workers.Schedule(Jobs({1, 5, 6}));
    pool.WaitForGate();
    pool.workers.Cancel();  // another folder
    pool.open.set_value();
    pool.workers.WaitIdle();
    EXPECT_TRUE(pool.order.empty());
}

TEST(ThumbnailWorkers, StopEndsALongQueueAfterTheRunningJobs) {
    std::atomic<int> made{0};
    ThumbnailWorkers workers(
        [&](const ThumbnailJob&, CDibImage& image) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            image.Create(1, 1, 3, false);
            ++made;
        },
        [](ThumbnailResult&) {}, 2);
    std::vector<ThumbnailJob> jobs(5000);
    workers.Schedule(std::move(jobs));
    while (made.load() < 4)
        std::this_thread::yield();
    workers.Stop();
    const int atStop = made.load();
    EXPECT_LT(atStop, 5000);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(made.load(), atStop);
}

// The production maker on several threads at once: decoders and the shared folders.
TEST(ThumbnailWorkers, RealFilesThroughTheSharedFolders) {
    test::TempDir dir;
    CDibImage picture;
    picture.Create(640, 480, 3, false);
    WriteBmp(dir.File("p.bmp"), picture, 100, Resolution{96, 96});
    WriteJpeg(JpegWriterSettings{}, dir.File("p.jpg"), picture, 100);
    const ThumbnailDecoder decode =
        CachingThumbnailDecoder(std::make_shared<ThumbnailCache>(dir.File("thumbnails")));
    int made = 0;
    ThumbnailWorkers workers(
        [&](const ThumbnailJob& job, CDibImage& image) { decode(job.path, image); },
        [&](ThumbnailResult& r) { made += r.image.Width() == 96 ? 1 : 0; }, 3);
    std::vector<ThumbnailJob> jobs;
    for (uint64_t k = 0; k < 12; ++k)
        jobs.push_back(ThumbnailJob{k, dir.File(k % 2 ? "p.bmp" : "p.jpg"), 0});
    workers.Schedule(std::move(jobs));
    workers.WaitIdle();
    EXPECT_EQ(made, 12);
}

}  // namespace
}  // namespace xelo
