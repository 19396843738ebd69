#pragma once
// setup-host without a scenario: the default path of a user who takes every
// default. Next until the finish page, then Exit; a question is answered No
// (the link question), a message OK (a failed run's report).
#include "forms/Player.h"
#include "wizard/fSetup.h"

namespace vk::host {

// Throws forms::ScenarioError when Next holds a page (a check failed).
void PlayDefaultPath(forms::Player& player, TfmSetup& wizard);
// One step of it, numbered LINE in the transcript's errors: Next, or Exit on
// the finish page. The path ends when the wizard has.
void PlayDefaultStep(forms::Player& player, TfmSetup& wizard, int line);

}  // namespace vk::host
