#include "audio_sleep.h"

#include <chrono>
#include <thread>

void sleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
