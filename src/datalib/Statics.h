#pragma once
// The static set unit: the in-memory table, its stream format and the hook
// through which a container loads and saves it.
#include "datalib/StaticSet.h"
#include "datalib/StaticSetContainer.h"
#include "datalib/StaticSetStream.h"
