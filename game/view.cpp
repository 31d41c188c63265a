// SPDX-License-Identifier: MIT
#include "game/view.h"

#include <array>

namespace game {

std::string_view controlName(Control control) {
    static constexpr std::array<std::string_view, 18> kNames{
        "Label1",   "Label2",   "Label3",   "Label4",   "Label5",   "Label6",
        "Label7",   "Label8",   "Text1",    "Command1", "Command2", "Command3",
        "Command4", "Command5", "Command6", "Command7", "Command8", "Command9",
    };
    return kNames.at(static_cast<std::size_t>(control));
}

} // namespace game
