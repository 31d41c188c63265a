// SPDX-License-Identifier: MIT
#pragma once

#include "game/waiter.h"
#include "sound/cue_file.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;
struct pa_time_event;

namespace sound {

// The way to the sound server: one connection, run by libpulse on a thread of its own, and on it
// one stream that plays a cue at a time. Everything here but over() holds libpulse's lock, which
// the server cannot keep: nothing waits on the server with it held.
//
// A cue goes to the server whole as it starts, with a stretch of silence behind it, and the
// server plays it at its own pace and in its own steps; the server's timing reports say
// when it has taken the cue and when it has played it. Between cues the stream is kept, corked, so
// that the next cue does not pay for a new one (PipeWire takes tens of milliseconds to set one up).
class PulseOutput {
public:
    // waiter is told whenever a cue is over; it must outlive the output.
    explicit PulseOutput(game::Waiter& waiter);
    // Cuts off whatever plays; bounded whatever the server does.
    ~PulseOutput();
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // Starts cue `id`, which is greater than every id before it, cutting off the cue before
    // unless that is one the server has taken whole. No cue (a file that cannot be played)
    // still cuts off the one before.
    void start(std::uint64_t id, std::optional<Cue> cue, std::string_view name);
    // True once cue `id` is over for its caller: the server has taken the whole of it to play, so
    // that a next cue follows it without a gap and without cutting into it; or it was cut off,
    // or could not be played. Safe from any thread.
    [[nodiscard]] bool over(std::uint64_t id) const { return over_.load() >= id; }
    // The synchronous cue `id` took longer than it can: the server has stopped answering. Cues
    // are dropped at once until it answers again.
    void giveUp(std::uint64_t id);
    // Cuts off whatever plays at once, also a cue the server has taken whole, which is then over.
    void stop();

private:
    struct Playing {
        std::uint64_t id;
        Cue cue;              // the trailing silence included
        std::size_t cueBytes; // of the cue itself
        bool cutsOff;         // the cue before still plays and goes first
        bool begun = false;
        std::size_t writtenBytes = 0;
        bool handedOver = false; // the server has taken all of the cue itself
    };

    [[nodiscard]] bool connect();
    void openStream();
    void dropConnection();
    void dropStream();
    void abandon();
    void begin();
    void writeMore();
    void askTiming();
    void heardSoFar();
    void silence();
    void finish(std::uint64_t id);

    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWritable(pa_stream* stream, std::size_t bytes, void* self);
    static void onTiming(pa_stream* stream, int success, void* self);

    game::Waiter& waiter_;
    pa_threaded_mainloop* loop_ = nullptr; // null when libpulse could not start its thread
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_time_event* tick_ = nullptr; // on context_, to ask for the timing again
    std::optional<Playing> playing_;
    bool timingAsked_ = false;
    bool stalled_ = false; // a cue was given up, and the server has not answered since
    std::atomic<std::uint64_t> over_{0};
};

} // namespace sound
