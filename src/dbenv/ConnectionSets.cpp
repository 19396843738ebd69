#include "dbenv/ConnectionSets.h"

namespace vk {

namespace {

void start(TStaticSet& set, const char* name, const char* indexFieldNames) {
    set.close();
    set.clearFields();
    set.setName(name);
    set.setIndexFieldNames(indexFieldNames);
}

void addParameterFields(TStaticSet& set) {
    set.addField({"ID", FieldType::AutoInc, 0, false});
    set.addField({"Name", FieldType::String, 64, false});
    set.addField({"Value", FieldType::String, 255, false});
}

}  // namespace

void defineDBParams(TStaticSet& set) {
    start(set, "ssDBParams", "ConnectNo;Name");
    addParameterFields(set);
    set.addField({"ConnectNo", FieldType::Integer, 0, false});
}

void defineSysParams(TStaticSet& set) {
    start(set, "ssSysParams", "Name");
    addParameterFields(set);
}

void defineUpdates(TStaticSet& set) {
    start(set, "ssUpdates", "OrderNo");
    set.addField({"OrderNo", FieldType::Integer, 0, false});
    set.addField({"Name", FieldType::String, 64, false});
    set.addField({"Info", FieldType::Memo, 0, false});
}

ConnectionSets::ConnectionSets() {
    defineDBParams(dbParams);
    defineSysParams(sysParams);
    defineUpdates(updates);
}

void ConnectionSets::attachTo(TFileStorage* storage) {
    for (TStaticSet* set : {&dbParams, &sysParams, &updates}) set->setFileStorage(storage);
}

}  // namespace vk
