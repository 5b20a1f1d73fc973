// A small pool of threads (see worker_pool.h).
#include "payload/worker_pool.h"

namespace payload {

worker_pool::worker_pool(unsigned threads) {
    threads_.reserve(threads);
    try {
        for (unsigned i = 0; i < threads; ++i) threads_.emplace_back([this] { run(); });
    } catch (...) {
        // A thread that cannot start: stop the ones that did before giving up.
        stop();
        throw;
    }
}

worker_pool::~worker_pool() { stop(); }

void worker_pool::stop() noexcept {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        tasks_.clear();
    }
    wake_.notify_all();
    for (auto& t : threads_)
        if (t.joinable()) t.join();
    threads_.clear();
}

void worker_pool::submit(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void worker_pool::run() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
            if (stopping_) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

}  // namespace payload
