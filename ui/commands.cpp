// SPDX-License-Identifier: MIT
#include "ui/commands.h"

#include "game/command.h"
#include "game/game.h"
#include "ui/form1.h"
#include "ui/spoken_money.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>

#include <cstdlib>

namespace ui {

void connectCommands(Form1& form, game::Game& game) {
    for (const game::Command command : game::kCommands) {
        // Termination is the one exception the rules throw; it must not unwind through Qt.
        const auto run = [&form, &game, command] {
            SpokenMoney* money = form.findChild<SpokenMoney*>();
            if (money != nullptr) {
                money->commandStarted();
            }
            try {
                game.run(command);
            } catch (const game::Termination&) {
                QCoreApplication::exit(EXIT_SUCCESS);
                return;
            }
            if (money != nullptr) {
                money->commandOver();
            }
        };
        if (const auto button = game::buttonOf(command)) {
            QObject::connect(form.button(*button), &QPushButton::clicked, &form, run);
        } else {
            QObject::connect(form.menuItem(command), &QAction::triggered, &form, run);
        }
    }
}

} // namespace ui
