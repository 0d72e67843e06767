#pragma once
// A thread whose end can be awaited with a time limit. A thread that overruns the limit is let go
// (detached): the process may end without it, and its owner must then keep alive whatever the
// thread still uses.

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

class WorkerThread {
public:
    WorkerThread() = default;
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts body on a new thread named name (at most 15 characters; shown by top -H and
    // debuggers). Only while no thread is running.
    void start(const char* name, std::function<void()> body);
    // True from start until the thread has been joined or let go.
    bool started() const { return thread_.joinable(); }
    // Waits for the end without a limit.
    void join();
    // Waits at most limit; true when the thread ended and was joined, false when it was let go.
    bool joinWithin(std::chrono::milliseconds limit);

private:
    std::thread thread_;
    // Shared with the thread, so that a thread let go can still mark its end safely.
    std::shared_ptr<std::atomic<bool>> finished_;
};
