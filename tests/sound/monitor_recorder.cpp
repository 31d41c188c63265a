// SPDX-License-Identifier: MIT
#include "monitor_recorder.h"

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>
#include <cstdint>
#include <thread>

namespace soundtest {

using namespace std::chrono_literals;

namespace {

constexpr auto kReadyWithin = 5s;

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
        } else {
            pa_stream_unref(stream);
        }
    }
    pa_threaded_mainloop_unlock(loop_);
}

MonitorRecorder::~MonitorRecorder() {
    pa_threaded_mainloop_lock(loop_);
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
            recorder.samples_.push_back(
                data == nullptr ? 0.0f
                                : (static_cast<float>(frames[i]) + frames[i + 1]) / 65536.0f);
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
