// SPDX-License-Identifier: MIT
#include "ui/data_folders.h"

#include <algorithm>
#include <system_error>

namespace ui {

namespace fs = std::filesystem;

std::optional<fs::path> programFolder() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::nullopt;
    }
    return executable.parent_path();
}

std::vector<fs::path> dataFolders() {
    std::vector<fs::path> candidates;
    std::error_code error;
    if (fs::path current = fs::current_path(error); !error) {
        candidates.push_back(std::move(current));
    }
    if (const std::optional<fs::path> program = programFolder()) {
        candidates.push_back(*program);
        candidates.push_back((*program / ZUVIK_DATA_FROM_BIN).lexically_normal());
    }
    std::vector<fs::path> folders;
    for (const fs::path& candidate : candidates) {
        const bool seen = std::any_of(folders.begin(), folders.end(), [&](const fs::path& kept) {
            std::error_code ignored;
            return fs::equivalent(kept, candidate, ignored);
        });
        if (!seen && fs::is_directory(candidate, error)) {
            folders.push_back(candidate);
        }
    }
    return folders;
}

} // namespace ui
