#pragma once
// How the audio threads wait between polls. The game sleeps for real; tests pass their own function
// to step the threads one poll at a time.

#include <functional>

using SleepFn = std::function<void(int milliseconds)>;

void sleepMilliseconds(int milliseconds);
