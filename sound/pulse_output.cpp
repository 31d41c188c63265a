// SPDX-License-Identifier: MIT
#include "sound/pulse_output.h"

#include <pulse/context.h>
#include <pulse/proplist.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace sound {

namespace {

// Behind every cue, so that the server never holds back the cue's last samples waiting for a
// whole step of them, as pipewire-pulse does: longer than the longest step PipeWire takes by
// default, 2048 frames at 44.1 kHz. The stream is corked once half of it has been heard.
constexpr std::chrono::microseconds kTrailingSilence{100'000};

// A synchronous cue is over for its caller once the server has taken all of it and no more than
// this is left to be heard: a next cue then follows it at once, and a caller that goes on to
// show a box does so as the cue ends. One step of PipeWire's default graph, 1024 frames at
// 48 kHz.
constexpr std::int64_t kHandOverUsec = 21'000;

constexpr const char* kAppId = "io.github.zuvik.Zuvik";

struct ProplistDeleter {
    void operator()(pa_proplist* list) const { pa_proplist_free(list); }
};
using Proplist = std::unique_ptr<pa_proplist, ProplistDeleter>;

void release(pa_operation* operation) {
    if (operation != nullptr) {
        pa_operation_unref(operation);
    }
}

} // namespace

PulseOutput::PulseOutput(game::Waiter& waiter)
    : waiter_(waiter), loop_(pa_threaded_mainloop_new()) {
    if (loop_ == nullptr) {
        return;
    }
    pa_threaded_mainloop_set_name(loop_, "zuvik-sound");
    if (pa_threaded_mainloop_start(loop_) < 0) {
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }
}

PulseOutput::~PulseOutput() {
    if (loop_ == nullptr) {
        return;
    }
    pa_threaded_mainloop_lock(loop_);
    dropConnection();
    pa_threaded_mainloop_unlock(loop_);
    // The thread only ever waits in poll(), which the stop wakes: a server that does not answer
    // cannot hold it.
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
}

void PulseOutput::start(std::uint64_t id, std::optional<Cue> cue, std::string_view name) {
    if (loop_ == nullptr) {
        finish(id);
        return;
    }
    pa_threaded_mainloop_lock(loop_);
    // A synchronous cue the server has taken in full plays on; anything else is cut off.
    const bool cutOff = playing_ && !playing_->handedOver;
    if (cutOff) {
        finish(playing_->id);
    }
    if (!cue || stalled_ || !connect()) {
        if (cutOff) {
            playing_.reset();
            silence();
        }
        finish(id);
        pa_threaded_mainloop_unlock(loop_);
        return;
    }
    const std::size_t cueBytes = cue->samples.size() * sizeof(float);
    const auto silentFrames =
        static_cast<std::size_t>(cue->rate * kTrailingSilence.count() / 1'000'000);
    cue->samples.resize(cue->samples.size() +
                        silentFrames * static_cast<std::size_t>(cue->channels));
    playing_.emplace(Playing{id, std::move(*cue), cueBytes, cutOff});
    if (stream_ != nullptr) {
        Proplist props(pa_proplist_new());
        pa_proplist_sets(props.get(), PA_PROP_MEDIA_NAME, std::string(name).c_str());
        release(
            pa_stream_proplist_update(stream_, PA_UPDATE_REPLACE, props.get(), nullptr, nullptr));
    }
    begin();
    pa_threaded_mainloop_unlock(loop_);
}

void PulseOutput::giveUp(std::uint64_t id) {
    if (loop_ == nullptr) {
        return;
    }
    pa_threaded_mainloop_lock(loop_);
    if (!over(id)) {
        stalled_ = true;
        finish(id);
        playing_.reset();
        silence();
    }
    pa_threaded_mainloop_unlock(loop_);
}

void PulseOutput::stop() {
    if (loop_ == nullptr) {
        return;
    }
    pa_threaded_mainloop_lock(loop_);
    if (playing_) {
        finish(playing_->id);
        playing_.reset();
        silence();
    }
    pa_threaded_mainloop_unlock(loop_);
}

bool PulseOutput::connect() {
    if (context_ != nullptr && PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) {
        return true;
    }
    dropConnection();
    Proplist props(pa_proplist_new());
    pa_proplist_sets(props.get(), PA_PROP_APPLICATION_NAME, "Зувик");
    pa_proplist_sets(props.get(), PA_PROP_APPLICATION_ID, kAppId);
    pa_proplist_sets(props.get(), PA_PROP_APPLICATION_ICON_NAME, kAppId);
    context_ =
        pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), "Зувик", props.get());
    if (context_ == nullptr) {
        return false;
    }
    pa_context_set_state_callback(context_, onContextState, this);
    // Without a server the game plays silently: libpulse must not start a daemon of its own
    // and keep the cue waiting for its start-up.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        dropConnection();
        return false;
    }
    return true;
}

void PulseOutput::dropConnection() {
    dropStream();
    if (context_ == nullptr) {
        return;
    }
    if (tick_ != nullptr) {
        pa_threaded_mainloop_get_api(loop_)->time_free(tick_);
        tick_ = nullptr;
    }
    pa_context_set_state_callback(context_, nullptr, nullptr);
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
}

void PulseOutput::openStream() {
    const Cue& cue = playing_->cue;
    const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(cue.rate),
                                static_cast<std::uint8_t>(std::min(cue.channels, 255))};
    pa_channel_map map;
    if (cue.channels > static_cast<int>(PA_CHANNELS_MAX) || pa_sample_spec_valid(&format) == 0 ||
        pa_channel_map_init_extend(&map, format.channels, PA_CHANNEL_MAP_DEFAULT) == nullptr) {
        abandon();
        return;
    }
    Proplist props(pa_proplist_new());
    pa_proplist_sets(props.get(), PA_PROP_MEDIA_ROLE, "game");
    stream_ = pa_stream_new_with_proplist(context_, "Зувик", &format, &map, props.get());
    if (stream_ == nullptr) {
        abandon();
        return;
    }
    pa_stream_set_state_callback(stream_, onStreamState, this);
    pa_stream_set_write_callback(stream_, onWritable, this);
    // The server's own buffer sizes and latency: asking for less would make PipeWire run every
    // stream on the desktop in shorter steps, and a busy machine then misses some of them.
    if (pa_stream_connect_playback(stream_, nullptr, nullptr, PA_STREAM_START_CORKED, nullptr,
                                   nullptr) < 0) {
        dropStream();
        abandon();
    }
}

void PulseOutput::dropStream() {
    if (stream_ == nullptr) {
        return;
    }
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_set_write_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
    timingAsked_ = false;
}

void PulseOutput::abandon() {
    finish(playing_->id);
    playing_.reset();
}

// Starts the cue once the connection and a stream of its format are ready; called again by
// either when it becomes ready.
void PulseOutput::begin() {
    if (!playing_ || playing_->begun || pa_context_get_state(context_) != PA_CONTEXT_READY) {
        return;
    }
    if (stream_ != nullptr && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) {
        dropStream();
    }
    if (stream_ != nullptr && pa_stream_get_state(stream_) == PA_STREAM_READY) {
        const pa_sample_spec* format = pa_stream_get_sample_spec(stream_);
        if (format->rate != static_cast<std::uint32_t>(playing_->cue.rate) ||
            format->channels != playing_->cue.channels) {
            dropStream();
        }
    }
    if (stream_ == nullptr) {
        openStream();
        return;
    }
    if (pa_stream_get_state(stream_) != PA_STREAM_READY) {
        return;
    }
    playing_->begun = true;
    if (playing_->cutsOff) {
        release(pa_stream_flush(stream_, nullptr, nullptr));
    }
    writeMore();
    if (pa_stream_is_corked(stream_) == 1) {
        release(pa_stream_cork(stream_, 0, nullptr, nullptr));
    }
    // Once uncorked: PulseAudio keeps a corked stream waiting for a whole buffer whatever it was
    // told before.
    release(pa_stream_trigger(stream_, nullptr, nullptr));
    askTiming();
}

// Writes the whole cue at its start, past what the server asks for, up to all its buffer holds:
// a part left for a later write waits on this thread, which a busy machine can keep waiting
// until the server has run dry, and the player hears a hole. The server's requests, and so its
// step, stay as it sets them. Only a cue longer than the buffer is written as the server asks.
void PulseOutput::writeMore() {
    if (!playing_ || !playing_->begun) {
        return;
    }
    const std::size_t total = playing_->cue.samples.size() * sizeof(float);
    const std::size_t frameBytes = static_cast<std::size_t>(playing_->cue.channels) * sizeof(float);
    const std::size_t room = playing_->writtenBytes == 0
                                 ? pa_stream_get_buffer_attr(stream_)->maxlength
                                 : pa_stream_writable_size(stream_);
    if (room == static_cast<std::size_t>(-1)) {
        return;
    }
    const std::size_t bytes =
        std::min(total - playing_->writtenBytes, room) / frameBytes * frameBytes;
    if (bytes == 0) {
        return;
    }
    // The cue's start goes where the server reads now: right behind what it has already taken
    // of the cue before, which it plays to the end, and over the silence behind that.
    const pa_seek_mode_t seek =
        playing_->writtenBytes == 0 ? PA_SEEK_RELATIVE_ON_READ : PA_SEEK_RELATIVE;
    const auto* data = reinterpret_cast<const char*>(playing_->cue.samples.data());
    if (pa_stream_write(stream_, data + playing_->writtenBytes, bytes, nullptr, 0, seek) != 0) {
        return;
    }
    playing_->writtenBytes += bytes;
    // A stream that has run dry, or been flushed, waits for a whole buffer before it plays again,
    // and a cue's rest may be shorter than that: each part of a cue starts it at once.
    if (pa_stream_is_corked(stream_) == 0) {
        release(pa_stream_trigger(stream_, nullptr, nullptr));
    }
}

void PulseOutput::askTiming() {
    if (timingAsked_ || stream_ == nullptr) {
        return;
    }
    pa_operation* operation = pa_stream_update_timing_info(stream_, onTiming, this);
    timingAsked_ = operation != nullptr;
    release(operation);
}

// With fresh timing from the server: hands a synchronous cue over once the server has taken
// its last sample, corks the stream once the cue has been heard, and otherwise asks again when
// one of them is due.
void PulseOutput::heardSoFar() {
    if (!playing_ || !playing_->begun) {
        return;
    }
    const pa_timing_info* timing = pa_stream_get_timing_info(stream_);
    if (timing == nullptr || timing->write_index_corrupt != 0 || timing->read_index_corrupt != 0) {
        askTiming();
        return;
    }
    const Cue& cue = playing_->cue;
    const auto bytesPerSecond = static_cast<std::int64_t>(cue.rate) * cue.channels *
                                static_cast<std::int64_t>(sizeof(float));
    const auto written = static_cast<std::int64_t>(playing_->writtenBytes);
    // All that is queued is this cue and its silence: its first write was PA_SEEK_RELATIVE_ON_READ.
    const std::int64_t cueNotTaken = timing->write_index - timing->read_index -
                                     (written - static_cast<std::int64_t>(playing_->cueBytes));
    const std::int64_t untilTaken = cueNotTaken * 1'000'000 / bytesPerSecond;
    const std::int64_t untilHeard = untilTaken + static_cast<std::int64_t>(timing->sink_usec);
    if (untilTaken <= 0 && untilHeard <= kHandOverUsec && !playing_->handedOver) {
        playing_->handedOver = true;
        finish(playing_->id);
    }
    const std::int64_t untilCork = untilHeard + kTrailingSilence.count() / 2;
    if (untilCork <= 0) {
        playing_.reset();
        silence();
        return;
    }
    const std::int64_t wait =
        playing_->handedOver ? untilCork : std::max(untilTaken, untilHeard - kHandOverUsec);
    const pa_usec_t due = pa_rtclock_now() + static_cast<pa_usec_t>(wait);
    if (tick_ == nullptr) {
        tick_ = pa_context_rttime_new(
            context_, due,
            [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
                static_cast<PulseOutput*>(self)->askTiming();
            },
            this);
    } else {
        pa_context_rttime_restart(context_, tick_, due);
    }
}

// Stops the stream at once and drops whatever it holds.
void PulseOutput::silence() {
    if (stream_ != nullptr && pa_stream_get_state(stream_) == PA_STREAM_READY) {
        release(pa_stream_cork(stream_, 1, nullptr, nullptr));
        release(pa_stream_flush(stream_, nullptr, nullptr));
    }
}

void PulseOutput::finish(std::uint64_t id) {
    // Load, compare, store: safe as every caller holds the loop's lock, or there is no loop.
    if (over_.load() < id) {
        over_.store(id);
    }
    waiter_.notify();
}

void PulseOutput::onContextState(pa_context* context, void* self) {
    auto& output = *static_cast<PulseOutput*>(self);
    output.stalled_ = false;
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_READY) {
        output.begin();
    } else if (!PA_CONTEXT_IS_GOOD(state) && output.playing_) {
        output.abandon();
    }
}

void PulseOutput::onStreamState(pa_stream* stream, void* self) {
    auto& output = *static_cast<PulseOutput*>(self);
    output.stalled_ = false;
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (state == PA_STREAM_READY) {
        output.begin();
    } else if (!PA_STREAM_IS_GOOD(state) && output.playing_) {
        output.abandon();
    }
}

void PulseOutput::onWritable(pa_stream*, std::size_t, void* self) {
    static_cast<PulseOutput*>(self)->writeMore();
}

void PulseOutput::onTiming(pa_stream* stream, int success, void* self) {
    auto& output = *static_cast<PulseOutput*>(self);
    output.stalled_ = false;
    // A reply for a stream dropped for a new format is nothing to the stream now playing, which
    // may have a request of its own in flight. The request keeps its stream alive until it is
    // answered, so the stream now playing cannot have the dropped one's address.
    if (stream != output.stream_) {
        return;
    }
    output.timingAsked_ = false;
    if (success != 0) {
        output.heardSoFar();
    }
}

} // namespace sound
