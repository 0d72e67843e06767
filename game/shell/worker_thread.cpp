#include "worker_thread.h"

#include <pthread.h>

WorkerThread::~WorkerThread() { join(); }

void WorkerThread::start(const char* name, std::function<void()> body) {
    auto finished = std::make_shared<std::atomic<bool>>(false);
    finished_ = finished;
    thread_ = std::thread([body = std::move(body), finished] {
        body();
        finished->store(true);
    });
    // Named from here, so that the name is there as soon as start returns.
    pthread_setname_np(thread_.native_handle(), name);
}

void WorkerThread::join() {
    if (thread_.joinable()) thread_.join();
}

bool WorkerThread::joinWithin(std::chrono::milliseconds limit) {
    if (!thread_.joinable()) return true;
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!finished_->load()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            thread_.detach();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    thread_.join();
    return true;
}
