// A small pool of threads that run tasks in the order they were submitted.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace payload {

class worker_pool {
public:
    explicit worker_pool(unsigned threads);
    // Tasks not yet started are dropped; running ones are waited for, so whoever owns the pool
    // must first make sure that its tasks can finish.
    ~worker_pool();
    worker_pool(const worker_pool&) = delete;
    worker_pool& operator=(const worker_pool&) = delete;

    void submit(std::function<void()> task);

private:
    void run();
    void stop() noexcept;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace payload
