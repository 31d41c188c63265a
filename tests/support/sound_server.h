// SPDX-License-Identifier: MIT
#pragma once

#include "temp_dir.h"

#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>
#include <sys/types.h>
#include <vector>

namespace soundtest {

// The servers the game meets on a desktop. Both speak the PulseAudio protocol; PipeWire does so
// through its pipewire-pulse daemon.
enum class ServerKind { PulseAudio, PipeWire };
[[nodiscard]] const char* nameOf(ServerKind kind);
inline void PrintTo(ServerKind kind, std::ostream* out) {
    *out << nameOf(kind);
}

// What a PipeWire server logged going wrong as it played. The game's stream ran dry: the player
// had not written in time. Or a step of the graph was not finished in time: the server's own
// doing, whatever its clients wrote. PulseAudio logs neither without logging every block.
struct Mishap {
    enum class Kind { RanDry, MissedStep };
    Kind kind;
    std::chrono::steady_clock::time_point at;
};

// A private sound server with one null sink, "zuviktest", reached through a socket in its own
// temporary folder, with its own home, runtime folder and, where one is needed, session bus.
// Every process it starts dies with the test process and is always killed, by its id, at the end.
class SoundServer {
public:
    // Empty when the server's programs are installed, otherwise what to install.
    [[nodiscard]] static std::string missing(ServerKind kind);

    // Starts the server and waits until it accepts a stream; failed() tells why it did not.
    explicit SoundServer(ServerKind kind);
    ~SoundServer();
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    [[nodiscard]] const std::string& failed() const { return failure_; }
    // "unix:<socket>", as PULSE_SERVER takes it.
    [[nodiscard]] std::string address() const { return "unix:" + socket().string(); }
    // What XDG_RUNTIME_DIR would be for a session whose server this is.
    [[nodiscard]] std::filesystem::path runtimeDir() const { return dir_ / "runtime"; }
    // What `pactl list sink-inputs` says of the streams playing, or of those of one application
    // alone: the sound tests' reference tone plays all along.
    [[nodiscard]] std::string sinkInputs(const std::string& application = {}) const;
    // Everything the server has logged going wrong so far, in order.
    [[nodiscard]] std::vector<Mishap> mishaps() const;
    // Kills every process of the server at once, as a crash would.
    void kill();
    // Stops every process of the server and lets them go on again (SIGSTOP, SIGCONT): a server
    // that stops answering without going away, as a hung one does.
    void freeze();
    // Stops one program of the server alone, `pipewire-pulse` for one, until thaw().
    void freeze(const std::string& program);
    void thaw();

private:
    [[nodiscard]] std::filesystem::path socket() const { return runtimeDir() / "pulse" / "native"; }
    void signalAll(int signal, const std::string& program = {}) const;
    void startPulseAudio();
    void startPipeWire();
    // Runs a program of the server in its private environment, its output going to a log.
    pid_t spawn(const std::vector<std::string>& args);
    // Waits until ready() holds, or fails with what went wrong; true if it held.
    template <typename Ready> bool waitUntil(const std::string& what, Ready ready);
    [[nodiscard]] bool accepting();
    // Runs a client program to its end; true if it succeeded.
    bool run(const std::vector<std::string>& args);

    TempDir dir_;
    std::vector<std::string> env_;
    std::vector<pid_t> pids_; // in the order started
    std::vector<std::string> names_;
    std::string failure_;
};

} // namespace soundtest
