// SPDX-License-Identifier: MIT
// The page's way into the rules: the shell (web/shell.js) makes one session, starts it with the
// player's first press, and hands every command to the one gate. Nothing here is global: the
// shell keeps the session's address.
#include "game/cards.h"
#include "game/game.h"
#include "game/table_state.h"
#include "web/browser_random.h"
#include "web/dom_view.h"
#include "web/fetched_rules.h"
#include "web/shell_text.h"
#include "web/tables_json.h"
#include "web/web_audio_cues.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace web {
namespace {

EM_JS(void, zuvik_loaded, (), { Module.shell.loaded(); });

struct Session {
    DomView view;
    WebAudioCues cues;
    BrowserRandom random;
    FetchedRules rules;
    game::TableState table;
    game::Game game{view, cues, random, rules, table};
};

} // namespace
} // namespace web

extern "C" {

// The tables as JSON; the text lives as long as the page.
EMSCRIPTEN_KEEPALIVE const char* zuvik_tables() {
    static const std::string json = web::tablesJson();
    return json.c_str();
}

EMSCRIPTEN_KEEPALIVE web::Session* zuvik_session() {
    return new web::Session; // the page's to keep until it is closed
}

// The start-up greeting. Awaits its boxes and cues: the shell calls it and does not wait.
EMSCRIPTEN_KEEPALIVE void zuvik_start(web::Session* session) {
    try {
        session->game.load();
        // As the desktop's window, the table shows only once the greeting is over.
        web::zuvik_loaded();
    } catch (const game::Termination&) {
        // The shell has shown the ending already; nothing of the rules runs any more.
    }
}

// One command through the gate; a command that arrives while another runs is dropped there.
EMSCRIPTEN_KEEPALIVE void zuvik_run(web::Session* session, int command) {
    try {
        (void)session->game.run(static_cast<game::Command>(command));
    } catch (const game::Termination&) {
    }
}

// For the browser test alone: the next shuffle lays these cards first (names joined by '|', left
// in the shell's outbox), the rest of the fixed order after them, by the fractions the shuffle's
// own draws take.
EMSCRIPTEN_KEEPALIVE void zuvik_test_stack_shuffle(web::Session* session) {
    const game::CardNames order = game::makeDeckOrder();
    const std::string pending = web::takeShellText();
    std::vector<std::string> first;
    for (std::size_t start = 0; start <= pending.size();) {
        const std::size_t end = std::min(pending.find('|', start), pending.size());
        first.push_back(pending.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string> all = first;
    for (const std::string& name : order) {
        if (std::find(first.begin(), first.end(), name) == first.end()) {
            all.push_back(name);
        }
    }
    for (const std::string& name : all) {
        const auto at = std::find(order.begin(), order.end(), name);
        const double position = static_cast<double>(at - order.begin()) + 1;
        session->random.script(std::min((position - 1.0) / 35.0, std::nextafter(1.0, 0.0)));
    }
}

// For the browser test alone: one fraction for the next draw (a chance roll, the computer's bet).
EMSCRIPTEN_KEEPALIVE void zuvik_test_fraction(web::Session* session, double fraction) {
    session->random.script(fraction);
}

} // extern "C"
