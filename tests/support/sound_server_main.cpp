// SPDX-License-Identifier: MIT
// Starts a private sound server for a test written in shell, the same server the C++ tests start:
//   private_sound_server pulseaudio|pipewire
// Prints the server's address, as PULSE_SERVER takes it, on a line of its own once the server
// accepts a stream, then keeps it until this process is told to end (SIGTERM, SIGINT or SIGHUP),
// and stops it. The server's processes die with this one, however it ends. Exit 77: the server's
// programs are not installed; 1: the server did not start.
#include "sound_server.h"

#include <csignal>
#include <cstdio>
#include <string_view>

int main(int argc, char* argv[]) {
    using soundtest::ServerKind;
    const std::string_view asked = argc == 2 ? argv[1] : "";
    if (asked != "pulseaudio" && asked != "pipewire") {
        std::fprintf(stderr, "usage: private_sound_server pulseaudio|pipewire\n");
        return 2;
    }
    const ServerKind kind = asked == "pipewire" ? ServerKind::PipeWire : ServerKind::PulseAudio;
    if (const std::string missing = soundtest::SoundServer::missing(kind); !missing.empty()) {
        std::fprintf(stderr, "private_sound_server: install %s\n", missing.c_str());
        return 77;
    }
    // Blocked before the server starts, so that an early request to end waits for sigwait().
    sigset_t ends;
    sigemptyset(&ends);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaddset(&ends, signal);
    }
    sigprocmask(SIG_BLOCK, &ends, nullptr);

    soundtest::SoundServer server(kind);
    if (!server.failed().empty()) {
        std::fprintf(stderr, "private_sound_server: %s\n", server.failed().c_str());
        return 1;
    }
    std::printf("%s\n", server.address().c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&ends, &signal);
    return 0;
}
