// The option table's lookups and the two saving rules.
#include "OptionTable.h"

#include <string>

namespace {

constexpr std::size_t index(OptionSlot slot) {
    return slotIndex(slot);
}

}  // namespace

std::string_view OptionDefault(OptionSlot slot) {
    const std::size_t i = index(slot);
    return i < kOptionSlotCount ? OptionSettings::defaultTexts[i] : std::string_view();
}

std::string_view OptionProposal(OptionSlot slot) {
    switch (slot) {
        case OptionSlot::DIODERS:
            return "1.0E-4";
        case OptionSlot::DIODECJO:
            return "2.0E-12";
        case OptionSlot::BJTCJ:
            return "1.0E-11";
        case OptionSlot::CSHUNT:
            return "1.0E-12";
        default:
            return {};
    }
}

void ResetAndCompare(OptionSettings& record, OptionSlot slot, std::string_view text) {
    const std::size_t i = index(slot);
    if (i >= kOptionSlotCount) {
        return;
    }
    const std::string_view fallback = OptionDefault(slot);
    record.optionIsSet[i] = 0;
    record.optionValues[i] = std::string(fallback);
    if (text != fallback) {
        record.optionValues[i] = std::string(text);
        record.optionIsSet[i] = 1;
    }
}

void ResetAndCompare(OptionSettings& record, OptionSlot slot, int value) {
    ResetAndCompare(record, slot, std::to_string(value));
}

void CompareWithStored(OptionSettings& record, OptionSlot slot, std::string_view text) {
    const std::size_t i = index(slot);
    if (i >= kOptionSlotCount) {
        return;
    }
    if (std::string_view(record.optionValues[i]) != text) {
        record.optionValues[i] = std::string(text);
        record.optionIsSet[i] = 1;
    }
}
