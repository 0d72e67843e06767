#pragma once
// Looping music by file name. The game only leaves a request (one store of the caller's name
// pointer); the manager thread polls every 20 ms, stops the stream that plays, loads the file into
// the WaveData and starts a new stream thread. At most one stream thread exists at a time.

#include "audio_sleep.h"
#include "worker_thread.h"

#include <atomic>
#include <chrono>

class AudioOutput;
class WaveData;
class WaveStream;

class MusicPlayer {
public:
    // Sets the instance; starts the manager thread only when music is on.
    MusicPlayer(AudioOutput& output, WaveData& data, WaveStream& stream, bool enabled,
                SleepFn sleep = sleepMilliseconds);
    // Stops the threads without a time limit if shutdown has not already.
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    static MusicPlayer* instance() { return instance_; }

    // Any time, from the main thread; both ignored when music is off or no instance exists.
    // play asks for the file (kept, not copied: pass a string that lives for the whole run), which
    // then starts from its beginning even if it is the one playing. stop silences the music within
    // one buffer.
    static void play(const char* name);
    static void stop();

    bool managerRunning() const { return manager_.started(); }

    // Ends the manager, which first ends the stream, waiting at most limit. False when the manager
    // overran and was let go; this object, the WaveData, the WaveStream and the output must then
    // never be destroyed.
    bool shutdown(std::chrono::milliseconds limit);

private:
    void manage();
    void endStream();

    static MusicPlayer* instance_;

    AudioOutput& output_;
    WaveData& data_;
    WaveStream& stream_;
    const bool enabled_;
    const SleepFn sleep_;
    std::atomic<const char*> pendingMusic_{nullptr};
    std::atomic<bool> managerStop_{false};
    WorkerThread manager_;
    WorkerThread streamThread_;  // touched by the manager thread only
};
