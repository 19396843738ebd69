#pragma once
// The three tables of a connection file, as ready definitions: each function
// names a closed set, defines its fields in order and its index.
//
//   ssDBParams  ID AutoInc, Name string 64, Value string 255, ConnectNo integer
//               index "ConnectNo;Name", record 333 bytes
//   ssSysParams ID AutoInc, Name string 64, Value string 255; index "Name", 328 bytes
//   ssUpdates   OrderNo integer, Name string 64, Info memo; index "OrderNo", 76 bytes
#include "datalib/FileStorage.h"
#include "datalib/StaticSet.h"

namespace vk {

void defineDBParams(TStaticSet& set);
void defineSysParams(TStaticSet& set);
void defineUpdates(TStaticSet& set);

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

// The wizard's FileStorage1 with its three sets attached: one connection file
// at a time is loaded into the sets and saved back.
struct ConnectionStorage {
    ConnectionStorage() { sets.attachTo(&FileStorage1); }
    ConnectionStorage(const ConnectionStorage&) = delete;
    ConnectionStorage& operator=(const ConnectionStorage&) = delete;

    ConnectionSets sets;
    TFileStorage FileStorage1;
};

}  // namespace vk
