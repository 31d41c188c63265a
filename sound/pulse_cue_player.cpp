// SPDX-License-Identifier: MIT
#include "sound/pulse_cue_player.h"

#include "sound/cue_file.h"

#include <pulse/channelmap.h>
#include <pulse/sample.h>
#include <pulse/simple.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <span>
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
constexpr auto followWithin = std::chrono::milliseconds(5);
// Opening a stream costs PipeWire tens of milliseconds, so an idle one is kept this long.
constexpr auto keepIdle = std::chrono::seconds(2);
// A cue lasts about a second; a longer file is played only this far.
constexpr std::size_t longestCueSeconds = 20;

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

} // namespace

struct PulseCuePlayer::Output {
    Stream stream;
    int rate;
    int channels;
    // Written but not yet drained: the server may hold its last part back.
    bool tailQueued = false;
};

PulseCuePlayer::PulseCuePlayer(Waiter& waiter, std::vector<std::filesystem::path> folders)
    : waiter_(waiter), folders_(std::move(folders)), servers_(localServers()),
      worker_([this] { run(); }) {}

PulseCuePlayer::~PulseCuePlayer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void PulseCuePlayer::play(std::string_view name, game::CueMode mode) {
    const bool sync = mode == game::CueMode::Sync;
    try {
        std::string owned(name);
        std::lock_guard lock(mutex_);
        if (syncInProgress_ || stopping_) {
            return;
        }
        ++generation_;
        pending_ = Job{std::move(owned), mode, generation_};
        syncInProgress_ = sync;
    } catch (...) {
        return; // out of memory: the cue is simply not heard
    }
    changed_.notify_all();
    if (!sync) {
        return;
    }
    waiter_.wait();
    std::lock_guard lock(mutex_);
    syncInProgress_ = false;
}

void PulseCuePlayer::run() {
    for (;;) {
        std::optional<Job> job;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
            if (!pending_) {
                return;
            }
            job.swap(pending_);
        }
        try {
            perform(*job);
        } catch (...) {
            // Nothing a cue does may reach the game; the waiting caller is released below.
        }
        if (job->mode == game::CueMode::Sync) {
            waiter_.wake();
        }
        try {
            rest(*job);
        } catch (...) {
            output_.reset();
        }
    }
}

void PulseCuePlayer::perform(const Job& job) {
    auto file = CueFile::open(folders_, job.name);
    if (!file || superseded(job)) {
        return;
    }
    if (output_ && (output_->rate != file->rate() || output_->channels != file->channels())) {
        int error = 0;
        pa_simple_drain(output_->stream.get(), &error); // the last cue's end, then a new format
        output_.reset();
    }
    const bool reused = output_ != nullptr;
    if (!output_) {
        if (Stream stream = connect(servers_, *file, job.name)) {
            output_ = std::make_unique<Output>(std::move(stream), file->rate(), file->channels());
        } else {
            return;
        }
    }
    const auto channels = static_cast<std::size_t>(file->channels());
    const auto rate = static_cast<std::size_t>(file->rate());
    const std::size_t chunkFrames = std::max<std::size_t>(1, rate * chunkUsec / 1'000'000);
    std::vector<float> chunk(chunkFrames * channels);
    std::size_t framesLeft = rate * longestCueSeconds;
    bool written = false;
    int error = 0;
    while (framesLeft > 0) {
        if (superseded(job)) {
            pa_simple_flush(output_->stream.get(), &error);
            output_->tailQueued = false;
            return;
        }
        const std::size_t want = std::min(chunkFrames, framesLeft);
        const std::size_t frames = file->read(std::span(chunk).first(want * channels));
        if (frames == 0) {
            break;
        }
        const std::size_t bytes = frames * channels * sizeof(float);
        if (pa_simple_write(output_->stream.get(), chunk.data(), bytes, &error) < 0) {
            output_.reset();
            // A kept stream may have outlived its server; a fresh one finds the server anew.
            if (!reused || written) {
                return;
            }
            Stream stream = connect(servers_, *file, job.name);
            if (!stream || pa_simple_write(stream.get(), chunk.data(), bytes, &error) < 0) {
                return;
            }
            output_ = std::make_unique<Output>(std::move(stream), file->rate(), file->channels());
        }
        written = true;
        framesLeft -= frames;
    }
    output_->tailQueued = written;
    // Until its hand-over the cue can still be cut off, so sleep through what the server holds
    // instead of blocking in the drain.
    const pa_usec_t queued = pa_simple_get_latency(output_->stream.get(), &error);
    if (queued == static_cast<pa_usec_t>(-1)) {
        output_.reset();
        return;
    }
    const pa_usec_t untilHandOver = queued > handOverUsec ? queued - handOverUsec : 0;
    if (sleepUnlessSuperseded(job, std::chrono::microseconds(untilHandOver))) {
        pa_simple_flush(output_->stream.get(), &error);
        output_->tailQueued = false;
    }
}

void PulseCuePlayer::rest(const Job& job) {
    if (!output_ || sleepUnlessSuperseded(job, followWithin)) {
        return;
    }
    int error = 0;
    if (output_->tailQueued) {
        output_->tailQueued = false;
        // PipeWire ends a drain by moving its read position a whole step on, past the end of
        // what was written, and would drop as much from the start of the next cue; a flush
        // brings the write position back in line.
        if (pa_simple_drain(output_->stream.get(), &error) < 0 ||
            pa_simple_flush(output_->stream.get(), &error) < 0) {
            output_.reset();
            return;
        }
    }
    if (!sleepUnlessSuperseded(job, keepIdle)) {
        output_.reset();
    }
}

bool PulseCuePlayer::supersededLocked(const Job& job) const {
    return stopping_ || generation_ != job.generation;
}

bool PulseCuePlayer::superseded(const Job& job) {
    std::lock_guard lock(mutex_);
    return supersededLocked(job);
}

bool PulseCuePlayer::sleepUnlessSuperseded(const Job& job, std::chrono::microseconds time) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, time, [&] { return supersededLocked(job); });
}

} // namespace sound
