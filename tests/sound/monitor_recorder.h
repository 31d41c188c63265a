// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

namespace soundtest {

// Records the monitor of the sink "zuviktest" at 44.1 kHz for as long as it lives, and keeps the
// server's word on when each sample was played. What is played there goes to both channels; the
// recorder plays a steady tone of its own on the right channel alone, all along: a reference that
// goes through the server beside the game's stream. A step of the graph that the server missed
// silences both; a stream of the game's that ran dry silences the left channel alone. Unlike the
// server's log, the tone misses no step.
class MonitorRecorder {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int rate = 44100;

    // fragment: what the recorder asks the server to deliver at a time. On PipeWire a short one
    // would make the whole graph, the player's stream included, run in short steps; PulseAudio's
    // null sink plays in blocks as long as its monitor asks for, and keeps time as a sound card
    // does only with short ones.
    MonitorRecorder(const std::string& server, std::chrono::milliseconds fragment);
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    [[nodiscard]] bool recording() const { return stream_ != nullptr && tone_ != nullptr; }
    // Samples captured so far.
    [[nodiscard]] std::size_t position() const;
    // What was played, without the reference tone: the left channel.
    [[nodiscard]] std::vector<float> between(std::size_t from, std::size_t to) const;
    // Whether the reference tone was silent too over most of [from, to).
    [[nodiscard]] bool referenceSilent(std::size_t from, std::size_t to) const;
    // Every stretch of at least `shortest` samples in which the reference tone fell silent, from
    // its first sample on: each is a step the server missed (or the recorder's own thread held
    // for longer than the tone has queued, 400 ms).
    struct Gap {
        std::size_t at;
        std::size_t length;
    };
    [[nodiscard]] std::vector<Gap> referenceGaps(std::size_t shortest) const;
    // When the sample at index was heard, by the monitor's timing around it: the median of the
    // server's readings, so that one taken late on a busy machine does not count.
    [[nodiscard]] Clock::time_point heardAt(std::size_t index) const;
    // Waits until everything played up to now has been recorded.
    void settle() const;

private:
    // Sample 0 was heard at time, going by the server's report when sample `at` arrived.
    struct Base {
        Clock::time_point time;
        std::size_t at;
    };
    static void onReadable(pa_stream* stream, std::size_t bytes, void* self);
    static void onToneWanted(pa_stream* stream, std::size_t bytes, void* self);
    void startTone();

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    mutable std::mutex mutex_;
    pa_stream* tone_ = nullptr;
    std::uint64_t toneFrames_ = 0; // under the loop's lock
    std::vector<float> samples_;
    std::vector<float> reference_; // the right channel
    std::vector<Base> bases_;
    bool timingAsked_ = false; // under the loop's lock
};

} // namespace soundtest
