// SPDX-License-Identifier: MIT
#include "wired_game.h"

#include "ui/commands.h"
#include "ui/hand_box.h"
#include "ui/utf8.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <utility>

namespace ui::test {

char* toString(const WindowState& state) {
    const QString phase =
        state.phase ? fromUtf8(game::phaseName(*state.phase)) : QStringLiteral("none");
    const QString text =
        QStringLiteral("Label4 \"%1\" Label6 \"%2\" Label8 \"%3\" Text1 \"%4\" phase %5")
            .arg(state.label4, state.label6, state.label8, state.hand, phase);
    return qstrdup(text.toUtf8().constData());
}

WiredGame::WiredGame(std::vector<std::filesystem::path> deckFiles) : form_(std::move(deckFiles)) {
    dialogs_.onBox = [this] {
        windowsAtBoxes_.push_back(window());
        if (const std::function<void()> act = std::exchange(whileBoxOpen_, {})) {
            act();
        }
    };
    connectCommands(form_, game_);
}

void WiredGame::start(const std::string& name) {
    world_.typed.push_back(name);
    game_.load();
    form_.show();
    form_.activateWindow();
}

bool WiredGame::click(game::Control button) {
    QPushButton* pushed = form_.button(button);
    if (pushed == nullptr || !pushed->isVisible() || !pushed->isEnabled()) {
        qWarning("%s cannot be pressed now", game::rowOf(button).name.data());
        return false;
    }
    QTest::mouseClick(pushed, Qt::LeftButton);
    return true;
}

std::vector<WindowState> WiredGame::takeWindowsAtBoxes() {
    return std::exchange(windowsAtBoxes_, {});
}

WindowState WiredGame::window() const {
    const auto caption = [this](game::Control label) {
        return qobject_cast<QLabel*>(form_.control(label))->text();
    };
    WindowState state{caption(game::Control::Label4),
                      caption(game::Control::Label6),
                      caption(game::Control::Label8),
                      form_.hand()->toPlainText(),
                      {}};
    for (const game::Phase phase : game::kPhases) {
        bool showsPhase = true;
        for (const game::ControlRow& row : game::kControls) {
            showsPhase = showsPhase && form_.control(row.control)->isVisibleTo(&form_) ==
                                           row.shownIn.contains(phase);
        }
        if (showsPhase) {
            state.phase = phase;
        }
    }
    return state;
}

} // namespace ui::test
