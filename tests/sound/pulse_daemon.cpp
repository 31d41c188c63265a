// SPDX-License-Identifier: MIT
#include "pulse_daemon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <pulse/simple.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace soundtest {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

pa_simple* openStream(const std::string& server, pa_stream_direction_t direction,
                      const char* device, int channels, std::chrono::milliseconds latency) {
    const pa_sample_spec sampleFormat{PA_SAMPLE_S16LE, 44100, static_cast<std::uint8_t>(channels)};
    const auto bytes = static_cast<std::uint32_t>(pa_usec_to_bytes(
        static_cast<pa_usec_t>(std::chrono::microseconds(latency).count()), &sampleFormat));
    const auto serverDefault = static_cast<std::uint32_t>(-1);
    const pa_buffer_attr attr{serverDefault, bytes, serverDefault, serverDefault, bytes};
    int error = 0;
    return pa_simple_new(server.c_str(), "zuvik-sound-test", direction, device, "test",
                         &sampleFormat, nullptr, &attr, &error);
}

} // namespace

std::optional<fs::path> PulseDaemon::executable() {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const fs::path candidate = fs::path(folder) / "pulseaudio";
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

PulseDaemon::PulseDaemon(const fs::path& daemon) {
    fs::create_directories(dir_ / "home");
    fs::create_directories(runtimeDir() / "pulse");
    fs::permissions(runtimeDir(), fs::perms::owner_all);
    fs::permissions(runtimeDir() / "pulse", fs::perms::owner_all);
    socket_ = runtimeDir() / "pulse" / "native";
    const fs::path log = dir_ / "server.log";

    // Everything the child needs is built before fork: after it, only exec.
    std::vector<std::string> args{daemon.string(),
                                  "--daemonize=no",
                                  "-n",
                                  "--system=no",
                                  "--exit-idle-time=-1",
                                  "--disallow-exit",
                                  "--use-pid-file=no",
                                  "--realtime=no",
                                  "--high-priority=no",
                                  "--log-target=stderr",
                                  "--load=module-null-sink sink_name=zuviktest rate=44100",
                                  "--load=module-native-protocol-unix auth-anonymous=1 socket=" +
                                      socket_.string()};
    std::vector<std::string> env{"HOME=" + (dir_ / "home").string(),
                                 "XDG_RUNTIME_DIR=" + runtimeDir().string(),
                                 "XDG_CONFIG_HOME=" + (dir_ / "home" / ".config").string(),
                                 "PULSE_RUNTIME_PATH=" + (runtimeDir() / "pulse").string(),
                                 "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent",
                                 "PATH=/usr/bin:/bin"};
    std::vector<char*> argv, envp;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    for (auto& var : env) {
        envp.push_back(var.data());
    }
    envp.push_back(nullptr);
    const std::string logPath = log.string();

    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int out = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(out, 2);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (pid_ < 0) {
        failure_ = "fork failed";
        return;
    }
    const auto deadline = Clock::now() + 10s;
    while (Clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            std::ifstream in(log);
            std::stringstream text;
            text << in.rdbuf();
            failure_ = "pulseaudio exited at start-up:\n" + text.str();
            return;
        }
        if (fs::exists(socket_)) {
            if (pa_simple* probe = openStream(address(), PA_STREAM_PLAYBACK, nullptr, 1, 20ms)) {
                pa_simple_free(probe);
                return;
            }
        }
        std::this_thread::sleep_for(20ms);
    }
    failure_ = "pulseaudio did not answer within 10 s";
    kill();
}

PulseDaemon::~PulseDaemon() {
    kill();
}

void PulseDaemon::kill() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

void PulseDaemon::freeze() {
    if (pid_ > 0) {
        ::kill(pid_, SIGSTOP);
    }
}

void PulseDaemon::thaw() {
    if (pid_ > 0) {
        ::kill(pid_, SIGCONT);
    }
}

SilentStream::SilentStream(const std::string& server)
    : stream_(openStream(server, PA_STREAM_PLAYBACK, "zuviktest", 2, 20ms)) {
    if (stream_ == nullptr) {
        return;
    }
    thread_ = std::thread([this] {
        const std::array<std::int16_t, 2 * 441> zeros{};
        int error = 0;
        while (!stop_ && pa_simple_write(stream_, zeros.data(), sizeof zeros, &error) == 0) {
            ++writes_;
        }
    });
}

bool SilentStream::waitUntilFlowing(std::chrono::milliseconds timeout) const {
    if (stream_ == nullptr) {
        return false;
    }
    // The first writes only fill the stream's small buffer; a steady run of them means the
    // sink is pulling every few milliseconds.
    const auto deadline = Clock::now() + timeout;
    const int start = writes_;
    while (writes_ - start < 10) {
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

SilentStream::~SilentStream() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    if (stream_ != nullptr) {
        pa_simple_free(stream_);
    }
}

MonitorRecorder::MonitorRecorder(const std::string& server)
    : stream_(openStream(server, PA_STREAM_RECORD, "zuviktest.monitor", 1, 10ms)) {
    if (stream_ == nullptr) {
        return;
    }
    thread_ = std::thread([this] {
        std::array<std::int16_t, 441> block{};
        int error = 0;
        while (!stop_ && pa_simple_read(stream_, block.data(), sizeof block, &error) == 0) {
            std::lock_guard lock(mutex_);
            for (std::int16_t sample : block) {
                samples_.push_back(static_cast<float>(sample) / 32768.0f);
            }
        }
    });
}

MonitorRecorder::~MonitorRecorder() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    if (stream_ != nullptr) {
        pa_simple_free(stream_);
    }
}

std::size_t MonitorRecorder::position() const {
    std::lock_guard lock(mutex_);
    return samples_.size();
}

std::vector<float> MonitorRecorder::between(std::size_t from, std::size_t to) const {
    std::lock_guard lock(mutex_);
    to = std::min(to, samples_.size());
    from = std::min(from, to);
    return {samples_.begin() + static_cast<std::ptrdiff_t>(from),
            samples_.begin() + static_cast<std::ptrdiff_t>(to)};
}

void MonitorRecorder::settle() {
    std::this_thread::sleep_for(150ms);
}

double audibleSeconds(const std::vector<float>& samples, int rate, double threshold) {
    const auto loud = [threshold](float sample) { return std::abs(sample) > threshold; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    if (first == samples.end()) {
        return 0.0;
    }
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud);
    return static_cast<double>(std::distance(first, last.base())) / rate;
}

} // namespace soundtest
