// SPDX-License-Identifier: MIT
#include "sound_server.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace soundtest {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

std::optional<fs::path> findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const fs::path candidate = fs::path(folder) / name;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace

const char* nameOf(ServerKind kind) {
    return kind == ServerKind::PipeWire ? "PipeWire" : "PulseAudio";
}

std::string SoundServer::missing(ServerKind kind) {
    if (kind == ServerKind::PulseAudio) {
        return findProgram("pulseaudio") ? "" : "pulseaudio and pulseaudio-utils";
    }
    // The null sink is loaded the way a user would, with pactl; wireplumber wants a session bus.
    const bool complete = findProgram("pipewire") && findProgram("pipewire-pulse") &&
                          findProgram("wireplumber") && findProgram("dbus-daemon") &&
                          findProgram("pactl");
    return complete ? ""
                    : "pipewire, pipewire-pulse, wireplumber, dbus-daemon and pulseaudio-utils";
}

SoundServer::SoundServer(ServerKind kind) {
    fs::create_directories(dir_ / "home");
    fs::create_directories(runtimeDir() / "pulse");
    fs::permissions(runtimeDir(), fs::perms::owner_all);
    fs::permissions(runtimeDir() / "pulse", fs::perms::owner_all);
    const fs::path home = dir_ / "home";
    env_ = {"HOME=" + home.string(),
            "XDG_RUNTIME_DIR=" + runtimeDir().string(),
            "XDG_CONFIG_HOME=" + (home / ".config").string(),
            "XDG_STATE_HOME=" + (home / ".local/state").string(),
            "XDG_DATA_HOME=" + (home / ".local/share").string(),
            "PULSE_RUNTIME_PATH=" + socket().parent_path().string(),
            "DBUS_SESSION_BUS_ADDRESS=unix:path=" + (runtimeDir() / "bus").string(),
            "PATH=/usr/bin:/bin"};
    if (kind == ServerKind::PipeWire) {
        startPipeWire();
    } else {
        startPulseAudio();
    }
    if (!failure_.empty()) {
        kill();
    }
}

void SoundServer::startPulseAudio() {
    spawn({"pulseaudio", "--daemonize=no", "-n", "--system=no", "--exit-idle-time=-1",
           "--disallow-exit", "--use-pid-file=no", "--realtime=no", "--high-priority=no",
           "--log-target=stderr",
           "--load=module-null-sink sink_name=zuviktest rate=44100 norewinds=1",
           "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket().string()});
    waitUntil("pulseaudio to accept a stream", [this] { return accepting(); });
}

void SoundServer::startPipeWire() {
    // The two lines mishaps() reads, and little else: an underflow of a client's stream and a
    // driver's step that some node did not finish, each logged as it happens.
    env_.push_back("PIPEWIRE_DEBUG=2,mod.protocol-pulse:3,pw.node:4");
    const fs::path bus = runtimeDir() / "bus";
    spawn({"dbus-daemon", "--session", "--nofork", "--nopidfile",
           "--address=unix:path=" + bus.string()});
    if (!waitUntil("the session bus", [&] { return fs::exists(bus); })) {
        return;
    }
    spawn({"pipewire"});
    if (!waitUntil("pipewire", [this] { return fs::exists(runtimeDir() / "pipewire-0"); })) {
        return;
    }
    spawn({"wireplumber"});
    spawn({"pipewire-pulse"});
    if (!waitUntil("pipewire-pulse to accept a stream", [this] { return accepting(); })) {
        return;
    }
    if (!run({"pactl", "-s", address(), "load-module", "module-null-sink", "sink_name=zuviktest",
              "rate=44100"})) {
        failure_ = "pactl could not load the null sink";
        return;
    }
    // The sink's node shows up a moment after its module has loaded: on a busy machine, later
    // than pactl's next request.
    const auto madeDefault = [this] {
        return run({"pactl", "-s", address(), "set-default-sink", "zuviktest"});
    };
    waitUntil("the null sink to become the default", madeDefault);
}

pid_t SoundServer::spawn(const std::vector<std::string>& command) {
    // Everything the child needs is built before fork: after it, only exec.
    const auto program = findProgram(command.front());
    std::vector<std::string> args = command;
    args.front() = program ? program->string() : command.front();
    std::vector<std::string> env = env_;
    const std::string logPath = (dir_ / (command.front() + ".log")).string();
    std::vector<char*> argv, envp;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    for (auto& var : env) {
        envp.push_back(var.data());
    }
    envp.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The server's programs start with no signal blocked, whatever their starter blocks.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        const int out = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(out, 2);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (pid < 0) {
        failure_ = "fork failed";
    } else {
        pids_.push_back(pid);
        names_.push_back(command.front());
    }
    return pid;
}

template <typename Ready> bool SoundServer::waitUntil(const std::string& what, Ready ready) {
    const auto deadline = Clock::now() + 10s;
    while (failure_.empty()) {
        for (std::size_t i = 0; i < pids_.size(); ++i) {
            if (pids_[i] > 0 && waitpid(pids_[i], nullptr, WNOHANG) == pids_[i]) {
                pids_[i] = -1;
                std::ifstream in(dir_ / (names_[i] + ".log"));
                std::stringstream text;
                text << in.rdbuf();
                failure_ = names_[i] + " exited at start-up:\n" + text.str();
                return false;
            }
        }
        if (ready()) {
            return true;
        }
        if (Clock::now() > deadline) {
            failure_ = "waited 10 s for " + what;
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

bool SoundServer::accepting() {
    return fs::exists(socket()) && run({"pactl", "-s", address(), "info"});
}

bool SoundServer::run(const std::vector<std::string>& args) {
    const pid_t pid = spawn(args);
    if (pid <= 0) {
        return false;
    }
    pids_.pop_back(); // reaped here, not by kill()
    names_.pop_back();
    int status = 0;
    const auto deadline = Clock::now() + 10s;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<Mishap> SoundServer::mishaps() const {
    // PipeWire stamps each line with the raw monotonic clock, in seconds modulo 100000: not the
    // steady clock, which the kernel slews and which drifts from it by a quarter of a second
    // within half an hour.
    constexpr std::int64_t wrapUsec = 100'000LL * 1'000'000;
    const Clock::time_point now = Clock::now();
    timespec raw{};
    clock_gettime(CLOCK_MONOTONIC_RAW, &raw);
    const std::int64_t nowUsec =
        static_cast<std::int64_t>(raw.tv_sec) * 1'000'000 + raw.tv_nsec / 1000;
    std::vector<Mishap> found;
    for (const char* log : {"pipewire-pulse.log", "pipewire.log"}) {
        std::ifstream in(dir_ / log);
        for (std::string line; std::getline(in, line);) {
            Mishap mishap{};
            if (line.find("[Зувик]: UNDERFLOW") != std::string::npos) {
                mishap.kind = Mishap::Kind::RanDry;
            } else if (line.find("graph not finished") != std::string::npos) {
                mishap.kind = Mishap::Kind::MissedStep;
            } else {
                continue;
            }
            long seconds = 0;
            long micros = 0;
            if (std::sscanf(line.c_str(), "[%*c][%ld.%ld]", &seconds, &micros) != 2) {
                continue;
            }
            const std::int64_t stamp = static_cast<std::int64_t>(seconds) * 1'000'000 + micros;
            const std::int64_t ago = ((nowUsec % wrapUsec) - stamp + wrapUsec) % wrapUsec;
            mishap.at = now - std::chrono::microseconds(ago);
            found.push_back(mishap);
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Mishap& a, const Mishap& b) { return a.at < b.at; });
    return found;
}

std::string SoundServer::sinkInputs(const std::string& application) const {
    std::string all;
    if (FILE* pipe = popen(("pactl -s " + address() + " list sink-inputs").c_str(), "r")) {
        std::array<char, 4096> buffer{};
        for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            all.append(buffer.data(), n);
        }
        pclose(pipe);
    }
    if (application.empty()) {
        return all;
    }
    const std::string mark = "application.name = \"" + application + "\"";
    std::string entry, result;
    std::stringstream lines(all);
    const auto keep = [&] {
        if (entry.find(mark) != std::string::npos) {
            result += entry;
        }
        entry.clear();
    };
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Sink Input #", 0) == 0) {
            keep();
        }
        entry += line + "\n";
    }
    keep();
    return result;
}

SoundServer::~SoundServer() {
    kill();
}

void SoundServer::freeze() {
    signalAll(SIGSTOP);
}

void SoundServer::freeze(const std::string& program) {
    signalAll(SIGSTOP, program);
}

void SoundServer::thaw() {
    signalAll(SIGCONT);
}

void SoundServer::signalAll(int signal, const std::string& program) const {
    for (std::size_t i = 0; i < pids_.size(); ++i) {
        if (pids_[i] > 0 && (program.empty() || names_[i] == program)) {
            ::kill(pids_[i], signal);
        }
    }
}

void SoundServer::kill() {
    // The last started first: the daemon that clients talk to goes before what it relies on.
    for (auto pid = pids_.rbegin(); pid != pids_.rend(); ++pid) {
        if (*pid > 0) {
            ::kill(*pid, SIGKILL);
            waitpid(*pid, nullptr, 0);
        }
    }
    pids_.clear();
    names_.clear();
}

} // namespace soundtest
