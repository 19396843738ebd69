#pragma once
// The key list of a static set and the comparison of records by it.
//
// Text compares case-insensitively in the ANSI collation; integers as signed
// numbers (null reads as 0 or empty text); floats as doubles; booleans false
// before true. Equal keys fall back to the record identity, so a full
// comparison never ties and equal keys keep creation order.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "datalib/RecordLayout.h"

namespace vk {

struct KeySector {
    int sector = 0;
    int direction = 1;  // +1 ascending, -1 descending
};

// Splits "ConnectNo;-Name" into key sectors; a name that matches no field
// throws Error "Сектор с именем X не найден".
std::vector<KeySector> parseKeyList(const RecordLayout& layout, std::string_view indexFieldNames);

// Asked first for each key sector; sets done to have its result (before the
// direction is applied) replace the comparison by type.
using CompareSectorsHandler =
    std::function<int(int sector, const std::uint8_t* record1, const std::uint8_t* record2, bool& done)>;

// Compares two Windows-1251 texts as compareText compares their UTF-8 forms.
int compareAnsiText(std::string_view a, std::string_view b);

class RecordComparer {
public:
    RecordComparer(const RecordLayout& layout, std::vector<KeySector> keys, CompareSectorsHandler onCompareSectors)
        : layout_(&layout), keys_(std::move(keys)), onCompareSectors_(std::move(onCompareSectors)) {}

    const std::vector<KeySector>& keys() const { return keys_; }
    // The first keyCount key sectors only (lookups and ranges).
    int compareKeys(const std::uint8_t* a, const std::uint8_t* b, int keyCount) const;
    // All key sectors, then the identity.
    int compare(const std::uint8_t* a, const std::uint8_t* b) const;

private:
    int compareSector(const KeySector& key, const std::uint8_t* a, const std::uint8_t* b) const;

    const RecordLayout* layout_;
    std::vector<KeySector> keys_;
    CompareSectorsHandler onCompareSectors_;
};

}  // namespace vk
