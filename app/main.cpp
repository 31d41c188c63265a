// SPDX-License-Identifier: MIT
#include "game/game.h"
#include "game/random_source.h"
#include "game/table_state.h"
#include "sound/pulse_cue_player.h"
#include "ui/application_setup.h"
#include "ui/commands.h"
#include "ui/data_folders.h"
#include "ui/dialogs.h"
#include "ui/event_loop_waiter.h"
#include "ui/form1.h"
#include "ui/qt_view.h"
#include "ui/rules_file_reader.h"

#include <QAction>
#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::setUpApplication(application);

    // Declared in the order they depend on each other, so they are destroyed the other way round:
    // the cue player is done with the waiter before the waiter goes away.
    ui::Form1 form;
    ui::QtDialogs dialogs;
    ui::QtView view(form, dialogs);
    ui::EventLoopWaiter waiter;
    sound::PulseCuePlayer cues(waiter, ui::dataFolders());
    game::SystemRandom random;
    ui::DataFolderRules rules;
    game::TableState table;
    game::Game game(view, cues, random, rules, table);
    ui::connectCommands(form, game);
    // Not a command: it never reaches the rules, so it works even while one runs.
    QObject::connect(form.soundSwitch(), &QAction::toggled, &form,
                     [&cues](bool on) { cues.setSoundOn(on); });

    try {
        game.load();
    } catch (const game::Termination&) {
        // No name was given: the player is shown out before the window ever appears.
        return EXIT_SUCCESS;
    }
    form.show();
    // The greeting's boxes had the keyboard; hand it to the window so its keys work at once.
    form.activateWindow();
    return QApplication::exec();
}
