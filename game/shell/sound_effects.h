#pragma once
// Sound effects by file name, one at a time: a new effect cuts off the one playing. The game only
// leaves a request (one store of the caller's name pointer); the effect thread polls every 20 ms,
// reads the file and hands it to the output.

#include "audio_sleep.h"
#include "wave_data.h"
#include "worker_thread.h"

#include <atomic>
#include <chrono>

class AudioOutput;

class SoundEffects {
public:
    // Sets the instance and starts the effect thread, which runs (idle) even when effects are off.
    SoundEffects(AudioOutput& output, bool enabled, SleepFn sleep = sleepMilliseconds);
    // Stops the thread without a time limit if shutdown has not already.
    ~SoundEffects();
    SoundEffects(const SoundEffects&) = delete;
    SoundEffects& operator=(const SoundEffects&) = delete;

    static SoundEffects* instance() { return instance_; }

    // Any time, from the main thread: asks for the effect, replacing a request not yet taken. The
    // name is kept, not copied: pass a string that lives for the whole run. Ignored when effects are
    // off or no instance exists.
    static void play(const char* name);

    // Ends the effect thread (which silences the effect on its way out), waiting at most limit.
    // False when the thread overran and was let go; this object must then never be destroyed.
    bool shutdown(std::chrono::milliseconds limit);

private:
    void run();
    bool playNow(const char* name);
    // Waits ms in poll-sized steps, cut short by a stop so that shutdown never waits a whole second.
    void pause(int ms);

    static SoundEffects* instance_;

    AudioOutput& output_;
    const bool enabled_;
    const SleepFn sleep_;
    std::atomic<const char*> pendingEffect_{nullptr};
    std::atomic<bool> stop_{false};
    WaveData effect_;  // the effect thread's own buffer for the file it reads
    WorkerThread thread_;
};
