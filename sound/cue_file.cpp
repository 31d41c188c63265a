// SPDX-License-Identifier: MIT
#include "sound/cue_file.h"

#include <sndfile.h>

#include <algorithm>
#include <memory>
#include <system_error>

namespace sound {

namespace fs = std::filesystem;

namespace {

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

// Nothing when the file holds no frame or one libsndfile cannot decode.
std::optional<Cue> decode(const fs::path& path, std::chrono::seconds longest) {
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, SoundFileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file || info.frames <= 0 || info.channels <= 0 || info.samplerate <= 0) {
        return std::nullopt;
    }
    const sf_count_t frames = std::min<sf_count_t>(info.frames, info.samplerate * longest.count());
    Cue cue{info.samplerate, info.channels, {}};
    cue.samples.resize(static_cast<std::size_t>(frames * info.channels));
    const sf_count_t got = sf_readf_float(file.get(), cue.samples.data(), frames);
    if (got <= 0) {
        return std::nullopt;
    }
    cue.samples.resize(static_cast<std::size_t>(got * info.channels));
    return cue;
}

bool isBareCueName(std::string_view name) {
    return !name.empty() && name != "." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos && name.find("..") == std::string_view::npos;
}

} // namespace

std::optional<Cue> loadCue(const std::vector<fs::path>& folders, std::string_view name,
                           std::chrono::seconds longest) {
    if (!isBareCueName(name)) {
        return std::nullopt;
    }
    for (const auto& folder : folders) {
        const fs::path path = folder / name;
        std::error_code error;
        // Only regular files: opening a FIFO or a device that happens to carry a cue's name
        // could block the game for good.
        if (!fs::is_regular_file(path, error)) {
            continue;
        }
        if (auto cue = decode(path, longest)) {
            return cue;
        }
    }
    return std::nullopt;
}

} // namespace sound
