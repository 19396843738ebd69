#pragma once
// The registration phase of the install thread: registers every ActiveX
// control (.ocx) in the install folder in-process and lets the product's four
// automation servers register themselves, logging each one whatever its
// outcome. Runs only when the user asked for it and the package allows it.
#include "engine/InstallJob.h"
#include "engine/ProgressMessage.h"

namespace vk {

// The servers, in the order they are started with " -regserver".
inline constexpr const char* kAutomationServers[] = {"Korvex.exe", "Lumtra.exe", "Tablica.exe", "Nadzor.exe"};

// A control that does not load or has no entry point is passed over; a
// failure raised inside its entry point ends the run.
void RunRegistrationPhase(const InstallJob& job, const ProgressSender& progress);

}  // namespace vk
