#include "print/pageconveyor.h"

namespace qv {

PageConveyor::PageConveyor(int depth) : depth_(std::size_t(depth < 1 ? 1 : depth)), worker_([this] { work(); }) {}

PageConveyor::~PageConveyor() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

bool PageConveyor::push(Job job) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return failed_ || jobs_.size() < depth_; });
    if (failed_) return false;
    jobs_.push_back(std::move(job));
    changed_.notify_all();
    return true;
}

bool PageConveyor::finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return jobs_.empty() && !running_; });
    return !failed_;
}

void PageConveyor::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !jobs_.empty() || closing_; });
        if (jobs_.empty()) return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        running_ = true;
        lock.unlock();
        bool ok = false;
        try {
            ok = job();
        } catch (...) {
            // A page that could not be encoded fails the run like a failed write.
        }
        lock.lock();
        running_ = false;
        if (!ok) {
            failed_ = true;
            jobs_.clear(); // nothing after a failed page is written
        }
        changed_.notify_all();
    }
}

} // namespace qv
