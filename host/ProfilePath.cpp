// Dotted profile paths over the document's JSON form: reading walks the JSON of the profile;
// writing replaces one value in that JSON and hands the changed top-level member back to the
// document, which checks it as it checks a loaded file.
#include "ProfilePath.h"

#include <charconv>

namespace kvhost {
namespace {

using nlohmann::json;

// The parts of `key`; an error for an empty key or an empty part.
Result<std::vector<std::string>> splitKey(std::string_view key) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = key.find('.', start);
        const std::string_view part =
            key.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        if (part.empty()) {
            return Error{"bad profile key '" + std::string(key) + "'"};
        }
        parts.emplace_back(part);
        if (dot == std::string_view::npos) {
            return parts;
        }
        start = dot + 1;
    }
}

// The list index written as `part`, or -1 when it is not a decimal number.
long long indexOf(const std::string& part) {
    long long value = -1;
    const auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (ec != std::errc() || ptr != part.data() + part.size() || value < 0) {
        return -1;
    }
    return value;
}

std::string joined(const std::vector<std::string>& parts, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += (i == 0 ? "" : ".") + parts[i];
    }
    return out;
}

// How a walk treats a null sub-record and the end of a list.
enum class Walk {
    read,    // both are errors
    shape,   // indices are not checked (the schema's lists hold one sample item)
    create,  // a null sub-record becomes a zero one; one past the end appends a zero item
};

// The value at `parts` inside `root`; with Walk::create, `root` is extended as needed.
Result<json*> walk(json& root, const std::vector<std::string>& parts, Walk mode) {
    json* at = &root;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (at->is_null() && i == 1 && mode == Walk::create) {
            *at = ProfileDocument::schemaJson(false)[parts[0]];
        }
        if (at->is_object()) {
            const auto it = at->find(part);
            if (it == at->end()) {
                return Error{"unknown key '" + joined(parts, i + 1) + "'"};
            }
            at = &*it;
        } else if (at->is_array()) {
            const long long index = indexOf(part);
            if (index < 0) {
                return Error{"'" + joined(parts, i) + "' is a list: '" + part +
                             "' is not an index"};
            }
            const auto size = static_cast<long long>(at->size());
            if (mode == Walk::shape) {
                if (at->empty()) {
                    return Error{"unknown key '" + joined(parts, i + 1) + "'"};
                }
                at = &(*at)[0];
                continue;
            }
            if (mode == Walk::create && index == size) {
                // The new item's shape comes from the schema's sample item of this list.
                json sample = ProfileDocument::schemaJson(true);
                std::vector<std::string> samplePath(parts.begin(), parts.begin() + i);
                samplePath.emplace_back("0");
                auto shaped = walk(sample, samplePath, Walk::shape);
                if (!shaped) {
                    return Error{shaped.error()};
                }
                at->push_back(*shaped.value());
            } else if (index >= size) {
                return Error{"'" + joined(parts, i + 1) + "' is past the end of a list of " +
                             std::to_string(size)};
            }
            at = &(*at)[static_cast<std::size_t>(index)];
        } else if (at->is_null()) {
            return Error{"'" + joined(parts, i) + "' is null"};
        } else {
            return Error{"'" + joined(parts, i) + "' has no part '" + part + "'"};
        }
    }
    return at;
}

// `valueText` as a value of the same JSON type as `current`, the member at `key`.
Result<json> convert(const json& current, const std::string& key, std::string_view valueText) {
    if (current.is_string()) {
        return json(std::string(valueText));
    }
    if (current.is_boolean()) {
        if (valueText == "true" || valueText == "1") {
            return json(true);
        }
        if (valueText == "false" || valueText == "0") {
            return json(false);
        }
        return Error{"'" + key + "' is a flag: '" + std::string(valueText) +
                     "' is not true or false"};
    }
    auto parsed = parseJsonText(valueText);
    if (current.is_number()) {
        if (!parsed || !parsed.value().is_number()) {
            return Error{"'" + key + "' is a number: '" + std::string(valueText) +
                         "' is not a number"};
        }
        return parsed;
    }
    if (!parsed) {
        return Error{"'" + key + "': " + parsed.error()};
    }
    return parsed;
}

// The profile's JSON with `valueText` put at `parts`, checked and normalised through a
// scratch document (so missing fields read as zero); also the member's old value.
struct Replaced {
    json before;  // the value at the path before
    json after;   // the whole profile with the value replaced, normalised
};

Result<Replaced> replaceAt(const ProfileDocument& doc, const std::vector<std::string>& parts,
                           const std::string& key, std::string_view valueText, Walk mode) {
    json root = doc.toJson();
    auto target = walk(root, parts, mode);
    if (!target) {
        return Error{target.error()};
    }
    Replaced out;
    out.before = *target.value();
    // The type of a null sub-record is the sub-record: whatever JSON the text holds.
    auto value = convert(out.before, key, valueText);
    if (!value) {
        return Error{value.error()};
    }
    *target.value() = std::move(value).value();
    auto scratch = ProfileDocument::fromJson(root);
    if (!scratch) {
        return Error{scratch.error()};
    }
    out.after = scratch.value().toJson();
    return out;
}

}  // namespace

Status ProfilePath::validate(std::string_view key) {
    auto parts = splitKey(key);
    if (!parts) {
        return Error{parts.error()};
    }
    json schema = ProfileDocument::schemaJson(true);
    if (auto at = walk(schema, parts.value(), Walk::shape); !at) {
        return Error{at.error()};
    }
    return success();
}

Result<nlohmann::json> ProfilePath::get(const ProfileDocument& doc, std::string_view key) {
    auto parts = splitKey(key);
    if (!parts) {
        return Error{parts.error()};
    }
    json root = doc.toJson();
    auto at = walk(root, parts.value(), Walk::read);
    if (!at) {
        return Error{at.error()};
    }
    return *at.value();
}

Result<bool> ProfilePath::equals(const ProfileDocument& doc, std::string_view key,
                                 std::string_view valueText) {
    auto parts = splitKey(key);
    if (!parts) {
        return Error{parts.error()};
    }
    auto replaced = replaceAt(doc, parts.value(), std::string(key), valueText, Walk::read);
    if (!replaced) {
        return Error{replaced.error()};
    }
    auto normalised = walk(replaced.value().after, parts.value(), Walk::read);
    if (!normalised) {
        return Error{normalised.error()};
    }
    return *normalised.value() == replaced.value().before;
}

Status ProfilePath::set(ProfileDocument& doc, std::string_view key, std::string_view valueText) {
    auto parts = splitKey(key);
    if (!parts) {
        return Error{parts.error()};
    }
    auto replaced = replaceAt(doc, parts.value(), std::string(key), valueText, Walk::create);
    if (!replaced) {
        return Error{replaced.error()};
    }
    const std::string& member = parts.value()[0];
    return doc.assignMember(member, replaced.value().after[member]);
}

}  // namespace kvhost
