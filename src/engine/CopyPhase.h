#pragma once
// The copy phase of the install thread: walks the payload records in stored
// order, picks those that belong to this installation by file kind and the
// user's choices, expands them into their folders and logs every file it
// created and every folder it used. Only one record's data is in memory at a
// time (correction files excepted, which the wizard gets in memory).
#include "engine/InstallJob.h"
#include "engine/ProgressMessage.h"

namespace vk {

// Failures of a record that the phase does not absorb (a destination folder
// that cannot be made, a destination file that cannot be written, an
// expansion that fails, a name that would leave its folder) propagate and
// end the run. Absorbed: the system folder's copy of a system package and
// the deletion of the old runtime packages.
void RunCopyPhase(const InstallJob& job, const ProgressSender& progress);

}  // namespace vk
