// SPDX-License-Identifier: MIT
#include "benchmarks/cue_timing/match_script.h"

#include "game/game.h"
#include "game/random_source.h"

#include <array>
#include <random>

namespace cuetiming {

namespace {

// The rules' window and cue player, writing down what reaches the player's eyes and ears.
class ScriptWorld final : public game::View, public game::CuePlayer {
public:
    void setCaption(game::Control, std::string_view) override {}
    void setVisible(game::Control control, bool visible) override {
        visible_[static_cast<std::size_t>(control)] = visible;
    }
    [[nodiscard]] std::string handText() const override { return hand_; }
    void setHandText(std::string_view text) override { hand_.assign(text); }
    void focusHand() override {}
    int messageBox(std::string_view, game::Buttons buttons, std::string_view) override {
        steps.push_back({Step::Kind::Box, {}});
        return buttons == game::Buttons::Ok ? game::kResultOk : game::kResultYes;
    }
    std::string inputBox(std::string_view) override {
        steps.push_back({Step::Kind::Box, {}});
        return "Тест";
    }
    game::RulesFile readRulesFile() override { return {}; }
    void terminate() override {}
    void play(std::string_view name, game::CueMode mode) override {
        steps.push_back({Step::Kind::Cue, std::string(name), mode == game::CueMode::Sync});
        ++cues;
    }

    [[nodiscard]] bool isVisible(game::Control control) const {
        return visible_[static_cast<std::size_t>(control)];
    }

    std::vector<Step> steps;
    std::size_t cues = 0;

private:
    std::array<bool, 18> visible_{};
    std::string hand_;
};

} // namespace

std::vector<Step> matchScript(std::size_t cues, std::uint64_t seed) {
    ScriptWorld world;
    game::SystemRandom random(seed);
    std::mt19937_64 hand(seed + 1);
    game::TableState table;
    game::Game game(world, world, random, table);
    game.load();
    while (world.cues < cues) {
        std::vector<game::Command> offered;
        for (const game::Command command : game::kCommands) {
            if (const auto button = game::buttonOf(command); button && world.isVisible(*button)) {
                offered.push_back(command);
            }
        }
        world.steps.push_back({Step::Kind::Click, {}});
        game.run(
            offered.at(std::uniform_int_distribution<std::size_t>(0, offered.size() - 1)(hand)));
    }
    return world.steps;
}

} // namespace cuetiming
