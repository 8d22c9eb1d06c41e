#pragma once
// Pages handed from the thread that draws them to one worker that encodes and
// writes them, in the order given, so that encoding a page overlaps drawing the
// next. Drawing stays on the caller's thread; a job sees only what it was given.
// At most `depth` jobs wait, which bounds the memory pages in flight take.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace qv {

class PageConveyor {
  public:
    // A job returns false when it failed; no job after it runs.
    using Job = std::function<bool()>;

    explicit PageConveyor(int depth = 2);
    ~PageConveyor(); // waits for the jobs given
    PageConveyor(const PageConveyor&) = delete;
    PageConveyor& operator=(const PageConveyor&) = delete;

    // Queues `job`, waiting while `depth` jobs wait already; false (and the job
    // dropped) once a job has failed.
    bool push(Job job);
    // Waits until every job given has run; true when none failed.
    bool finish();

  private:
    void work();

    const std::size_t depth_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    bool running_ = false; // a job is out of the queue and running
    bool failed_ = false;
    bool closing_ = false;
    std::thread worker_;
};

} // namespace qv
