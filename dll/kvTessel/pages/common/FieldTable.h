// Field tables: a page or dialog declares each of its fields once, as a row binding the control
// that shows it, the member that holds it while the page lives and the profile field it comes
// from and goes back to. Loading, saving, data exchange, refreshing one field and the modified
// marking are loops over the rows, so a field cannot be loaded one way and saved another.
// What a row cannot say (an order the product requires, a rule between fields, a modal
// sub-dialog) stays explicit code in the page, beside its table.
#pragma once

#include <afxwin.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

#include "PathUtil.h"
#include "kvTessel/OptionSettings.h"

namespace fields {

// What a field does besides being loaded, shown and saved.
enum Flag : unsigned {
    kNoFlags = 0,
    kPath = 1u << 0,           // saved normalised (PathUtil::normalize, not made full)
    kInputOnly = 1u << 1,      // saved only while the page's input fields are editable
    kMarksModified = 1u << 2,  // a change the user makes marks the page modified
    kDigitsOnly = 1u << 3,     // the edit takes digits only (ES_NUMBER)
};

// How the control shows the member, and which notification says the user changed it.
enum class Exchange {
    text,         // edit or editable combo text (EN_CHANGE)
    check,        // check box, 0 or 1 (BN_CLICKED)
    radio,        // index within a radio group that starts at the row's control (BN_CLICKED)
    comboIndex,   // selected index of a drop-down list (CBN_SELCHANGE)
    comboString,  // selected text of a combo box (CBN_SELCHANGE, and CBN_EDITCHANGE)
};

// Where a field lives in a Record: a string, 32-bit or 16-bit int member; in OptionSettings
// also an option slot. A 16-bit field is widened with sign when loaded and cut to 16 bits
// when saved.
template <class Record>
struct StoredOf {
    using type = std::variant<vnt_string Record::*, std::int32_t Record::*, std::int16_t Record::*>;
};
template <class Record>
requires requires(Record& record) {
    record.optionValues;
}
struct StoredOf<Record> {
    using type = std::variant<vnt_string Record::*, std::int32_t Record::*, std::int16_t Record::*,
                              OptionSlot>;
};

// One field of an Owner (page or dialog) stored in a Record (profile sub-record).
template <class Owner, class Record>
struct Field {
    using OwnerMember = std::variant<CString Owner::*, int Owner::*>;
    using Stored = typename StoredOf<Record>::type;

    int controlId;
    OwnerMember member;
    Stored stored;
    Exchange exchange = Exchange::text;
    unsigned flags = kNoFlags;

    bool has(Flag flag) const { return (flags & flag) != 0; }
};

// Row makers, one per kind of control, so that a row cannot pair a check box with a text.
template <class Owner, class Record>
constexpr Field<Owner, Record> textField(int id, CString Owner::*member, vnt_string Record::*stored,
                                         unsigned flags = kNoFlags) {
    return {id, member, stored, Exchange::text, flags};
}
template <class Owner, class Record>
constexpr Field<Owner, Record> slotField(int id, CString Owner::*member, OptionSlot slot,
                                         unsigned flags = kNoFlags) {
    return {id, member, slot, Exchange::text, flags};
}
template <class Owner, class Record>
constexpr Field<Owner, Record> checkField(int id, int Owner::*member, std::int32_t Record::*stored,
                                          unsigned flags = kNoFlags) {
    return {id, member, stored, Exchange::check, flags};
}
template <class Owner, class Record, class Int>
constexpr Field<Owner, Record> radioField(int firstId, int Owner::*member, Int Record::*stored,
                                          unsigned flags = kNoFlags) {
    return {firstId, member, stored, Exchange::radio, flags};
}
template <class Owner, class Record>
constexpr Field<Owner, Record> comboIndexField(int id, int Owner::*member,
                                               std::int32_t Record::*stored,
                                               unsigned flags = kNoFlags) {
    return {id, member, stored, Exchange::comboIndex, flags};
}
template <class Owner, class Record>
constexpr Field<Owner, Record> comboTextField(int id, CString Owner::*member,
                                              vnt_string Record::*stored,
                                              unsigned flags = kNoFlags) {
    return {id, member, stored, Exchange::comboString, flags};
}

namespace internal {

// The text of an option slot; only records with option slots (OptionSettings) have one.
template <class Record>
requires requires(Record& record) {
    record.optionValues;
}
vnt_string* slotText(Record& record, OptionSlot slot) {
    return &record.optionValues[static_cast<std::size_t>(slot)];
}

// A member's place in the record.
template <class Record, class Value>
Value* memberOf(Record& record, Value Record::*member) {
    return &(record.*member);
}

// Where a row's value lives in the record: a string or int member, or an option slot's text.
// (Both are reached through a call that depends on the alternative, so that a record without
// option slots never names them.)
template <class Record, class Stored>
auto storedTarget(Record& record, const Stored& stored) {
    return std::visit(
        [&record](const auto& where) -> std::variant<vnt_string*, std::int32_t*, std::int16_t*> {
            if constexpr (std::is_same_v<std::decay_t<decltype(where)>, OptionSlot>) {
                return slotText(record, where);
            } else {
                return memberOf(record, where);
            }
        },
        stored);
}

}  // namespace internal

// Copies one row's profile value into its member (ints shown as text become decimal text).
template <class Owner, class Record>
void loadField(Owner& owner, const Record& record, const Field<Owner, Record>& field) {
    auto target = internal::storedTarget(const_cast<Record&>(record), field.stored);
    std::visit(
        [&owner](auto member, auto* value) {
            auto& held = owner.*member;
            using Held = std::decay_t<decltype(held)>;
            using Value = std::decay_t<decltype(*value)>;
            if constexpr (std::is_same_v<Held, CString> && std::is_same_v<Value, vnt_string>) {
                held = value->c_str();
            } else if constexpr (std::is_same_v<Held, int> && std::is_integral_v<Value>) {
                held = *value;
            } else if constexpr (std::is_same_v<Held, CString>) {
                held = std::to_string(*value).c_str();
            } else {
                held = std::atoi(value->c_str());
            }
        },
        field.member, target);
}

// Copies one row's member into the profile, normalising paths.
template <class Owner, class Record>
void saveField(const Owner& owner, Record& record, const Field<Owner, Record>& field) {
    auto target = internal::storedTarget(record, field.stored);
    const bool path = field.has(kPath);
    std::visit(
        [&owner, path](auto member, auto* value) {
            const auto& held = owner.*member;
            using Held = std::decay_t<decltype(held)>;
            using Value = std::decay_t<decltype(*value)>;
            if constexpr (std::is_same_v<Held, CString> && std::is_same_v<Value, vnt_string>) {
                *value = static_cast<LPCSTR>(held);
                if (path) {
                    PathUtil::normalize(*value, false);
                }
            } else if constexpr (std::is_same_v<Held, int> && std::is_integral_v<Value>) {
                *value = static_cast<Value>(held);
            } else if constexpr (std::is_same_v<Held, CString>) {
                *value = static_cast<Value>(std::atoi(static_cast<LPCSTR>(held)));
            } else {
                *value = std::to_string(held);
            }
        },
        field.member, target);
}

// Loads every row.
template <class Owner, class Record>
void loadFields(Owner& owner, const Record& record, std::span<const Field<Owner, Record>> table) {
    for (const auto& field : table) {
        loadField(owner, record, field);
    }
}

// Saves every row, except rows carrying any of `skip` (kInputOnly while the input is read-only).
template <class Owner, class Record>
void saveFields(const Owner& owner, Record& record, std::span<const Field<Owner, Record>> table,
                unsigned skip = kNoFlags) {
    for (const auto& field : table) {
        if ((field.flags & skip) == 0) {
            saveField(owner, record, field);
        }
    }
}

// The row whose profile side is `stored`, or null.
template <class Owner, class Record, class Stored>
const Field<Owner, Record>* findStored(std::span<const Field<Owner, Record>> table,
                                       const Stored& stored) {
    for (const auto& field : table) {
        if (const Stored* where = std::get_if<Stored>(&field.stored); where && *where == stored) {
            return &field;
        }
    }
    return nullptr;
}

// The row shown by control `id`, or null.
template <class Owner, class Record>
const Field<Owner, Record>* findControl(std::span<const Field<Owner, Record>> table, int id) {
    for (const auto& field : table) {
        if (field.controlId == id) {
            return &field;
        }
    }
    return nullptr;
}

// Moves one row between its control and its member, in the direction of the exchange.
void exchangeText(CDataExchange* dx, int id, CString& value);
void exchangeInt(CDataExchange* dx, int id, Exchange how, int& value);
void exchangeComboText(CDataExchange* dx, int id, CString& value);

// Data exchange of every row, in table order.
template <class Owner, class Record>
void exchangeFields(CDataExchange* dx, Owner& owner, std::span<const Field<Owner, Record>> table) {
    for (const auto& field : table) {
        std::visit(
            [&](auto member) {
                auto& held = owner.*member;
                if constexpr (std::is_same_v<std::decay_t<decltype(held)>, CString>) {
                    if (field.exchange == Exchange::comboString) {
                        exchangeComboText(dx, field.controlId, held);
                    } else {
                        exchangeText(dx, field.controlId, held);
                    }
                } else {
                    exchangeInt(dx, field.controlId, field.exchange, held);
                }
            },
            field.member);
    }
}

// Whether a WM_COMMAND notification (its wParam) of a control of `dialog` is a change the
// user made to the field shown at `id`: EN_CHANGE of a text, BN_CLICKED of a check box or of
// any button of the radio group that starts at `id`, CBN_SELCHANGE (or CBN_EDITCHANGE) of a
// combo box.
bool isChangeOf(CWnd& dialog, Exchange how, int id, WPARAM wParam);

// Whether the notification changes a row that marks the page modified.
template <class Owner, class Record>
bool marksModified(CWnd& dialog, std::span<const Field<Owner, Record>> table, WPARAM wParam) {
    for (const auto& field : table) {
        if (field.has(kMarksModified) &&
            isChangeOf(dialog, field.exchange, field.controlId, wParam)) {
            return true;
        }
    }
    return false;
}

// Gives the edits of rows flagged kDigitsOnly the ES_NUMBER style (at the dialog's start).
void applyDigitsOnly(CWnd& dialog, std::span<const int> ids);

template <class Owner, class Record>
void applyDigitsOnly(CWnd& dialog, std::span<const Field<Owner, Record>> table) {
    for (const auto& field : table) {
        if (field.has(kDigitsOnly)) {
            const int id = field.controlId;
            applyDigitsOnly(dialog, std::span<const int>(&id, 1));
        }
    }
}

}  // namespace fields
