// SPDX-License-Identifier: MIT
#include "wired_game.h"

#include "game/cards.h"
#include "ui/commands.h"
#include "ui/hand_box.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace ui::test {
namespace {

using game::Control;

// The rules draw a deck position as u * 35 + 1 rounded, so position p comes from (p - 1) / 35;
// the last position is reached just below 1, where the fraction must stay.
double fractionForPosition(int position) {
    return std::min((position - 1) / 35.0, std::nextafter(1.0, 0.0));
}

constexpr std::array<Control, 10> kPhaseControls{
    Control::Text1,    Control::Command1, Control::Command2, Control::Command3, Control::Command4,
    Control::Command5, Control::Command6, Control::Command7, Control::Command8, Control::Command9,
};

} // namespace

char* toString(const WindowState& state) {
    const QString text =
        QStringLiteral("Label4 \"%1\" Label6 \"%2\" Label8 \"%3\" Text1 \"%4\" shown %5")
            .arg(state.label4, state.label6, state.label8, state.hand,
                 state.shown.join(QLatin1Char(' ')));
    return qstrdup(text.toUtf8().constData());
}

double ScriptedFractions::nextFraction() {
    if (!script_.empty()) {
        const double next = script_.front();
        script_.pop_front();
        return next;
    }
    ++overdrawn_;
    return fractionForPosition(1 + overdrawn_ % game::kDeckSize);
}

void ScriptedFractions::stackShuffle(const std::vector<std::string>& firstCards) {
    const game::CardNames order = game::makeDeckOrder();
    std::vector<std::string> wanted = firstCards;
    for (const std::string& name : order) {
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end()) {
            wanted.push_back(name);
        }
    }
    for (const std::string& name : wanted) {
        const auto at = std::find(order.begin(), order.end(), name);
        if (at == order.end()) {
            throw std::invalid_argument("no card named \"" + name + "\"");
        }
        script_.push_back(fractionForPosition(static_cast<int>(at - order.begin()) + 1));
    }
}

void ScriptedFractions::scriptEventRoll(int roll) {
    script_.push_back(roll / 20.0);
}

void ScriptedFractions::scriptBetIndex(int index) {
    script_.push_back((index - 1) / 3.0);
}

void WiredGame::Cues::play(std::string_view name, game::CueMode mode) {
    events_.append(
        QStringLiteral("cue %1 %2")
            .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                 mode == game::CueMode::Sync ? QStringLiteral("sync") : QStringLiteral("async")));
}

int WiredGame::LoggedDialogs::messageBox(QWidget* parent, const QString& title,
                                         const QString& prompt, game::Buttons buttons) {
    try {
        const int answer = wired_.script_.messageBox(parent, title, prompt, buttons);
        wired_.noteBox();
        if (const std::function<void()> act = std::exchange(wired_.whileBoxOpen_, {})) {
            act();
        }
        return answer;
    } catch (const std::logic_error&) {
        wired_.noteUnexpectedBox();
        return kResultClosed;
    }
}

std::optional<QString> WiredGame::LoggedDialogs::inputBox(QWidget* parent, const QString& title,
                                                          const QString& prompt) {
    try {
        std::optional<QString> typed = wired_.script_.inputBox(parent, title, prompt);
        wired_.noteBox();
        return typed;
    } catch (const std::logic_error&) {
        wired_.noteUnexpectedBox();
        return std::nullopt;
    }
}

WiredGame::WiredGame() {
    connectCommands(form_, game_);
}

void WiredGame::start(const QString& name) {
    script_.answerInput(name);
    script_.answerBox(game::kResultOk);
    game_.load();
    form_.show();
    form_.activateWindow();
}

void WiredGame::answerOk(int count) {
    for (int box = 0; box < count; ++box) {
        script_.answerBox(game::kResultOk);
    }
}

bool WiredGame::click(game::Control button) {
    QPushButton* pushed = form_.button(button);
    if (pushed == nullptr || !pushed->isVisible() || !pushed->isEnabled()) {
        qWarning("%s cannot be pressed now", game::controlName(button).data());
        return false;
    }
    QTest::mouseClick(pushed, Qt::LeftButton);
    return true;
}

QStringList WiredGame::takeEvents() {
    return std::exchange(events_, {});
}

std::vector<WindowState> WiredGame::takeWindowsAtBoxes() {
    return std::exchange(windowsAtBoxes_, {});
}

WindowState WiredGame::window() const {
    const auto caption = [this](Control label) {
        return qobject_cast<QLabel*>(form_.control(label))->text();
    };
    WindowState state{caption(Control::Label4),
                      caption(Control::Label6),
                      caption(Control::Label8),
                      form_.hand()->toPlainText(),
                      {}};
    for (const Control control : kPhaseControls) {
        if (form_.control(control)->isVisibleTo(&form_)) {
            state.shown.append(QString::fromLatin1(game::controlName(control)));
        }
    }
    return state;
}

void WiredGame::noteBox() {
    events_.append(script_.log().last());
    windowsAtBoxes_.push_back(window());
}

void WiredGame::noteUnexpectedBox() {
    noteBox();
    events_.last().append(QStringLiteral(" (unexpected)"));
    QTest::qFail(qPrintable(QStringLiteral("the script had no answer for ") + events_.last()),
                 __FILE__, __LINE__);
}

QString okBox(const char* prompt) {
    return QStringLiteral("box OK \"Зувик\" \"%1\"").arg(QString::fromUtf8(prompt));
}

QString cue(const char* name) {
    return QStringLiteral("cue %1 sync").arg(QString::fromUtf8(name));
}

QString asyncCue(const char* name) {
    return QStringLiteral("cue %1 async").arg(QString::fromUtf8(name));
}

} // namespace ui::test
