// SPDX-License-Identifier: MIT
#include "ui/click_dispatch.h"

#include "game/view.h"
#include "ui/form1.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>

#include <array>
#include <utility>

namespace ui {
namespace {

constexpr std::array<std::pair<game::Control, Command>, 9> kButtons{{
    {game::Control::Command1, Command::Command1},
    {game::Control::Command2, Command::Command2},
    {game::Control::Command3, Command::Command3},
    {game::Control::Command4, Command::Command4},
    {game::Control::Command5, Command::Command5},
    {game::Control::Command6, Command::Command6},
    {game::Control::Command7, Command::Command7},
    {game::Control::Command8, Command::Command8},
    {game::Control::Command9, Command::Command9},
}};

} // namespace

ClickDispatch::ClickDispatch(QWidget& window) : window_(window) {}

void ClickDispatch::run(const std::function<void()>& handler) {
    if (ended_) {
        return;
    }
    try {
        handler();
    } catch (const game::Termination&) {
        ended_ = true;
        window_.setEnabled(false);
        window_.hide();
        QCoreApplication::exit(0);
    }
}

void connectCommands(Form1& form, std::function<void(Command)> onCommand) {
    for (const auto& [control, command] : kButtons) {
        QObject::connect(form.button(control), &QPushButton::clicked, &form,
                         [onCommand, command] { onCommand(command); });
    }
    const std::array<std::pair<QAction*, Command>, 4> actions{{
        {form.newMatchAction(), Command::NewMatch},
        {form.exitAction(), Command::Exit},
        {form.aboutAction(), Command::About},
        {form.rulesAction(), Command::Rules},
    }};
    for (const auto& [action, command] : actions) {
        QObject::connect(action, &QAction::triggered, &form,
                         [onCommand, command] { onCommand(command); });
    }
}

} // namespace ui
