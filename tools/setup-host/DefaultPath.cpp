#include "DefaultPath.h"

#include <string>

#include "forms/Scenario.h"

namespace vk::host {

void PlayDefaultPath(forms::Player& player, TfmSetup& wizard) {
    // One step at a time, each chosen by the page the last one led to.
    for (int line = 1; !wizard.ended(); ++line) PlayDefaultStep(player, wizard, line);
}

void PlayDefaultStep(forms::Player& player, TfmSetup& wizard, int line) {
    player.defaultAnswer = [](const std::string&, forms::MsgDlgType, forms::MsgButtons buttons) {
        return std::optional((buttons & forms::mbNo) ? forms::MsgDlgBtn::No : forms::MsgDlgBtn::OK);
    };
    const int page = wizard.nbMain.pageIndex();
    std::vector<forms::Step> steps = forms::parseScenario(page == pgFinish ? "exit" : "next", "the default path");
    steps.front().line = line;
    player.play(wizard, steps);
    if (!wizard.ended() && wizard.nbMain.pageIndex() == page)
        throw forms::ScenarioError("the default path: Next holds page " + std::to_string(page));
}

}  // namespace vk::host
