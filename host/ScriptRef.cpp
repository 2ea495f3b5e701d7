// Parsing REFs and items, and matching control texts.
#include "ScriptRef.h"

#include <algorithm>

namespace kvhost {
namespace {

// Offsets and ids beyond these name nothing a dialog can hold.
constexpr int kMaxOffset = 9999;
constexpr long long kMaxId = 0x7FFFFFFF;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The unquoted decimal number held by `text[from, to)`, or -1 when it is not one or exceeds
// `limit`.
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

}  // namespace

std::string normalizeRefText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c != '&') {
            out += c;
        }
    }
    const auto first = out.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = out.find_last_not_of(" \t");
    return out.substr(first, last - first + 1);
}

bool refTextMatches(std::string_view refText, std::string_view controlText) {
    const bool prefix = !refText.empty() && refText.back() == '*';
    if (prefix) {
        refText.remove_suffix(1);
    }
    const std::string want = normalizeRefText(refText);
    const std::string have = normalizeRefText(controlText);
    if (prefix) {
        return have.compare(0, want.size(), want) == 0;
    }
    return have == want;
}

bool Ref::matches(std::string_view controlText) const {
    const std::string have = normalizeRefText(controlText);
    if (prefix) {
        return have.compare(0, matchText.size(), matchText) == 0;
    }
    return have == matchText;
}

Result<Ref> parseRef(const Argument& arg) {
    Ref ref;
    std::size_t end = arg.text.size();
    // The offset: unquoted `+N` or `-N` at the end, after something it applies to.
    std::size_t digits = end;
    while (digits > 0 && isDigit(arg.text[digits - 1]) && !arg.quoted[digits - 1]) {
        --digits;
    }
    if (digits < end && digits >= 2 && !arg.quoted[digits - 1] &&
        (arg.text[digits - 1] == '+' || arg.text[digits - 1] == '-')) {
        const long long n = plainNumber(arg, digits, end, kMaxOffset);
        if (n < 0) {
            return Error{"offset of REF '" + arg.text + "' is too large"};
        }
        ref.offset = arg.text[digits - 1] == '-' ? -static_cast<int>(n) : static_cast<int>(n);
        end = digits - 1;
    }
    const std::string body = arg.text.substr(0, end);
    const bool plainBody =
        std::none_of(arg.quoted.begin(), arg.quoted.begin() + end, [](bool q) { return q; });
    if (plainBody && body == "focus") {
        ref.kind = RefKind::focus;
        ref.text = body;
        return ref;
    }
    if (!body.empty() && body[0] == '#' && !arg.quoted[0]) {
        const long long id = plainNumber(arg, 1, end, kMaxId);
        if (id < 0) {
            return Error{"bad control id '" + body + "'"};
        }
        ref.kind = RefKind::id;
        ref.id = static_cast<int>(id);
        ref.text = body;
        return ref;
    }
    std::string_view text = body;
    if (!text.empty() && text.front() == '=') {
        ref.ownTextOnly = true;
        text.remove_prefix(1);
    }
    if (!text.empty() && text.back() == '*') {
        ref.prefix = true;
        text.remove_suffix(1);
    }
    ref.text = std::string(text);
    ref.matchText = normalizeRefText(text);
    if (ref.matchText.empty() && !ref.prefix) {
        return Error{"empty REF: name a control by its text, #ID or focus"};
    }
    return ref;
}

Result<ItemRef> parseItemRef(const Argument& arg) {
    ItemRef item;
    if (!arg.text.empty() && arg.text[0] == '#' && !arg.quoted[0]) {
        const long long index = plainNumber(arg, 1, arg.text.size(), kMaxId);
        if (index < 0) {
            return Error{"bad item index '" + arg.text + "'"};
        }
        item.byIndex = true;
        item.index = static_cast<int>(index);
        return item;
    }
    item.text = arg.text;
    return item;
}

}  // namespace kvhost
