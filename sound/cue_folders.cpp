// SPDX-License-Identifier: MIT
#include "sound/cue_folders.h"

#include <algorithm>
#include <system_error>

namespace sound {

namespace fs = std::filesystem;

std::vector<fs::path> defaultCueFolders() {
    std::vector<fs::path> candidates;
    std::error_code error;
    if (auto cwd = fs::current_path(error); !error) {
        candidates.push_back(cwd);
    }
    if (auto exe = fs::read_symlink("/proc/self/exe", error); !error) {
        const auto bin = exe.parent_path();
        candidates.push_back(bin);
        candidates.push_back((bin / ZUVIK_DATA_FROM_BIN).lexically_normal());
    }

    std::vector<fs::path> folders;
    for (const auto& candidate : candidates) {
        if (!fs::is_directory(candidate, error)) {
            continue;
        }
        const bool seen = std::any_of(folders.begin(), folders.end(), [&](const fs::path& kept) {
            std::error_code ignored;
            return fs::equivalent(kept, candidate, ignored);
        });
        if (!seen) {
            folders.push_back(candidate);
        }
    }
    return folders;
}

bool isBareCueName(std::string_view name) {
    return !name.empty() && name != "." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos && name.find("..") == std::string_view::npos;
}

} // namespace sound
