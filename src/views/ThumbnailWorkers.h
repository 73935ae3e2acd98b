// A small pool of threads, one per core, that makes thumbnails from file paths in the order it
// is given and hands each one to a sink. The document model never reaches the threads: a job is
// a path, a result a picture. Scheduling again re-orders what waits; cancelling drops it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "image/DibImage.h"

namespace xelo {

struct ThumbnailJob {
    uint64_t key = 0;  // the caller's, handed back
    std::string path;
    int64_t stamp = 0;  // the caller's, handed back (the file's write time as it knew it)
};

struct ThumbnailResult {
    ThumbnailJob job;
    uint64_t generation = 0;  // Generation() when the job was scheduled
    CDibImage image;
    uint32_t error = 0;   // the CTavoException code; 0 with a picture
    std::string message;  // and its text
};

// Makes the picture of one job; raises CTavoException (or std::bad_alloc) on failure.
using ThumbnailMaker = std::function<void(const ThumbnailJob& job, CDibImage& image)>;
// Receives each result on the worker thread that made it.
using ThumbnailSink = std::function<void(ThumbnailResult& result)>;

class ThumbnailWorkers {
  public:
    // `threads` 0: one per core. The threads start with the first Schedule.
    ThumbnailWorkers(ThumbnailMaker maker, ThumbnailSink sink, int threads = 0);
    ~ThumbnailWorkers();
    ThumbnailWorkers(const ThumbnailWorkers&) = delete;
    ThumbnailWorkers& operator=(const ThumbnailWorkers&) = delete;

    // Replaces the waiting jobs by `jobs`, made in this order; running jobs finish.
    void Schedule(std::vector<ThumbnailJob> jobs);
    // Drops the waiting jobs; the running ones are not delivered. Returns the new generation.
    uint64_t Cancel();
    uint64_t Generation() const;
    // Blocks until nothing waits or runs.
    void WaitIdle();
    // Cancels and joins the threads; no sink call runs or follows once it returns.
    void Stop();
    int ThreadCount() const { return threadCount_; }

  private:
    void Run();

    ThumbnailMaker maker_;
    ThumbnailSink sink_;
    int threadCount_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<ThumbnailJob> waiting_;
    uint64_t generation_ = 0;
    int running_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace xelo
