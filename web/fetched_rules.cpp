// SPDX-License-Identifier: MIT
#include "web/fetched_rules.h"

#include <emscripten/emscripten.h>

namespace web {
namespace {

constexpr const char* kRulesFileName = "help.vrn";
constexpr int kRulesFileLimit = 1024 * 1024;

// The size of the fetched file, or -1 when the server has none, -2 when it could not be read,
// -3 when it is larger than limit.
// The bytes wait in the shell until they are copied.
EM_ASYNC_JS(int, zuvik_fetch_rules, (const char* name, int limit),
            { return await Module.shell.fetchBytes(UTF8ToString(name), limit); });
EM_JS(void, zuvik_take_rules, (char* out), {
    HEAPU8.set(Module.shell.fetched, out);
    Module.shell.fetched = null;
});

game::RulesFile failed(const char* failure) {
    return {kRulesFileName, std::nullopt, failure};
}

} // namespace

game::RulesFile FetchedRules::readRulesFile() {
    const int size = zuvik_fetch_rules(kRulesFileName, kRulesFileLimit);
    if (size == -1) {
        return failed("файл не найден");
    }
    if (size == -3) {
        return failed("файл больше 1 МиБ");
    }
    if (size < 0) {
        return failed("файл не удаётся прочитать");
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    zuvik_take_rules(bytes.data());
    return {kRulesFileName, std::move(bytes), {}};
}

} // namespace web
