// SPDX-License-Identifier: MIT
#include "game/game.h"
#include "game/rules_text.h"

#include <string>

namespace game {
namespace {

constexpr std::string_view kAboutTitle = "Игра Зувик. Версия 2.0";
constexpr std::string_view kAboutText =
    "Зувик, версия 2.0 — карточная игра в двадцать одно против компьютера.\n"
    "Авторы: разработчики проекта «Зувик».\n"
    "Распространяется свободно на условиях лицензии MIT; полный текст — в файле LICENSE.\n"
    "Рисунки карт: колода «Атласные» из пакета Debian gnome-cards-data, авторы — разработчики "
    "GNOME; распространяется на условиях GNU GPL версии 3 или более поздней.";

// "Не удалось показать правила игры.\nФайл «help.vrn»: файл не найден."
std::string rulesFailureText(const RulesFile& file) {
    std::string text = "Не удалось показать правила игры.\nФайл «" + file.path + "»: ";
    text += file.failure.empty() ? "файл не удалось прочитать" : file.failure;
    if (!text.ends_with('.')) {
        text += '.';
    }
    return text;
}

} // namespace

// The menu commands work in every phase, a deal included. The about and rules boxes leave
// the table exactly as it was: their results are not kept in answer, which a deal may still
// be about to test.

void Game::newMatchCommand() {
    inicial2();
}

void Game::exitCommand() {
    cues_.play(Cue::Fe, CueMode::Sync);
    cues_.play(Cue::Bye, CueMode::Sync);
    terminate();
}

void Game::aboutCommand() {
    view_.messageBox(kAboutText, Buttons::Ok, kAboutTitle);
}

void Game::rulesCommand() {
    // A rules file that cannot be shown is explained rather than shown as an empty box;
    // the game goes on where it was either way.
    const RulesFile file = rules_.readRulesFile();
    const std::string text = file.bytes ? rulesText(*file.bytes) : rulesFailureText(file);
    view_.messageBox(text, Buttons::Ok, {});
}

} // namespace game
