// SPDX-License-Identifier: MIT
#include "web/shell_text.h"

#include <emscripten/emscripten.h>

namespace web {
namespace {

EM_JS(int, zuvik_shell_text_size, (), { return lengthBytesUTF8(Module.shell.outbox); });
EM_JS(void, zuvik_shell_text_copy, (char* out, int size), {
    stringToUTF8(Module.shell.outbox, out, size);
    Module.shell.outbox = "";
});

} // namespace

std::string takeShellText() {
    const int size = zuvik_shell_text_size();
    // One byte more for the terminating zero the copy always writes.
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    zuvik_shell_text_copy(text.data(), size + 1);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

} // namespace web
