// SPDX-License-Identifier: MIT
#include "monitor_recorder.h"

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <thread>

namespace soundtest {

using namespace std::chrono_literals;

namespace {

constexpr auto kReadyWithin = 5s;
// The reference tone: loud enough that no sample of it but a rare zero crossing is silent, and
// far more queued than a busy machine can keep the recorder's thread from topping it up.
constexpr double kToneHz = 330.0;
constexpr float kToneLevel = 0.25f;
constexpr std::uint64_t kToneQueuedUsec = 400'000;
// A sample quieter than this is digital silence (16-bit samples of 0 to ±3).
constexpr float kSilent = 1e-4f;

// Waits, with the loop locked, until ready() holds or failed() does or time is up.
template <typename Ready, typename Failed>
bool waitFor(pa_threaded_mainloop* loop, Ready ready, Failed failed) {
    const auto deadline = MonitorRecorder::Clock::now() + kReadyWithin;
    while (!ready()) {
        if (failed() || MonitorRecorder::Clock::now() > deadline) {
            return false;
        }
        pa_threaded_mainloop_unlock(loop);
        std::this_thread::sleep_for(2ms);
        pa_threaded_mainloop_lock(loop);
    }
    return true;
}

} // namespace

MonitorRecorder::MonitorRecorder(const std::string& server, std::chrono::milliseconds fragment)
    : loop_(pa_threaded_mainloop_new()) {
    pa_threaded_mainloop_set_name(loop_, "monitor");
    pa_threaded_mainloop_start(loop_);
    pa_threaded_mainloop_lock(loop_);
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "zuvik-sound-test");
    pa_context_connect(context_, server.c_str(), PA_CONTEXT_NOAUTOSPAWN, nullptr);
    const bool connected = waitFor(
        loop_, [this] { return pa_context_get_state(context_) == PA_CONTEXT_READY; },
        [this] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)); });
    if (connected) {
        const pa_sample_spec format{PA_SAMPLE_S16LE, rate, 2};
        pa_stream* stream = pa_stream_new(context_, "monitor", &format, nullptr);
        const auto serverDefault = static_cast<std::uint32_t>(-1);
        const auto fragmentBytes = static_cast<std::uint32_t>(
            pa_usec_to_bytes(static_cast<pa_usec_t>(fragment.count()) * 1000, &format));
        const pa_buffer_attr attr{serverDefault, serverDefault, serverDefault, serverDefault,
                                  fragmentBytes};
        pa_stream_set_read_callback(stream, onReadable, this);
        const auto flags = static_cast<pa_stream_flags_t>(
            PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
        pa_stream_connect_record(stream, "zuviktest.monitor", &attr, flags);
        if (waitFor(
                loop_, [&] { return pa_stream_get_state(stream) == PA_STREAM_READY; },
                [&] { return !PA_STREAM_IS_GOOD(pa_stream_get_state(stream)); })) {
            stream_ = stream;
            startTone();
        } else {
            pa_stream_unref(stream);
        }
    }
    pa_threaded_mainloop_unlock(loop_);
}

void MonitorRecorder::startTone() {
    // Stereo, so that no server spreads it over the left channel too.
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, rate, 2};
    pa_stream* tone = pa_stream_new(context_, "reference", &format, nullptr);
    const auto serverDefault = static_cast<std::uint32_t>(-1);
    const auto queued = static_cast<std::uint32_t>(pa_usec_to_bytes(kToneQueuedUsec, &format));
    const pa_buffer_attr attr{serverDefault, queued, serverDefault, serverDefault, serverDefault};
    pa_stream_set_write_callback(tone, onToneWanted, this);
    pa_stream_connect_playback(tone, "zuviktest", &attr, PA_STREAM_NOFLAGS, nullptr, nullptr);
    if (waitFor(
            loop_, [&] { return pa_stream_get_state(tone) == PA_STREAM_READY; },
            [&] { return !PA_STREAM_IS_GOOD(pa_stream_get_state(tone)); })) {
        tone_ = tone;
    } else {
        pa_stream_set_write_callback(tone, nullptr, nullptr);
        pa_stream_unref(tone);
    }
}

void MonitorRecorder::onToneWanted(pa_stream* stream, std::size_t bytes, void* self) {
    auto& recorder = *static_cast<MonitorRecorder*>(self);
    std::vector<float> frames(bytes / (2 * sizeof(float)) * 2, 0.0f);
    for (std::size_t i = 1; i < frames.size(); i += 2, ++recorder.toneFrames_) {
        const double phase = static_cast<double>(recorder.toneFrames_ % rate) * kToneHz / rate;
        frames[i] = kToneLevel * static_cast<float>(std::sin(2.0 * std::numbers::pi * phase));
    }
    pa_stream_write(stream, frames.data(), frames.size() * sizeof(float), nullptr, 0,
                    PA_SEEK_RELATIVE);
}

MonitorRecorder::~MonitorRecorder() {
    pa_threaded_mainloop_lock(loop_);
    if (tone_ != nullptr) {
        pa_stream_set_write_callback(tone_, nullptr, nullptr);
        pa_stream_disconnect(tone_);
        pa_stream_unref(tone_);
    }
    if (stream_ != nullptr) {
        pa_stream_set_read_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    pa_threaded_mainloop_unlock(loop_);
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

void MonitorRecorder::onReadable(pa_stream* stream, std::size_t, void* self) {
    auto& recorder = *static_cast<MonitorRecorder*>(self);
    // The record latency is how long ago the server captured the next sample to be read: the
    // monitor captures what the sink plays as it plays it.
    pa_usec_t latency = 0;
    int negative = 0;
    const bool timed = pa_stream_get_latency(stream, &latency, &negative) == 0 && negative == 0;
    const Clock::time_point nextHeard = Clock::now() - std::chrono::microseconds(latency);
    // libpulse asks for the server's timing less and less often; it is asked here for the next
    // fragment, so that each reading is at most a fragment old.
    if (!recorder.timingAsked_) {
        if (pa_operation* asked = pa_stream_update_timing_info(
                stream,
                [](pa_stream*, int, void* self) {
                    static_cast<MonitorRecorder*>(self)->timingAsked_ = false;
                },
                self)) {
            recorder.timingAsked_ = true;
            pa_operation_unref(asked);
        }
    }
    const std::lock_guard lock(recorder.mutex_);
    if (timed) {
        const std::size_t at = recorder.samples_.size();
        recorder.bases_.push_back(
            {nextHeard - std::chrono::microseconds(at * 1'000'000 / rate), at});
    }
    const void* data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
        const auto* frames = static_cast<const std::int16_t*>(data);
        for (std::size_t i = 0; i + 1 < bytes / sizeof(std::int16_t); i += 2) {
            // A hole the server reports (no data) is recorded as the silence it was.
            recorder.samples_.push_back(data == nullptr ? 0.0f : frames[i] / 32768.0f);
            recorder.reference_.push_back(data == nullptr ? 0.0f : frames[i + 1] / 32768.0f);
        }
        pa_stream_drop(stream);
    }
}

std::size_t MonitorRecorder::position() const {
    const std::lock_guard lock(mutex_);
    return samples_.size();
}

std::vector<float> MonitorRecorder::between(std::size_t from, std::size_t to) const {
    const std::lock_guard lock(mutex_);
    to = std::min(to, samples_.size());
    from = std::min(from, to);
    return {samples_.begin() + static_cast<std::ptrdiff_t>(from),
            samples_.begin() + static_cast<std::ptrdiff_t>(to)};
}

bool MonitorRecorder::referenceSilent(std::size_t from, std::size_t to) const {
    const std::lock_guard lock(mutex_);
    to = std::min(to, reference_.size());
    if (from >= to) {
        return false;
    }
    const auto silent = std::count_if(reference_.begin() + static_cast<std::ptrdiff_t>(from),
                                      reference_.begin() + static_cast<std::ptrdiff_t>(to),
                                      [](float sample) { return std::abs(sample) < kSilent; });
    // A missed step silences both streams for the same samples; a hole of the game's own that
    // merely borders on one is not the server's.
    return static_cast<std::size_t>(silent) * 4 >= (to - from) * 3;
}

std::vector<MonitorRecorder::Gap> MonitorRecorder::referenceGaps(std::size_t shortest) const {
    const std::lock_guard lock(mutex_);
    std::vector<Gap> gaps;
    const auto first = std::find_if(reference_.begin(), reference_.end(),
                                    [](float sample) { return std::abs(sample) >= kSilent; });
    std::size_t run = 0;
    for (auto i = static_cast<std::size_t>(first - reference_.begin()); i <= reference_.size();
         ++i) {
        if (i < reference_.size() && std::abs(reference_[i]) < kSilent) {
            ++run;
            continue;
        }
        // The silence at the very end may be a step still on its way.
        if (run >= shortest && i < reference_.size()) {
            gaps.push_back({i - run, run});
        }
        run = 0;
    }
    return gaps;
}

MonitorRecorder::Clock::time_point MonitorRecorder::heardAt(std::size_t index) const {
    const std::lock_guard lock(mutex_);
    constexpr std::size_t around = 2 * rate;
    std::vector<Clock::time_point> near;
    for (const Base& base : bases_) {
        if (base.at + around >= index && base.at <= index + around) {
            near.push_back(base.time);
        }
    }
    if (near.empty()) {
        return {};
    }
    std::nth_element(near.begin(), near.begin() + static_cast<std::ptrdiff_t>(near.size() / 2),
                     near.end());
    return near[near.size() / 2] + std::chrono::microseconds(index * 1'000'000 / rate);
}

void MonitorRecorder::settle() const {
    const std::size_t from = position();
    const auto deadline = Clock::now() + 1s;
    // What the sink played up to now arrives within a step or two of the server's.
    std::this_thread::sleep_for(100ms);
    while (position() == from && Clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
}

} // namespace soundtest
