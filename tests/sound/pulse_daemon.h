// SPDX-License-Identifier: MIT
#pragma once

#include "test_audio.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

struct pa_simple;

namespace soundtest {

// A private PulseAudio daemon with one null sink, "zuviktest", listening on a socket in its own
// temporary folder. It dies with the test process and is always killed at the end.
class PulseDaemon {
public:
    // The daemon's path, or nothing when PulseAudio is not installed.
    [[nodiscard]] static std::optional<std::filesystem::path> executable();

    // Starts the daemon and waits until it accepts a stream; failed() tells why it did not.
    explicit PulseDaemon(const std::filesystem::path& daemon);
    ~PulseDaemon();
    PulseDaemon(const PulseDaemon&) = delete;
    PulseDaemon& operator=(const PulseDaemon&) = delete;

    [[nodiscard]] const std::string& failed() const { return failure_; }
    // "unix:<socket>", as PULSE_SERVER takes it.
    [[nodiscard]] std::string address() const { return "unix:" + socket_.string(); }
    // What XDG_RUNTIME_DIR would be for a session whose server this is.
    [[nodiscard]] std::filesystem::path runtimeDir() const { return dir_ / "runtime"; }
    void kill();
    // SIGSTOP and SIGCONT: a server that stops answering without going away.
    void freeze();
    void thaw();

private:
    TempDir dir_;
    std::filesystem::path socket_;
    pid_t pid_ = -1;
    std::string failure_;
};

// A stream of silence into the sink for as long as it lives: an idle null sink otherwise runs
// with a latency of seconds and timings drift.
class SilentStream {
public:
    explicit SilentStream(const std::string& server);
    ~SilentStream();
    SilentStream(const SilentStream&) = delete;
    SilentStream& operator=(const SilentStream&) = delete;

    // Waits until the sink takes the silence at the stream's own pace. A fresh null sink first
    // sleeps through one idle block of about 2 s, during which nothing plays at all.
    [[nodiscard]] bool waitUntilFlowing(std::chrono::milliseconds timeout) const;

private:
    pa_simple* stream_;
    std::atomic<bool> stop_{false};
    std::atomic<int> writes_{0};
    std::thread thread_;
};

// Records the sink's monitor as 44.1 kHz mono for as long as it lives.
class MonitorRecorder {
public:
    static constexpr int rate = 44100;

    explicit MonitorRecorder(const std::string& server);
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    [[nodiscard]] bool recording() const { return stream_ != nullptr; }
    // Samples captured so far.
    [[nodiscard]] std::size_t position() const;
    [[nodiscard]] std::vector<float> between(std::size_t from, std::size_t to) const;
    // Lets the monitor catch up with what was played up to now.
    static void settle();

private:
    pa_simple* stream_;
    mutable std::mutex mutex_;
    std::vector<float> samples_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The stretch between the first and the last sample louder than threshold, in seconds.
[[nodiscard]] double audibleSeconds(const std::vector<float>& samples, int rate,
                                    double threshold = 0.02);

} // namespace soundtest
