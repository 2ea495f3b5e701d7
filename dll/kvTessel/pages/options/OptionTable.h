// The option table: every option slot's built-in default text and, for the minimum-value
// options, the text proposed when the user switches one on; the two ways an option is saved;
// and the loops that load, save, reset and copy an options panel or dialog over its field
// table, so that an option field is one row naming its control and its slot.
#pragma once

#include <afxwin.h>

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "kvTessel/OptionSettings.h"
#include "pages/common/FieldTable.h"

// The built-in default text of a slot (empty for the minimum-value options: not used).
std::string_view OptionDefault(OptionSlot slot);

// The text the advanced analog dialog fills in when the user switches on a minimum-value option
// (DIODERS, DIODECJO, BJTCJ, CSHUNT); empty for every other slot.
std::string_view OptionProposal(OptionSlot slot);

// Saving by reset-and-compare: the slot returns to its default with its flag 0, then takes
// `text` with flag 1 when `text` differs from the default (an exact, case-sensitive comparison
// of the whole text).
void ResetAndCompare(OptionSettings& record, OptionSlot slot, std::string_view text);
// The same for a number the panel keeps as an int, formatted "%d".
void ResetAndCompare(OptionSettings& record, OptionSlot slot, int value);

// Saving by compare-with-stored: when `text` differs from the text stored in the slot, the slot
// takes it with flag 1; otherwise text and flag stay as they are (the flag is never cleared).
void CompareWithStored(OptionSettings& record, OptionSlot slot, std::string_view text);

namespace options {

using fields::Field;

// Flags of option rows, beside those of the field tables.
// A check box that shows the inverse of its switch (NOBIAS ...).
inline constexpr unsigned kInverted = 1u << 8;
// An int shown as the slot's number minus 1 (timing mode -> radio index).
inline constexpr unsigned kFromOne = 1u << 9;
// The slot is saved by compare-with-stored, not by reset-and-compare.
inline constexpr unsigned kComparesStored = 1u << 10;

// An option slot shown as a text (an edit or an editable list).
template <class Owner>
constexpr Field<Owner, OptionSettings> optionField(int id, CString Owner::*member, OptionSlot slot,
                                                   unsigned flags = 0) {
    return {id, member, slot, fields::Exchange::text, flags};
}
// An option slot shown as an int (an edit read as a number, a radio group, a drop-down index).
template <class Owner>
constexpr Field<Owner, OptionSettings> intSlotField(int id, int Owner::*member, OptionSlot slot,
                                                    fields::Exchange how, unsigned flags = 0) {
    return {id, member, slot, how, flags};
}
// A switch of the record shown by a check box that reads the other way round.
template <class Owner>
constexpr Field<Owner, OptionSettings> invertedCheckField(int id, int Owner::*member,
                                                          std::int32_t OptionSettings::*stored,
                                                          unsigned flags = 0) {
    return {id, member, stored, fields::Exchange::check, flags | kInverted};
}

namespace internal {

template <class Owner>
const OptionSlot* slotOf(const Field<Owner, OptionSettings>& row) {
    return std::get_if<OptionSlot>(&row.stored);
}

// The text a row's member gives its slot: the member's text, or the int formatted "%d".
template <class Owner>
std::string slotText(const Owner& owner, const Field<Owner, OptionSettings>& row) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& held = owner.*member;
            if constexpr (std::is_same_v<std::decay_t<decltype(held)>, CString>) {
                return static_cast<LPCSTR>(held);
            } else {
                return std::to_string((row.flags & kFromOne) != 0 ? held + 1 : held);
            }
        },
        row.member);
}

}  // namespace internal

// Copies every row from the record into its member.
template <class Owner>
void loadOptions(Owner& owner, const OptionSettings& record,
                 std::span<const Field<Owner, OptionSettings>> table) {
    for (const auto& row : table) {
        fields::loadField(owner, record, row);
        if (row.flags & (kInverted | kFromOne)) {
            int& held = owner.*std::get<int Owner::*>(row.member);
            held = (row.flags & kInverted) ? (held == 0 ? 1 : 0) : held - 1;
        }
    }
}

// Writes every row into the record: a slot row by reset-and-compare (or compare-with-stored
// when it says so), a switch as it is (or inverted).
template <class Owner>
void saveOptions(const Owner& owner, OptionSettings& record,
                 std::span<const Field<Owner, OptionSettings>> table) {
    for (const auto& row : table) {
        if (const OptionSlot* slot = internal::slotOf(row)) {
            const std::string text = internal::slotText(owner, row);
            if (row.flags & kComparesStored) {
                CompareWithStored(record, *slot, text);
            } else {
                ResetAndCompare(record, *slot, text);
            }
        } else if (row.flags & kInverted) {
            std::int32_t OptionSettings::*stored =
                std::get<std::int32_t OptionSettings::*>(row.stored);
            record.*stored = (owner.*std::get<int Owner::*>(row.member)) == 0 ? 1 : 0;
        } else {
            fields::saveField(owner, record, row);
        }
    }
}

// Gives every text slot row its default text (withDefaults) or the empty text.
template <class Owner>
void resetOptionTexts(Owner& owner, std::span<const Field<Owner, OptionSettings>> table,
                      bool withDefaults) {
    for (const auto& row : table) {
        const OptionSlot* slot = internal::slotOf(row);
        if (auto* member = std::get_if<CString Owner::*>(&row.member); slot && member) {
            owner.** member =
                withDefaults ? CString(std::string(OptionDefault(*slot)).c_str()) : CString();
        }
    }
}

// The values of a dialog's rows, taken so that Cancel can put them back.
using OptionCopy = std::vector<std::variant<CString, int>>;

template <class Owner>
OptionCopy takeCopy(const Owner& owner, std::span<const Field<Owner, OptionSettings>> table) {
    OptionCopy copy;
    copy.reserve(table.size());
    for (const auto& row : table) {
        std::visit([&](auto member) { copy.emplace_back(owner.*member); }, row.member);
    }
    return copy;
}

template <class Owner>
void restoreCopy(Owner& owner, std::span<const Field<Owner, OptionSettings>> table,
                 const OptionCopy& copy) {
    for (std::size_t i = 0; i < table.size() && i < copy.size(); ++i) {
        std::visit(
            [&](auto member) {
                using Held = std::decay_t<decltype(owner.*member)>;
                if (const Held* value = std::get_if<Held>(&copy[i])) {
                    owner.*member = *value;
                }
            },
            table[i].member);
    }
}

}  // namespace options
