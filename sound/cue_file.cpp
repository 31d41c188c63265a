// SPDX-License-Identifier: MIT
#include "sound/cue_file.h"

#include <sndfile.h>
#include <system_error>
#include <utility>

namespace sound {

namespace fs = std::filesystem;

bool isBareCueName(std::string_view name) {
    return !name.empty() && name != "." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos && name.find("..") == std::string_view::npos;
}

void CueFile::Closer::operator()(sf_private_tag* file) const {
    sf_close(file);
}

CueFile::CueFile(std::unique_ptr<sf_private_tag, Closer> file, std::int64_t frames, int channels,
                 int rate, fs::path path)
    : file_(std::move(file)), frames_(frames), channels_(channels), rate_(rate),
      path_(std::move(path)) {}

std::chrono::microseconds CueFile::length() const {
    return std::chrono::microseconds(frames_ * 1'000'000 / rate_);
}

std::optional<CueFile> CueFile::open(const std::vector<fs::path>& folders, std::string_view name) {
    if (!isBareCueName(name)) {
        return std::nullopt;
    }
    for (const auto& folder : folders) {
        auto path = folder / name;
        std::error_code error;
        // Only regular files: opening a FIFO or a device that happens to carry a cue's name
        // could block the player for good.
        if (!fs::is_regular_file(path, error)) {
            continue;
        }
        SF_INFO info{};
        std::unique_ptr<sf_private_tag, Closer> file(sf_open(path.c_str(), SFM_READ, &info));
        if (!file || info.frames <= 0 || info.channels <= 0 || info.samplerate <= 0) {
            continue;
        }
        return CueFile(std::move(file), info.frames, info.channels, info.samplerate,
                       std::move(path));
    }
    return std::nullopt;
}

std::size_t CueFile::read(std::span<float> out) {
    const auto frames = static_cast<sf_count_t>(out.size() / static_cast<std::size_t>(channels_));
    const sf_count_t got = sf_readf_float(file_.get(), out.data(), frames);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

} // namespace sound
