#include "fake_audio_output.h"

#include <algorithm>

namespace {
constexpr std::size_t kKeptBytes = 1 << 20;
constexpr auto kAutomaticBufferTime = std::chrono::milliseconds(2);
}  // namespace

struct FakeAudioOutput::State {
    mutable std::mutex lock;
    mutable std::condition_variable changed;
    Playback playback;
    bool refuseEffects = false;
    bool refuseStreams = false;
    std::size_t buffersAllowed = SIZE_MAX;
    std::vector<FakeEffect> effects;
    std::vector<FakeStream> streams;
    std::vector<std::string> events;
    // The open stream's queue: slot and, in automatic playback, the moment it ends.
    struct Queued {
        int slot;
        std::chrono::steady_clock::time_point end;
    };
    std::deque<Queued> queue;
    std::chrono::steady_clock::time_point lastEnd{};
    bool streamOpen = false;
    int streamRequests = 0;

    void note(const std::string& event) {
        events.push_back(event);
        changed.notify_all();
    }
    FakeStream& current() { return streams.back(); }
    void playDue() {
        auto now = std::chrono::steady_clock::now();
        while (playback == Playback::automatic && !queue.empty() && queue.front().end <= now) {
            queue.pop_front();
            ++current().buffersPlayed;
            changed.notify_all();
        }
    }
};

namespace {

class FakeVoice : public StreamVoice {
public:
    explicit FakeVoice(std::shared_ptr<FakeAudioOutput::State> state) : state_(std::move(state)) {}

    ~FakeVoice() override {
        std::lock_guard<std::mutex> guard(state_->lock);
        state_->queue.clear();
        state_->streamOpen = false;
        state_->current().closed = true;
        state_->note("close");
    }

    bool queue(int slot, const std::uint8_t* bytes, std::size_t size) override {
        std::lock_guard<std::mutex> guard(state_->lock);
        FakeStream& stream = state_->current();
        if (stream.buffersQueued >= state_->buffersAllowed) return false;
        bool alreadyQueued = std::any_of(state_->queue.begin(), state_->queue.end(),
                                         [slot](const auto& q) { return q.slot == slot; });
        if (alreadyQueued) stream.slotQueuedTwice = true;
        auto now = std::chrono::steady_clock::now();
        auto start = std::max(now, state_->lastEnd);
        state_->lastEnd = start + kAutomaticBufferTime;
        state_->queue.push_back({slot, state_->lastEnd});
        stream.slots.push_back(slot);
        ++stream.buffersQueued;
        std::size_t keep = std::min(size, kKeptBytes - std::min(kKeptBytes, stream.bytes.size()));
        stream.bytes.insert(stream.bytes.end(), bytes, bytes + keep);
        stream.mostQueuedAtOnce = std::max(stream.mostQueuedAtOnce, static_cast<int>(state_->queue.size()));
        state_->changed.notify_all();
        return true;
    }

    bool isQueued(int slot) override {
        std::lock_guard<std::mutex> guard(state_->lock);
        state_->playDue();
        return std::any_of(state_->queue.begin(), state_->queue.end(),
                           [slot](const auto& q) { return q.slot == slot; });
    }

    void reset() override {
        std::lock_guard<std::mutex> guard(state_->lock);
        state_->queue.clear();
        state_->current().wasReset = true;
        state_->note("reset");
    }

private:
    std::shared_ptr<FakeAudioOutput::State> state_;
};

}  // namespace

FakeAudioOutput::FakeAudioOutput(Playback playback) : state_(std::make_shared<State>()) {
    state_->playback = playback;
}

void FakeAudioOutput::refuseEffects(bool refuse) {
    std::lock_guard<std::mutex> guard(state_->lock);
    state_->refuseEffects = refuse;
}

void FakeAudioOutput::refuseStreams(bool refuse) {
    std::lock_guard<std::mutex> guard(state_->lock);
    state_->refuseStreams = refuse;
}

void FakeAudioOutput::refuseBuffersAfter(std::size_t n) {
    std::lock_guard<std::mutex> guard(state_->lock);
    state_->buffersAllowed = n;
}

void FakeAudioOutput::setPlayback(Playback playback) {
    std::lock_guard<std::mutex> guard(state_->lock);
    state_->playback = playback;
    state_->changed.notify_all();
}

void FakeAudioOutput::finishOldestBuffer() {
    std::lock_guard<std::mutex> guard(state_->lock);
    if (state_->queue.empty()) return;
    state_->queue.pop_front();
    ++state_->current().buffersPlayed;
    state_->changed.notify_all();
}

std::vector<FakeEffect> FakeAudioOutput::effects() const {
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->effects;
}

std::vector<FakeStream> FakeAudioOutput::streams() const {
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->streams;
}

std::vector<std::string> FakeAudioOutput::events() const {
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->events;
}

int FakeAudioOutput::streamRequests() const {
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->streamRequests;
}

int FakeAudioOutput::queuedNow() const {
    std::lock_guard<std::mutex> guard(state_->lock);
    return static_cast<int>(state_->queue.size());
}

bool FakeAudioOutput::waitUntil(const std::function<bool(const FakeAudioOutput&)>& condition,
                                std::chrono::milliseconds limit) const {
    auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition(*this)) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        // Wakes on every change, and every few milliseconds for playback that moves by the clock alone.
        std::unique_lock<std::mutex> guard(state_->lock);
        state_->changed.wait_for(guard, std::chrono::milliseconds(5));
    }
}

bool FakeAudioOutput::playEffect(const AudioFormat& format, const std::uint8_t* bytes, std::size_t size) {
    std::lock_guard<std::mutex> guard(state_->lock);
    if (state_->refuseEffects) return false;
    state_->effects.push_back({format, std::vector<std::uint8_t>(bytes, bytes + size)});
    state_->note("effect");
    return true;
}

void FakeAudioOutput::stopEffect() {
    std::lock_guard<std::mutex> guard(state_->lock);
    state_->note("stop effect");
}

std::unique_ptr<StreamVoice> FakeAudioOutput::openStream(const AudioFormat& format) {
    std::lock_guard<std::mutex> guard(state_->lock);
    ++state_->streamRequests;
    state_->changed.notify_all();
    if (state_->refuseStreams) return nullptr;
    state_->streams.push_back({});
    state_->streams.back().format = format;
    state_->queue.clear();
    state_->streamOpen = true;
    state_->note("open");
    return std::make_unique<FakeVoice>(state_);
}
