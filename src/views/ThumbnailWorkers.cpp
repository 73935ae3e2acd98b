// The worker loop: take the first waiting job, make it without the lock, deliver it unless the
// generation moved on meanwhile.
#include "views/ThumbnailWorkers.h"

#include <algorithm>
#include <new>

#include "image/ErrorCodes.h"
#include "image/TavoException.h"

namespace xelo {

ThumbnailWorkers::ThumbnailWorkers(ThumbnailMaker maker, ThumbnailSink sink, int threads)
    : maker_(std::move(maker)),
      sink_(std::move(sink)),
      threadCount_(threads > 0
                       ? threads
                       : std::max(1, static_cast<int>(std::thread::hardware_concurrency()))) {}

ThumbnailWorkers::~ThumbnailWorkers() {
    Stop();
}

void ThumbnailWorkers::Schedule(std::vector<ThumbnailJob> jobs) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        waiting_.assign(std::make_move_iterator(jobs.begin()), std::make_move_iterator(jobs.end()));
        if (threads_.empty() && !waiting_.empty()) {
            threads_.reserve(static_cast<size_t>(threadCount_));
            for (int i = 0; i < threadCount_; ++i)
                threads_.emplace_back([this] { Run(); });
        }
    }
    wake_.notify_all();
}

uint64_t ThumbnailWorkers::Cancel() {
    std::lock_guard lock(mutex_);
    waiting_.clear();
    return ++generation_;
}

uint64_t ThumbnailWorkers::Generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

void ThumbnailWorkers::WaitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return stopping_ || (waiting_.empty() && running_ == 0); });
}

void ThumbnailWorkers::Stop() {
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.clear();
        ++generation_;
        threads.swap(threads_);
    }
    wake_.notify_all();
    idle_.notify_all();
    for (std::thread& t : threads)
        t.join();
}

void ThumbnailWorkers::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) return;
        ThumbnailResult result;
        result.job = std::move(waiting_.front());
        waiting_.pop_front();
        result.generation = generation_;
        ++running_;
        lock.unlock();
        try {
            maker_(result.job, result.image);
            if (result.image.IsEmpty()) result.error = kErrNoImages;
        } catch (const CTavoException& e) {
            result.error = e.GetCode();
            result.message = e.GetErrorMessage();
        } catch (const std::bad_alloc&) {
            result.error = kErrNoMemory;
            result.message = CTavoException(kErrNoMemory).GetErrorMessage();
        }
        if (result.error != 0) result.image.Release();
        lock.lock();
        // Delivered under the lock so that Stop and Cancel, once returned, are never followed by
        // a result of the work they ended.
        if (!stopping_ && result.generation == generation_) sink_(result);
        --running_;
        if (waiting_.empty() && running_ == 0) idle_.notify_all();
    }
}

}  // namespace xelo
