// SPDX-License-Identifier: MIT
#include "sound/pulse_cue_player.h"

#include "sound/cue_file.h"

#include <pulse/channelmap.h>
#include <pulse/sample.h>
#include <pulse/simple.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace sound {

namespace {

// Audio goes out in chunks this long; between two chunks the worker notices a newer cue, so
// this bounds how late a cut-off comes.
constexpr pa_usec_t chunkUsec = 10'000;
// What the server keeps queued ahead of the speaker: short, so a cut-off is heard at once,
// long enough that a busy machine does not starve the stream.
constexpr pa_usec_t queueUsec = 120'000;
// How much room the queue must have before the server asks for more. PipeWire asks its graph
// for half of what the queue exceeds twice this by, 10 ms here, and runs the whole graph in
// steps of the shortest latency any stream asks for. It holds back a cue's last part shorter
// than one step until more comes or the stream is drained, so the step is kept short.
constexpr pa_usec_t requestUsec = 50'000;
// A cue is over for its caller this long before its last sample is heard. A next cue played at
// once then joins the queue before it runs dry and follows without a gap; it must exceed one
// PipeWire step and the server's own delay behind the queue.
constexpr pa_usec_t handOverUsec = 15'000;
// How long after a cue's hand-over a next cue counts as following at once; after that the
// stream is drained so that its last part is heard now.
constexpr std::chrono::milliseconds followWithin{5};
// Opening a stream costs PipeWire tens of milliseconds, so an idle one is kept this long.
constexpr std::chrono::seconds keepIdle{2};
// What pa_simple_get_latency() answers for a stream whose server has gone.
constexpr auto noLatency = static_cast<pa_usec_t>(-1);
// A cue lasts about a second; a longer file is played only this far.
constexpr std::chrono::seconds longestCue{20};

struct StreamCloser {
    void operator()(pa_simple* stream) const { pa_simple_free(stream); }
};
using Stream = std::unique_ptr<pa_simple, StreamCloser>;

// Left to itself, libpulse may start a sound server of its own (autospawn) when none answers,
// and the cue would wait for that daemon's start-up. Naming the servers turns autospawn off.
// PULSE_SERVER, when set, already turns it off and is best understood by libpulse itself.
std::string localServers() {
    if (const char* server = std::getenv("PULSE_SERVER"); server != nullptr && *server != '\0') {
        return {};
    }
    std::string sessionSocket;
    if (const char* runtime = std::getenv("PULSE_RUNTIME_PATH"); runtime && *runtime) {
        sessionSocket = std::string(runtime) + "/native";
    } else if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && *xdg) {
        sessionSocket = std::string(xdg) + "/pulse/native";
    }
    std::string servers;
    // libpulse splits the list at blanks, so a socket path with one cannot be named.
    if (!sessionSocket.empty() && sessionSocket.find_first_of(" \t\n") == std::string::npos) {
        servers = "unix:" + sessionSocket + " ";
    }
    return servers + "unix:/var/run/pulse/native";
}

Stream connect(const std::string& servers, const CueFile& file, const std::string& name) {
    if (file.channels() > static_cast<int>(PA_CHANNELS_MAX)) {
        return {};
    }
    const pa_sample_spec sampleFormat{PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(file.rate()),
                                      static_cast<std::uint8_t>(file.channels())};
    if (pa_sample_spec_valid(&sampleFormat) == 0) {
        return {};
    }
    pa_channel_map map;
    pa_channel_map_init_extend(&map, sampleFormat.channels, PA_CHANNEL_MAP_DEFAULT);
    const std::uint32_t serverDefault = static_cast<std::uint32_t>(-1);
    const auto bytes = [&](pa_usec_t usec) {
        return static_cast<std::uint32_t>(pa_usec_to_bytes(usec, &sampleFormat));
    };
    // Playback starts with the first chunk rather than a full queue: the stream is reused, and
    // a cue shorter than the queue would otherwise wait for a drain to start.
    const pa_buffer_attr attr{serverDefault, bytes(queueUsec), bytes(chunkUsec), bytes(requestUsec),
                              serverDefault};
    int error = 0;
    return Stream(pa_simple_new(servers.empty() ? nullptr : servers.c_str(), "Зувик",
                                PA_STREAM_PLAYBACK, nullptr, name.c_str(), &sampleFormat, &map,
                                &attr, &error));
}

struct Job {
    CueFile file;
    std::string name;
    game::CueMode mode;
    std::uint64_t id;
};

// The last cue's stream, kept open for the next cue; only the worker touches it.
struct Output {
    Stream stream;
    int rate;
    int channels;
    // Written but not yet drained: the server may hold its last part back.
    bool tailQueued = false;
};

} // namespace

struct WorkerState {
    explicit WorkerState(std::string servers) : servers(std::move(servers)) {}

    // True once a newer cue or the player's end has cut the job off.
    [[nodiscard]] bool cutOff(const Job& job) {
        const std::lock_guard lock(mutex);
        return stopping || latest != job.id;
    }
    // Sleeps up to the given time, or less when the job is cut off; true if it was.
    [[nodiscard]] bool sleepUnlessCutOff(const Job& job, std::chrono::microseconds time) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, time, [&] { return stopping || latest != job.id; });
    }

    const std::string servers; // empty: leave the choice to libpulse (PULSE_SERVER is set)
    std::mutex mutex;
    std::condition_variable changed;
    // All below guarded by mutex.
    std::optional<Job> pending;
    std::uint64_t latest = 0;       // the newest cue's id; ids only grow
    std::uint64_t performing = 0;   // the cue the worker is in, 0 when idle
    std::uint64_t finished = 0;     // the last cue the worker is done with
    game::Waiter* waiter = nullptr; // told of every finished cue; null once the player is gone
    bool stopping = false;
    bool exited = false;
};

namespace {

void perform(WorkerState& shared, Job& job, std::optional<Output>& output);
void rest(WorkerState& shared, const Job& job, std::optional<Output>& output);

// The worker keeps its own share of the state: left behind on a server that does not answer,
// it must find everything it touches still there whenever it comes back.
void work(const std::shared_ptr<WorkerState>& shared) {
    std::optional<Output> output;
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->stopping || shared->pending; });
        if (shared->stopping) {
            break;
        }
        Job job = std::move(*shared->pending);
        shared->pending.reset();
        shared->performing = job.id;
        lock.unlock();
        // Nothing a cue does may reach the game; a stream that failed is not kept.
        const auto quietly = [&output](auto step) {
            try {
                step();
            } catch (...) {
                output.reset();
            }
        };
        quietly([&] { perform(*shared, job, output); });
        lock.lock();
        shared->finished = job.id;
        // Under the lock, so that the player's end, which clears it, cannot come in between.
        if (shared->waiter != nullptr) {
            shared->waiter->notify();
        }
        lock.unlock();
        quietly([&] { rest(*shared, job, output); });
        lock.lock();
        shared->performing = 0;
    }
    shared->exited = true;
    shared->changed.notify_all();
}

// Plays the cue up to its hand-over, into the stream the last cue left open when the format is
// the same, else into a new one.
void perform(WorkerState& shared, Job& job, std::optional<Output>& output) {
    CueFile& file = job.file;
    if (shared.cutOff(job)) {
        return;
    }
    int error = 0;
    if (output && (output->rate != file.rate() || output->channels != file.channels())) {
        pa_simple_drain(output->stream.get(), &error); // the last cue's end, then a new format
        output.reset();
    }
    // A kept stream may have outlived its server: a fresh one finds the server anew, or none.
    if (output && pa_simple_get_latency(output->stream.get(), &error) == noLatency) {
        output.reset();
    }
    if (!output) {
        Stream stream = connect(shared.servers, file, job.name);
        if (!stream) {
            return;
        }
        output.emplace(Output{std::move(stream), file.rate(), file.channels()});
    }
    const auto channels = static_cast<std::size_t>(file.channels());
    const auto rate = static_cast<std::size_t>(file.rate());
    const std::size_t chunkFrames = std::max<std::size_t>(1, rate * chunkUsec / 1'000'000);
    std::vector<float> chunk(chunkFrames * channels);
    std::size_t framesLeft = rate * static_cast<std::size_t>(longestCue.count());
    while (framesLeft > 0) {
        if (shared.cutOff(job)) {
            pa_simple_flush(output->stream.get(), &error);
            output->tailQueued = false;
            return;
        }
        const std::size_t want = std::min(chunkFrames, framesLeft);
        const std::size_t frames = file.read(std::span(chunk).first(want * channels));
        if (frames == 0) {
            break;
        }
        if (pa_simple_write(output->stream.get(), chunk.data(), frames * channels * sizeof(float),
                            &error) < 0) {
            output.reset();
            return;
        }
        output->tailQueued = true;
        framesLeft -= frames;
    }
    // Until its hand-over the cue can still be cut off, so sleep through what the server holds
    // instead of blocking in the drain.
    const pa_usec_t queued = pa_simple_get_latency(output->stream.get(), &error);
    if (queued == noLatency) {
        output.reset();
        return;
    }
    const pa_usec_t untilHandOver = queued > handOverUsec ? queued - handOverUsec : 0;
    if (shared.sleepUnlessCutOff(job, std::chrono::microseconds(untilHandOver))) {
        pa_simple_flush(output->stream.get(), &error);
        output->tailQueued = false;
    }
}

// Once the cue's caller has been let go: lets the stream's last samples play out unless a newer
// cue follows at once, and closes a stream that then stays idle.
void rest(WorkerState& shared, const Job& job, std::optional<Output>& output) {
    if (!output || shared.sleepUnlessCutOff(job, followWithin)) {
        return;
    }
    int error = 0;
    if (output->tailQueued) {
        output->tailQueued = false;
        // PipeWire ends a drain by moving its read position a whole step on, past the end of
        // what was written, and would drop as much from the start of the next cue; a flush
        // brings the write position back in line.
        if (pa_simple_drain(output->stream.get(), &error) < 0 ||
            pa_simple_flush(output->stream.get(), &error) < 0) {
            output.reset();
            return;
        }
    }
    if (!shared.sleepUnlessCutOff(job, keepIdle)) {
        output.reset();
    }
}

} // namespace

PulseCuePlayer::PulseCuePlayer(game::Waiter& waiter, std::vector<std::filesystem::path> folders)
    : waiter_(waiter), folders_(std::move(folders)),
      shared_(std::make_shared<WorkerState>(localServers())) {
    shared_->waiter = &waiter_;
    worker_ = std::thread(work, shared_);
}

PulseCuePlayer::~PulseCuePlayer() {
    std::unique_lock lock(shared_->mutex);
    shared_->stopping = true;
    shared_->waiter = nullptr;
    shared_->changed.notify_all();
    // A worker in a cue notices between two chunks of it; one held by a server that does not
    // answer is left to come back in its own time.
    if (shared_->changed.wait_for(lock, kShutdownBound, [this] { return shared_->exited; })) {
        lock.unlock();
        worker_.join();
    } else {
        worker_.detach();
    }
}

void PulseCuePlayer::play(std::string_view name, game::CueMode mode) {
    if (waiting_) {
        return;
    }
    std::uint64_t id = 0;
    std::chrono::microseconds length{};
    try {
        std::optional<CueFile> file = CueFile::open(folders_, name);
        const std::lock_guard lock(shared_->mutex);
        // Even a cue that cannot be played cuts off the one before it.
        id = ++shared_->latest;
        shared_->changed.notify_all();
        if (abandoned_ != 0 && shared_->performing == abandoned_) {
            return; // the server still holds the worker: nothing could be heard
        }
        abandoned_ = 0;
        if (!file) {
            return;
        }
        length = std::min(file->length(), std::chrono::microseconds(longestCue));
        shared_->pending = Job{std::move(*file), std::string(name), mode, id};
    } catch (...) {
        return; // out of memory: the cue is simply not heard
    }
    if (mode == game::CueMode::Sync) {
        awaitEnd(id, length + kSyncMargin);
    }
}

void PulseCuePlayer::awaitEnd(std::uint64_t id, std::chrono::microseconds bound) {
    waiting_ = true;
    const auto ended = [this, id] {
        const std::lock_guard lock(shared_->mutex);
        return shared_->finished >= id;
    };
    waiter_.waitUntil(ended, game::Waiter::Clock::now() + bound);
    waiting_ = false;
    const std::lock_guard lock(shared_->mutex);
    if (shared_->finished >= id) {
        return;
    }
    // The server has had the cue's whole length and more: the game goes on as if it had ended.
    shared_->pending.reset(); // not begun yet: it never will be
    ++shared_->latest;        // begun: cut off as soon as the server lets go of the worker
    shared_->changed.notify_all();
    abandoned_ = shared_->performing;
}

} // namespace sound
