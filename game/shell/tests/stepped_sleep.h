#pragma once
// Stands in for the sleep of one audio thread, so that a test can run the thread one poll at a time:
// every sleep waits until the test lets it through.

#include "audio_sleep.h"

#include <condition_variable>
#include <mutex>
#include <vector>

class SteppedSleep {
public:
    SleepFn function();

    // Waits until the thread sits in a sleep, lets it through and waits until it sits in the next
    // one, so that exactly one turn of its loop ran. False on time-out.
    bool step(int turns = 1);
    // Waits until the thread sits in a sleep.
    bool waitParked();
    // From now on every sleep passes (sleeping for real), e.g. so that the thread can be stopped.
    void open();
    // The lengths of all sleeps asked for so far, in milliseconds.
    std::vector<int> sleeps() const;

private:
    void sleep(int milliseconds);

    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::vector<int> sleeps_;
    int parked_ = 0;
    int passes_ = 0;
    bool open_ = false;
};

// Opens the sleep when it goes out of scope; declared after the threads' owners, so that they can
// always be stopped, also when a test ends early.
class OpenOnExit {
public:
    explicit OpenOnExit(SteppedSleep& sleep) : sleep_(sleep) {}
    ~OpenOnExit() { sleep_.open(); }

private:
    SteppedSleep& sleep_;
};
