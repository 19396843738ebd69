#pragma once
// The four static sets the setup wizard declares, as ready definitions:
// each function names a closed set, defines its fields in order and its
// index. The owner attaches the container (FileStorage) to the first three
// and opens the log itself, which lives without storage.
//
//   ssDBParams  ID AutoInc, Name string 64, Value string 255, ConnectNo integer
//               index "ConnectNo;Name", record 333 bytes
//   ssSysParams ID AutoInc, Name string 64, Value string 255; index "Name", 328 bytes
//   ssUpdates   OrderNo integer, Name string 64, Info memo; index "OrderNo", 76 bytes
//   ssLog       Value memo, ValType integer, InfType string 8; no index
#include "datalib/FileStorage.h"
#include "datalib/StaticSet.h"

namespace vk {

void defineDBParams(TStaticSet& set);
void defineSysParams(TStaticSet& set);
void defineUpdates(TStaticSet& set);
void defineLog(TStaticSet& set);

// The three sets a connection file holds, defined and, once attached, loaded
// and saved by the container. Declare it before the container, so that the
// container, going first, lets go of the sets.
struct ConnectionSets {
    ConnectionSets();
    void attachTo(TFileStorage* storage);

    TStaticSet dbParams;
    TStaticSet sysParams;
    TStaticSet updates;
};

}  // namespace vk
