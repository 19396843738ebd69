#pragma once
// The choices the wizard starts with on this machine, handed to the install
// thread as the wizard's start step would: a fresh installation into the
// default program folder, every configuration ticked, the database engine
// when none is installed, the database client (Firebird) when GDS32.DLL does
// not load, and registration as the package asks.
#include <string>

#include "dbenv/ConfigTable.h"
#include "engine/ProcessThread.h"

namespace vk::host {

void applyWizardDefaults(TProcessThread& worker, ConfigTable& configs, bool clientPart, const std::string& netPath);

}  // namespace vk::host
