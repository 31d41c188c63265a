// SPDX-License-Identifier: MIT
#include "game/table_state.h"

namespace game {

void initTables(TableState& table) {
    table.betValues = makeBetValues();
    table.deckOrder = makeDeckOrder();
    table.cardGrid = makeCardGrid();
}

} // namespace game
