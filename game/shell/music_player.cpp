#include "music_player.h"

#include "wave_data.h"
#include "wave_stream.h"

MusicPlayer* MusicPlayer::instance_ = nullptr;

namespace {
constexpr int kPollMs = 20;
}

MusicPlayer::MusicPlayer(AudioOutput& output, WaveData& data, WaveStream& stream, bool enabled, SleepFn sleep)
    : output_(output), data_(data), stream_(stream), enabled_(enabled), sleep_(std::move(sleep)) {
    instance_ = this;
    if (enabled_) manager_.start("music manager", [this] { manage(); });
}

MusicPlayer::~MusicPlayer() {
    if (manager_.started()) {
        managerStop_.store(true);
        manager_.join();
    }
    if (instance_ == this) instance_ = nullptr;
}

void MusicPlayer::play(const char* name) {
    if (instance_ && instance_->enabled_ && name) instance_->pendingMusic_.store(name);
}

void MusicPlayer::stop() {
    if (instance_ && instance_->enabled_) instance_->stream_.requestStop();
}

bool MusicPlayer::shutdown(std::chrono::milliseconds limit) {
    managerStop_.store(true);
    bool ended = manager_.joinWithin(limit);
    if (instance_ == this) instance_ = nullptr;
    return ended;
}

void MusicPlayer::manage() {
    while (!managerStop_.load()) {
        if (const char* name = pendingMusic_.load()) {
            endStream();
            // The data is written only here, while no stream thread reads it.
            data_.load(name);
            // Cleared only if unchanged: a request that came while the file was read is the latest
            // one and plays on the next poll instead of being lost.
            pendingMusic_.compare_exchange_strong(name, nullptr);
            stream_.clearStop();
            streamThread_.start("music stream", [this] { stream_.run(data_, output_); });
        }
        sleep_(kPollMs);
    }
    endStream();
}

void MusicPlayer::endStream() {
    if (!streamThread_.started()) return;
    stream_.requestStop();
    streamThread_.join();
}
