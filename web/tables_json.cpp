// SPDX-License-Identifier: MIT
#include "web/tables_json.h"

#include "game/card_theme.h"
#include "game/command.h"
#include "game/controls.h"
#include "game/cues.h"
#include "game/menus.h"
#include "game/table_layout.h"
#include "game/table_look.h"
#include "game/titles.h"
#include "web/json_writer.h"

#include <optional>

namespace web {
namespace {

std::string_view kindName(game::ControlKind kind) {
    switch (kind) {
    case game::ControlKind::Label:
        return "label";
    case game::ControlKind::Text:
        return "text";
    case game::ControlKind::Button:
        return "button";
    }
    return "label";
}

// The command a button gives, as the index the shell hands back to zuvik_run.
std::optional<int> commandOf(game::Control control) {
    for (const game::Command command : game::kCommands) {
        if (game::buttonOf(command) == control) {
            return static_cast<int>(command);
        }
    }
    return std::nullopt;
}

void writeTwips(JsonWriter& json, const game::Twips& at) {
    json.raw("{").key("left").number(at.left).raw(",").key("top").number(at.top).raw(",");
    json.key("width").number(at.width).raw(",").key("height").number(at.height).raw("}");
}

void writeControl(JsonWriter& json, const game::ControlRow& row) {
    json.raw("{").key("name").string(row.name).raw(",").key("kind").string(kindName(row.kind));
    json.raw(",").key("caption").string(row.caption).raw(",").key("twips");
    writeTwips(json, row.twips);
    json.raw(",").key("tabIndex").number(row.tabIndex);
    json.raw(",").key("spokenName").string(row.spokenName);
    json.raw(",").key("description").string(row.description);
    json.raw(",").key("showsMoney").boolean(row.showsMoney).raw(",").key("shownIn").raw("[");
    bool first = true;
    for (const game::Phase phase : game::kPhases) {
        if (row.shownIn.contains(phase)) {
            json.raw(first ? "" : ",").number(static_cast<int>(phase));
            first = false;
        }
    }
    json.raw("],").key("command");
    if (const auto command = commandOf(row.control)) {
        json.number(*command);
    } else {
        json.raw("null");
    }
    json.raw("}");
}

void writeColour(JsonWriter& json, std::string_view name, game::Rgb colour) {
    json.key(name).raw("[").number(colour.r).raw(",").number(colour.g).raw(",");
    json.number(colour.b).raw("]");
}

void writeMenuItem(JsonWriter& json, const game::MenuItemRow& item) {
    json.raw("{").key("menuName").string(item.menuName).raw(",");
    json.key("menuCaption").string(item.menuCaption).raw(",").key("name").string(item.name);
    json.raw(",").key("caption").string(item.caption).raw(",").key("shortcut");
    json.string(item.shortcut).raw(",").key("command");
    if (item.command) {
        json.number(static_cast<int>(*item.command));
    } else {
        json.raw("null");
    }
    json.raw("}");
}

} // namespace

std::string tablesJson() {
    JsonWriter json;
    json.raw("{").key("windowTitle").string(game::kWindowTitle);
    json.raw(",").key("applicationTitle").string(game::kApplicationTitle);
    json.raw(",").key("twipsPerPixel").number(game::kTwipsPerPixel);
    json.raw(",").key("clientTwips").raw("{").key("width").number(game::kClientWidthTwips);
    json.raw(",").key("height").number(game::kClientHeightTwips).raw("}");
    json.raw(",").key("handCardsTwips");
    writeTwips(json, game::kHandCardsTwips);
    json.raw(",").key("phaseAtCreation").number(static_cast<int>(game::kPhaseAtCreation));
    json.raw(",").key("phases").raw("[");
    for (const game::Phase phase : game::kPhases) {
        json.raw(phase == game::kPhases.front() ? "" : ",").string(game::phaseName(phase));
    }
    json.raw("],").key("controls").raw("[");
    for (const game::ControlRow& row : game::kControls) {
        json.raw(&row == game::kControls.data() ? "" : ",");
        writeControl(json, row);
    }
    json.raw("],").key("cardIds").raw("[");
    for (std::size_t suit = 0; suit < game::kThemeSuitIds.size(); ++suit) {
        for (std::size_t rank = 0; rank < game::kThemeRankIds.size(); ++rank) {
            const game::Card card{static_cast<game::Rank>(rank), static_cast<game::Suit>(suit)};
            json.raw(suit == 0 && rank == 0 ? "" : ",").string(game::themeElementId(card));
        }
    }
    json.raw("],").key("cues").raw("[");
    for (const game::CueRow& row : game::kCues) {
        json.raw(&row == game::kCues.data() ? "" : ",").string(row.file);
    }
    json.raw("],").key("menuItems").raw("[");
    for (const game::MenuItemRow& item : game::kMenuItems) {
        json.raw(&item == game::kMenuItems.data() ? "" : ",");
        writeMenuItem(json, item);
    }
    json.raw("],").key("colours").raw("{");
    writeColour(json, "felt", game::kFelt);
    json.raw(",");
    writeColour(json, "feltBottom", game::kFeltBottom);
    json.raw(",");
    writeColour(json, "captionInk", game::kCaptionInk);
    json.raw("}}");
    return json.text();
}

} // namespace web
