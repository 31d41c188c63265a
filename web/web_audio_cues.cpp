// SPDX-License-Identifier: MIT
#include "web/web_audio_cues.h"

#include <emscripten/emscripten.h>

namespace web {
namespace {

EM_ASYNC_JS(void, zuvik_play_sync, (const char* name, int size),
            { await Module.shell.cues.playSync(UTF8ToString(name, size)); });
EM_JS(void, zuvik_play_async, (const char* name, int size),
      { Module.shell.cues.playAsync(UTF8ToString(name, size)); });

} // namespace

void WebAudioCues::play(std::string_view name, game::CueMode mode) {
    const int size = static_cast<int>(name.size());
    if (mode == game::CueMode::Sync) {
        zuvik_play_sync(name.data(), size);
    } else {
        zuvik_play_async(name.data(), size);
    }
}

} // namespace web
