#pragma once
// The install log's table (the wizard's ssLog), as a ready definition: a
// closed set named ssLog with its fields in order and no index. The owner
// opens it; it lives without storage.
//
//   ssLog       Value memo, ValType integer, InfType string 8
#include "datalib/StaticSet.h"

namespace vk {

void defineLog(TStaticSet& set);

}  // namespace vk
