#include "stepped_sleep.h"

#include <chrono>
#include <thread>

namespace {
constexpr auto kLimit = std::chrono::seconds(10);
}

SleepFn SteppedSleep::function() {
    return [this](int milliseconds) { sleep(milliseconds); };
}

void SteppedSleep::sleep(int milliseconds) {
    std::unique_lock<std::mutex> guard(lock_);
    sleeps_.push_back(milliseconds);
    if (!open_) {
        ++parked_;
        changed_.notify_all();
        changed_.wait(guard, [this] { return passes_ > 0 || open_; });
        if (passes_ > 0) --passes_;
        --parked_;
        changed_.notify_all();
        return;
    }
    guard.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool SteppedSleep::waitParked() {
    std::unique_lock<std::mutex> guard(lock_);
    return changed_.wait_for(guard, kLimit, [this] { return parked_ > 0; });
}

bool SteppedSleep::step(int turns) {
    for (int turn = 0; turn < turns; ++turn) {
        std::unique_lock<std::mutex> guard(lock_);
        if (!changed_.wait_for(guard, kLimit, [this] { return parked_ > 0; })) return false;
        std::size_t before = sleeps_.size();
        ++passes_;
        changed_.notify_all();
        if (!changed_.wait_for(guard, kLimit, [&] { return sleeps_.size() > before && parked_ > 0; }))
            return false;
    }
    return true;
}

void SteppedSleep::open() {
    std::lock_guard<std::mutex> guard(lock_);
    open_ = true;
    changed_.notify_all();
}

std::vector<int> SteppedSleep::sleeps() const {
    std::lock_guard<std::mutex> guard(lock_);
    return sleeps_;
}
