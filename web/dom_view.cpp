// SPDX-License-Identifier: MIT
#include "web/dom_view.h"

#include "game/card_theme.h"
#include "game/titles.h"
#include "web/shell_text.h"

#include <emscripten/emscripten.h>

namespace web {
namespace {

// Every text crosses as a pointer and a byte count: a string_view need not end in a zero.
EM_JS(void, zuvik_set_caption, (int control, const char* text, int size),
      { Module.shell.setCaption(control, UTF8ToString(text, size)); });
EM_JS(void, zuvik_show_phase, (int phase), { Module.shell.showPhase(phase); });
EM_JS(void, zuvik_read_hand, (), { Module.shell.outbox = Module.shell.handText(); });
EM_JS(void, zuvik_set_hand, (const char* text, int size, const char* ids, int idsSize),
      { Module.shell.setHandText(UTF8ToString(text, size), UTF8ToString(ids, idsSize)); });
EM_JS(void, zuvik_focus_hand, (), { Module.shell.focusHand(); });
EM_ASYNC_JS(int, zuvik_message_box,
            (const char* prompt, int promptSize, int yesNo, const char* title, int titleSize), {
                return await Module.shell.messageBox(UTF8ToString(prompt, promptSize), yesNo > 0,
                                                     UTF8ToString(title, titleSize));
            });
EM_ASYNC_JS(void, zuvik_input_box,
            (const char* prompt, int promptSize, const char* title, int titleSize), {
                Module.shell.outbox = await Module.shell.inputBox(UTF8ToString(prompt, promptSize),
                                                                  UTF8ToString(title, titleSize));
            });
EM_JS(void, zuvik_terminate, (), { Module.shell.terminate(); });

int sizeOf(std::string_view text) {
    return static_cast<int>(text.size());
}

std::string_view titleOrApplication(std::string_view title) {
    return title.empty() ? game::kApplicationTitle : title;
}

} // namespace

void DomView::setCaption(game::Control label, std::string_view text) {
    zuvik_set_caption(static_cast<int>(label), text.data(), sizeOf(text));
}

void DomView::showPhase(game::Phase phase) {
    zuvik_show_phase(static_cast<int>(phase));
}

std::string DomView::handText() const {
    zuvik_read_hand();
    return takeShellText();
}

void DomView::setHandText(std::string_view text) {
    // The pictures follow the text through the rules' own card tables.
    std::string ids;
    for (const game::Card card : game::cardsOfHand(grid_, text)) {
        ids += (ids.empty() ? "" : " ") + game::themeElementId(card);
    }
    zuvik_set_hand(text.data(), sizeOf(text), ids.data(), sizeOf(ids));
}

void DomView::focusHand() {
    zuvik_focus_hand();
}

int DomView::messageBox(std::string_view prompt, game::Buttons buttons, std::string_view title) {
    const std::string_view shown = titleOrApplication(title);
    return zuvik_message_box(prompt.data(), sizeOf(prompt), buttons == game::Buttons::YesNo ? 1 : 0,
                             shown.data(), sizeOf(shown));
}

std::string DomView::inputBox(std::string_view prompt) {
    const std::string_view shown = titleOrApplication({});
    zuvik_input_box(prompt.data(), sizeOf(prompt), shown.data(), sizeOf(shown));
    return takeShellText();
}

void DomView::terminate() {
    zuvik_terminate();
}

} // namespace web
