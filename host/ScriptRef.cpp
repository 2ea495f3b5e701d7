// Parsing REFs and items into the Robot's queries.
#include "ScriptRef.h"

#include <algorithm>

namespace kvhost {
namespace {

// Offsets and ids beyond these name nothing a dialog can hold.
constexpr long long kMaxOffset = 9999;
constexpr long long kMaxId = 0x7FFFFFFF;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The unquoted decimal number held by `arg.text[from, to)`, or -1 when it is not one or
// exceeds `limit`.
long long plainNumber(const Argument& arg, std::size_t from, std::size_t to, long long limit) {
    if (from >= to || to - from > 10) {
        return -1;
    }
    long long value = 0;
    for (std::size_t i = from; i < to; ++i) {
        if (!isDigit(arg.text[i]) || arg.quoted[i]) {
            return -1;
        }
        value = value * 10 + (arg.text[i] - '0');
    }
    return value <= limit ? value : -1;
}

// The control id written after `#` in `arg.text[1, to)`: decimal, optionally negative (a
// static's id is often -1). Ids are the 32-bit values GetDlgCtrlID answers.
std::optional<int> controlId(const Argument& arg, std::size_t to) {
    const bool negative = to > 1 && arg.text[1] == '-' && !arg.quoted[1];
    const long long magnitude = plainNumber(arg, negative ? 2 : 1, to, kMaxId + (negative ? 1 : 0));
    if (magnitude < 0) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace

Result<kvwin32::ControlQuery> parseRef(const Argument& arg) {
    int offset = 0;
    std::size_t end = arg.text.size();
    // The offset: unquoted `+N` or `-N` at the end, after something it applies to.
    std::size_t digits = end;
    while (digits > 0 && isDigit(arg.text[digits - 1]) && !arg.quoted[digits - 1]) {
        --digits;
    }
    const bool signBefore = digits < end && digits >= 2 && !arg.quoted[digits - 1] &&
                            (arg.text[digits - 1] == '+' || arg.text[digits - 1] == '-');
    // `#-1` is an id, not `#` with an offset.
    const bool idSign = digits == 2 && arg.text[0] == '#' && !arg.quoted[0];
    if (signBefore && !idSign) {
        const long long n = plainNumber(arg, digits, end, kMaxOffset);
        if (n < 0) {
            return Error{"offset of REF '" + arg.text + "' is too large"};
        }
        offset = arg.text[digits - 1] == '-' ? -static_cast<int>(n) : static_cast<int>(n);
        end = digits - 1;
    }
    const std::string body = arg.text.substr(0, end);
    const bool plainBody =
        std::none_of(arg.quoted.begin(), arg.quoted.begin() + static_cast<std::ptrdiff_t>(end),
                     [](bool q) { return q; });
    kvwin32::ControlQuery query;
    if (plainBody && body == "focus") {
        query = kvwin32::ControlQuery::focused();
    } else if (!body.empty() && body[0] == '#' && !arg.quoted[0]) {
        const std::optional<int> id = controlId(arg, end);
        if (!id) {
            return Error{"bad control id '" + body + "'"};
        }
        query = kvwin32::ControlQuery::byId(*id);
    } else {
        // `=` and `*` mean the same inside quotes: "=Show", "Number of Threads*".
        query = kvwin32::ControlQuery::byText(body);
        if (query.namesNothing()) {
            return Error{"empty REF: name a control by its text, #ID or focus"};
        }
    }
    query.offset = offset;
    return query;
}

Result<kvwin32::ItemQuery> parseItemRef(const Argument& arg) {
    if (!arg.text.empty() && arg.text[0] == '#' && !arg.quoted[0]) {
        const long long index = plainNumber(arg, 1, arg.text.size(), kMaxId);
        if (index < 0) {
            return Error{"bad item index '" + arg.text + "'"};
        }
        return kvwin32::ItemQuery::at(static_cast<int>(index));
    }
    return kvwin32::ItemQuery::named(arg.text);
}

}  // namespace kvhost
