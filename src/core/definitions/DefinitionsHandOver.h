// The hand-over of finished downloads to the GUI thread. The GUI thread registers each worker
// before it starts; a worker only marks itself finished and then wakes the GUI thread, which
// takes over the finished workers it registered. The wake-up carries nothing: a message from
// anywhere else can at most make the GUI thread look early, never hand it an object.
#pragma once

#include <algorithm>
#include <atomic>
#include <vector>

namespace qlx {

// What a worker carries besides its result: set by the worker once its result is complete.
class HandOverMark {
public:
    // Worker: its result is complete and will not be touched again until the GUI thread has
    // taken it over.
    void finish() { finished_.store(true, std::memory_order_release); }
    bool finished() const { return finished_.load(std::memory_order_acquire); }

private:
    std::atomic<bool> finished_{false};
};

// GUI thread only. T has a member `HandOverMark handOver`.
template <typename T> class DefinitionsHandOver {
public:
    void add(T* worker) { workers_.push_back(worker); }
    // A worker that could not be started.
    void remove(T* worker) { workers_.erase(std::remove(workers_.begin(), workers_.end(), worker), workers_.end()); }
    // The registered workers that have finished, in the order they were registered; they are
    // no longer registered afterwards.
    std::vector<T*> takeFinished() {
        std::vector<T*> done;
        for (T* worker : workers_)
            if (worker->handOver.finished()) done.push_back(worker);
        for (T* worker : done) remove(worker);
        return done;
    }
    size_t size() const { return workers_.size(); }

private:
    std::vector<T*> workers_;
};

} // namespace qlx
