#include "datalib/RecordIndex.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "datalib/FieldValues.h"
#include "platform/LittleEndian.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace vk {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Collation rank of every Windows-1251 byte, derived once from compareText
// over the single characters: compareText weighs one character at a time, so
// comparing ranks byte by byte orders texts exactly as it does, without
// converting each text to UTF-8 on every comparison.
std::array<std::uint16_t, 256> buildCollationRanks() {
    std::array<std::string, 256> characters;
    for (int b = 0; b < 256; ++b) characters[static_cast<std::size_t>(b)] = fromCp1251(std::string(1, static_cast<char>(b)));
    std::array<int, 256> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return compareText(characters[static_cast<std::size_t>(a)], characters[static_cast<std::size_t>(b)]) < 0;
    });
    std::array<std::uint16_t, 256> ranks{};
    std::uint16_t rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && compareText(characters[static_cast<std::size_t>(order[i - 1])],
                                 characters[static_cast<std::size_t>(order[i])]) != 0)
            ++rank;
        ranks[static_cast<std::size_t>(order[i])] = rank;
    }
    return ranks;
}

int compareInteger(std::int64_t a, std::int64_t b) { return a < b ? -1 : a > b ? 1 : 0; }

}  // namespace

int compareAnsiText(std::string_view a, std::string_view b) {
    static const std::array<std::uint16_t, 256> ranks = buildCollationRanks();
    std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        auto ra = ranks[static_cast<std::uint8_t>(a[i])];
        auto rb = ranks[static_cast<std::uint8_t>(b[i])];
        if (ra != rb) return ra < rb ? -1 : 1;
    }
    return compareInteger(static_cast<std::int64_t>(a.size()), static_cast<std::int64_t>(b.size()));
}

std::vector<KeySector> parseKeyList(const RecordLayout& layout, std::string_view names) {
    std::vector<KeySector> keys;
    while (!names.empty()) {
        std::size_t end = names.find(';');
        std::string_view part = trimmed(names.substr(0, end));
        names = end == std::string_view::npos ? std::string_view() : names.substr(end + 1);
        if (part.empty()) continue;
        KeySector key;
        if (part.front() == '+' || part.front() == '-') {
            key.direction = part.front() == '-' ? -1 : 1;
            part = trimmed(part.substr(1));
        }
        key.sector = layout.indexOf(part);
        if (key.sector < 0) throw Error("Сектор с именем " + std::string(part) + " не найден");
        keys.push_back(key);
    }
    return keys;
}

int RecordComparer::compareSector(const KeySector& key, const std::uint8_t* a, const std::uint8_t* b) const {
    if (onCompareSectors_) {
        bool done = false;
        int result = onCompareSectors_(key.sector, a, b, done);
        if (done) return result;
    }
    const Sector& sector = layout_->sector(key.sector);
    switch (sector.type) {
    case SectorType::String:
        return compareAnsiText(layout_->isNull(a, key.sector) ? std::string_view() : layout_->text(a, key.sector),
                               layout_->isNull(b, key.sector) ? std::string_view() : layout_->text(b, key.sector));
    case SectorType::Float: {
        double x = sectorAsFloat(*layout_, a, key.sector), y = sectorAsFloat(*layout_, b, key.sector);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    case SectorType::Boolean:
        return compareInteger(sectorAsBoolean(*layout_, a, key.sector), sectorAsBoolean(*layout_, b, key.sector));
    case SectorType::Integer:
        break;
    }
    return compareInteger(sectorAsInteger(*layout_, a, key.sector), sectorAsInteger(*layout_, b, key.sector));
}

int RecordComparer::compareKeys(const std::uint8_t* a, const std::uint8_t* b, int keyCount) const {
    int count = std::min(keyCount, static_cast<int>(keys_.size()));
    for (int i = 0; i < count; ++i) {
        const KeySector& key = keys_[static_cast<std::size_t>(i)];
        if (int result = compareSector(key, a, b)) return result * key.direction;
    }
    return 0;
}

int RecordComparer::compare(const std::uint8_t* a, const std::uint8_t* b) const {
    if (int result = compareKeys(a, b, static_cast<int>(keys_.size()))) return result;
    return compareInteger(layout_->identity(a), layout_->identity(b));
}

}  // namespace vk
