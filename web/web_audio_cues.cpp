// SPDX-License-Identifier: MIT
#include "web/web_audio_cues.h"

#include <emscripten/emscripten.h>

namespace web {
namespace {

// By the cue's row in the cue table, which the shell reads through zuvik_tables.
EM_ASYNC_JS(void, zuvik_play_sync, (int cue), { await Module.shell.cues.playSync(cue); });
EM_JS(void, zuvik_play_async, (int cue), { Module.shell.cues.playAsync(cue); });

} // namespace

void WebAudioCues::play(game::Cue cue, game::CueMode mode) {
    if (mode == game::CueMode::Sync) {
        zuvik_play_sync(static_cast<int>(cue));
    } else {
        zuvik_play_async(static_cast<int>(cue));
    }
}

} // namespace web
