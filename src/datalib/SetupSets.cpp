#include "datalib/SetupSets.h"

namespace vk {

void defineLog(TStaticSet& set) {
    set.close();
    set.clearFields();
    set.setName("ssLog");
    set.setIndexFieldNames("");
    set.addField({"Value", FieldType::Memo, 0, false});
    set.addField({"ValType", FieldType::Integer, 0, false});
    set.addField({"InfType", FieldType::String, 8, false});
}

}  // namespace vk
