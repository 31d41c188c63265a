// SPDX-License-Identifier: MIT
#include "ui/rules_file_reader.h"

#include "ui/data_folders.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <system_error>

namespace ui {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRulesFileName = "help.vrn";
constexpr std::uintmax_t kRulesFileLimit = 1024 * 1024;

game::RulesFile failed(const fs::path& path, const char* failure) {
    return {path.string(), std::nullopt, failure};
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// C stdio rather than a stream: it tells a read error apart from the end of the file.
game::RulesFile readWhole(const fs::path& path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return failed(path, "файл не удаётся прочитать");
    }
    std::string bytes;
    char buffer[64 * 1024];
    // One byte past the limit is enough to know the file is too large, even if it grew after
    // its size was checked.
    while (bytes.size() <= kRulesFileLimit) {
        const std::size_t count = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, count);
        if (count < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(file.get()) != 0) {
        return failed(path, "файл не удаётся прочитать");
    }
    if (bytes.size() > kRulesFileLimit) {
        return failed(path, "файл больше 1 МиБ");
    }
    return {path.string(), std::move(bytes), {}};
}

} // namespace

game::RulesFile readRulesFile(const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        const fs::path path = folder / kRulesFileName;
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error || !fs::exists(status)) {
            continue;
        }
        if (!fs::is_regular_file(status)) {
            return failed(path, "это не обычный файл");
        }
        const std::uintmax_t size = fs::file_size(path, error);
        if (!error && size > kRulesFileLimit) {
            return failed(path, "файл больше 1 МиБ");
        }
        return readWhole(path);
    }
    return failed(kRulesFileName, "файл не найден");
}

game::RulesFile DataFolderRules::readRulesFile() {
    return ui::readRulesFile(dataFolders());
}

} // namespace ui
