// Reading and writing kvhost's profile document as JSON, driven by the field tables of
// ProfileFields.h, and the document's ownership of the records.
#include "ProfileJson.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <type_traits>
#include <utility>

#include "Ansi.h"
#include "FileWrite.h"
#include "ProfileFields.h"

namespace kvhost {

using nlohmann::json;
using nlohmann::ordered_json;

struct ProfileDocument::Storage {
    // The profile itself; its pointers point into the records below or are null.
    std::unique_ptr<SimProfile> profile = std::make_unique<SimProfile>();
    std::unique_ptr<TransientSettings> transient;
    std::unique_ptr<AcSweepSettings> acSweep;
    std::unique_ptr<SweepSettings> dcPrimarySweep;
    std::unique_ptr<SweepSettings> dcSecondarySweep;
    std::unique_ptr<SweepSettings> parametricSweep;
    std::unique_ptr<BiasPointSettings> biasPoint;
    std::unique_ptr<TemperatureSettings> temperature;
    std::unique_ptr<LoadBiasSettings> loadBias;
    std::unique_ptr<CheckpointSettings> checkpoint;
    std::unique_ptr<RestartSettings> restart;
    std::unique_ptr<TranSaveBiasSettings> transientSaveBias;
    std::unique_ptr<DcSaveBiasSettings> dcSaveBias;
    std::unique_ptr<MonteCarloSettings> monteCarlo;
    std::unique_ptr<GeneralSettings> general;
    std::unique_ptr<HostFileConfig> fileConfig;
    std::unique_ptr<OptionSettings> options;
    std::unique_ptr<DataCollectionSettings> dataCollection;
    std::unique_ptr<ProbeWindowSettings> probeWindow;
    std::unique_ptr<MeasurementSettings> measurements;
    // Every checkpoint entry the document created or adopted; the records point at them.
    std::vector<std::unique_ptr<CCheckPointReader>> entries;
};

namespace {

using Storage = ProfileDocument::Storage;

static_assert(fields::allNamed<TransientSettings>() && fields::allNamed<TranSaveBiasSettings>() &&
              fields::allNamed<AcSweepSettings>() && fields::allNamed<BiasPointSettings>() &&
              fields::allNamed<SweepSettings>() && fields::allNamed<TemperatureSettings>() &&
              fields::allNamed<LoadBiasSettings>() && fields::allNamed<DcSaveBiasSettings>() &&
              fields::allNamed<CheckpointSettings>() && fields::allNamed<RestartSettings>() &&
              fields::allNamed<MonteCarloSettings>() && fields::allNamed<GeneralSettings>() &&
              fields::allNamed<FileConfigSettings>() && fields::allNamed<OptionSettings>() &&
              fields::allNamed<DataCollectionSettings>() &&
              fields::allNamed<ProbeWindowSettings>() && fields::allNamed<MeasurementSettings>() &&
              fields::allNamed<SimProfile>());

// Calls f(name, profile member, storage slot) for every sub-record, in SimProfile's order.
template <typename F>
void forEachSubRecord(F&& f) {
    f("transient", &SimProfile::transient, &Storage::transient);
    f("acSweep", &SimProfile::acSweep, &Storage::acSweep);
    f("dcPrimarySweep", &SimProfile::dcPrimarySweep, &Storage::dcPrimarySweep);
    f("dcSecondarySweep", &SimProfile::dcSecondarySweep, &Storage::dcSecondarySweep);
    f("parametricSweep", &SimProfile::parametricSweep, &Storage::parametricSweep);
    f("biasPoint", &SimProfile::biasPoint, &Storage::biasPoint);
    f("temperature", &SimProfile::temperature, &Storage::temperature);
    f("loadBias", &SimProfile::loadBias, &Storage::loadBias);
    f("checkpoint", &SimProfile::checkpoint, &Storage::checkpoint);
    f("restart", &SimProfile::restart, &Storage::restart);
    f("transientSaveBias", &SimProfile::transientSaveBias, &Storage::transientSaveBias);
    f("dcSaveBias", &SimProfile::dcSaveBias, &Storage::dcSaveBias);
    f("monteCarlo", &SimProfile::monteCarlo, &Storage::monteCarlo);
    f("general", &SimProfile::general, &Storage::general);
    f("fileConfig", &SimProfile::fileConfig, &Storage::fileConfig);
    f("options", &SimProfile::options, &Storage::options);
    f("dataCollection", &SimProfile::dataCollection, &Storage::dataCollection);
    f("probeWindow", &SimProfile::probeWindow, &Storage::probeWindow);
    f("measurements", &SimProfile::measurements, &Storage::measurements);
}

bool isSubRecordName(std::string_view name) {
    bool found = false;
    forEachSubRecord([&](std::string_view n, auto, auto) { found = found || n == name; });
    return found;
}

bool isScalarName(std::string_view name) {
    return std::any_of(fields::Table<SimProfile>::fields.begin(),
                       fields::Table<SimProfile>::fields.end(),
                       [&](const auto& field) { return field.name == name; });
}

std::string joinPath(const std::string& prefix, std::string_view name) {
    return prefix.empty() ? std::string(name) : prefix + "." + std::string(name);
}

std::string joinPath(const std::string& prefix, std::size_t index) {
    return prefix + "." + std::to_string(index);
}

Error mustBe(const std::string& path, std::string_view what) {
    return Error{"'" + path + "' must be " + std::string(what)};
}

Error unknownKey(const std::string& path) {
    return Error{"unknown key '" + path + "'"};
}

// ---- reading ----------------------------------------------------------------------------

// Reads JSON values into record fields; creates checkpoint entries in the document's storage.
class Reader {
  public:
    explicit Reader(Storage& storage) : m_storage(storage) {}

    // Reads record object `v` at `path` into `out`: unknown keys are refused, missing fields
    // become zero.
    template <typename R>
    Status readRecord(const json& v, const std::string& path, R& out) {
        if (!v.is_object()) {
            return mustBe(path, "an object or null");
        }
        for (const auto& item : v.items()) {
            const auto& table = fields::Table<R>::fields;
            const bool known = std::any_of(table.begin(), table.end(), [&](const auto& field) {
                return field.name == item.key();
            });
            if (!known) {
                return unknownKey(joinPath(path, item.key()));
            }
        }
        return readFields(v, path, out);
    }

    // Reads the fields of R's table from object `v`; keys `v` holds beyond them are ignored.
    template <typename R>
    Status readFields(const json& v, const std::string& path, R& out) {
        for (const auto& field : fields::Table<R>::fields) {
            Status status = success();
            std::visit(
                [&](auto member) {
                    auto& target = out.*member;
                    const auto it = v.find(std::string(field.name));
                    if (it == v.end()) {
                        target = {};
                    } else {
                        status = readValue(*it, joinPath(path, field.name), target);
                    }
                },
                field.member);
            if (!status) {
                return status;
            }
        }
        return success();
    }

  private:
    template <typename T>
    static Status readInteger(const json& v, const std::string& path, T& out) {
        using Limits = std::numeric_limits<T>;
        // The parser keeps a whole number beyond 64 bits as a floating-point one: it is still
        // a whole number, only too large.
        if (v.is_number_float() && std::isfinite(v.get<double>()) &&
            std::trunc(v.get<double>()) == v.get<double>() &&
            std::fabs(v.get<double>()) >= 9.2e18) {
            return outOfRange(path, v.dump(), Limits::min(), Limits::max());
        }
        if (!v.is_number_integer()) {
            return mustBe(path, "an integer");
        }
        bool inRange = false;
        if (v.is_number_unsigned()) {
            const auto value = v.get<std::uint64_t>();
            inRange = value <= static_cast<std::uint64_t>(Limits::max());
            if (inRange) {
                out = static_cast<T>(value);
            }
        } else {
            const auto value = v.get<std::int64_t>();
            inRange = value >= static_cast<std::int64_t>(Limits::min()) &&
                      (value < 0 || static_cast<std::uint64_t>(value) <=
                                        static_cast<std::uint64_t>(Limits::max()));
            if (inRange) {
                out = static_cast<T>(value);
            }
        }
        if (!inRange) {
            return outOfRange(path, v.dump(), Limits::min(), Limits::max());
        }
        return success();
    }

    template <typename T>
    static Error outOfRange(const std::string& path, const std::string& text, T min, T max) {
        return Error{"'" + path + "' is out of range: " + text + " is not between " +
                     std::to_string(static_cast<std::int64_t>(min)) + " and " +
                     std::to_string(static_cast<std::uint64_t>(max))};
    }

    static Status readValue(const json& v, const std::string& path, std::int32_t& out) {
        return readInteger(v, path, out);
    }
    static Status readValue(const json& v, const std::string& path, std::uint32_t& out) {
        return readInteger(v, path, out);
    }
    static Status readValue(const json& v, const std::string& path, std::int16_t& out) {
        return readInteger(v, path, out);
    }

    static Status readValue(const json& v, const std::string& path, bool& out) {
        if (!v.is_boolean()) {
            return mustBe(path, "a boolean");
        }
        out = v.get<bool>();
        return success();
    }

    static Status readValue(const json& v, const std::string& path, vnt_string& out) {
        if (!v.is_string()) {
            return mustBe(path, "a string");
        }
        // The library's texts end at a NUL: what follows one would be dropped without a word.
        if (v.get_ref<const std::string&>().find('\0') != std::string::npos) {
            return Error{"'" + path + "' holds a NUL character (\\u0000)"};
        }
        auto ansi = utf8ToAnsi(v.get_ref<const std::string&>());
        if (!ansi) {
            return Error{"'" + path + "' " + ansi.error()};
        }
        out = std::move(ansi).value();
        return success();
    }

    static Status readValue(const json& v, const std::string& path, std::vector<vnt_string>& out) {
        if (!v.is_array()) {
            return mustBe(path, "an array");
        }
        out.assign(v.size(), vnt_string());
        for (std::size_t i = 0; i < v.size(); ++i) {
            if (Status s = readValue(v[i], joinPath(path, i), out[i]); !s) {
                return s;
            }
        }
        return success();
    }

    // The option-slot arrays: a shorter array leaves the remaining slots zero.
    template <typename T>
    static Status readSlots(const json& v, const std::string& path,
                            std::array<T, kOptionSlotCount>& out) {
        if (!v.is_array()) {
            return mustBe(path, "an array");
        }
        if (v.size() > kOptionSlotCount) {
            return Error{"'" + path + "' holds more than " + std::to_string(kOptionSlotCount) +
                         " items"};
        }
        out = {};
        for (std::size_t i = 0; i < v.size(); ++i) {
            if (Status s = readValue(v[i], joinPath(path, i), out[i]); !s) {
                return s;
            }
        }
        return success();
    }
    static Status readValue(const json& v, const std::string& path, fields::OptionTexts& out) {
        return readSlots(v, path, out);
    }
    static Status readValue(const json& v, const std::string& path, fields::OptionFlags& out) {
        return readSlots(v, path, out);
    }

    // An element object of a list: refuses keys outside `names`.
    static Status checkElementKeys(const json& v, const std::string& path,
                                   std::initializer_list<std::string_view> names) {
        if (!v.is_object()) {
            return mustBe(path, "an object");
        }
        for (const auto& item : v.items()) {
            if (std::find(names.begin(), names.end(), item.key()) == names.end()) {
                return unknownKey(joinPath(path, item.key()));
            }
        }
        return success();
    }

    // Reads `v[name]` into `out`, or zeroes `out` when `v` has no such key.
    template <typename T>
    static Status readMember(const json& v, const std::string& path, std::string_view name,
                             T& out) {
        const auto it = v.find(std::string(name));
        if (it == v.end()) {
            out = {};
            return success();
        }
        return readValue(*it, joinPath(path, name), out);
    }

    static Status readValue(const json& v, const std::string& path, std::vector<MeasData>& out) {
        if (!v.is_array()) {
            return mustBe(path, "an array");
        }
        std::vector<MeasData> list;
        for (std::size_t i = 0; i < v.size(); ++i) {
            const std::string at = joinPath(path, i);
            vnt_string expression;
            bool enabled = false;
            std::int16_t domain = 0;
            Status s = checkElementKeys(v[i], at, {"expression", "enabled", "domain"});
            if (s) {
                s = readMember(v[i], at, "expression", expression);
            }
            if (s) {
                s = readMember(v[i], at, "enabled", enabled);
            }
            if (s) {
                s = readDomain(v[i], at, domain);
            }
            if (!s) {
                return s;
            }
            list.emplace_back(std::move(expression), enabled, static_cast<char>(domain));
        }
        out = std::move(list);
        return success();
    }

    // The domain byte is a char: its range is that of the platform's char.
    static Status readDomain(const json& v, const std::string& path, std::int16_t& out) {
        const auto it = v.find("domain");
        if (it == v.end()) {
            out = 0;
            return success();
        }
        char value = 0;
        if (Status s = readInteger(*it, joinPath(path, "domain"), value); !s) {
            return s;
        }
        out = value;
        return success();
    }

    static Status readValue(const json& v, const std::string& path,
                            std::vector<OutputVariable>& out) {
        if (!v.is_array()) {
            return mustBe(path, "an array");
        }
        std::vector<OutputVariable> list(v.size());
        for (std::size_t i = 0; i < v.size(); ++i) {
            const std::string at = joinPath(path, i);
            Status s = checkElementKeys(v[i], at, {"name", "listed"});
            if (s) {
                s = readMember(v[i], at, "name", list[i].name);
            }
            if (s) {
                const auto it = v[i].find("listed");
                list[i].listed = 0;
                if (it != v[i].end()) {
                    s = readInteger(*it, joinPath(at, "listed"), list[i].listed);
                }
            }
            if (!s) {
                return s;
            }
        }
        out = std::move(list);
        return success();
    }

    Status readValue(const json& v, const std::string& path, std::vector<CCheckPointReader*>& out) {
        if (!v.is_array()) {
            return mustBe(path, "an array");
        }
        std::vector<std::array<vnt_string, 4>> texts(v.size());
        for (std::size_t i = 0; i < v.size(); ++i) {
            const std::string at = joinPath(path, i);
            Status s = checkElementKeys(v[i], at,
                                        {fields::kEntryFields[0], fields::kEntryFields[1],
                                         fields::kEntryFields[2], fields::kEntryFields[3]});
            for (std::size_t f = 0; s && f < fields::kEntryFields.size(); ++f) {
                s = readMember(v[i], at, fields::kEntryFields[f], texts[i][f]);
            }
            if (!s) {
                return s;
            }
        }
        // New entries every time: an entry the library still points at keeps its texts.
        out.clear();
        for (auto& t : texts) {
            m_storage.entries.push_back(std::make_unique<CCheckPointReader>(
                std::move(t[2]), std::move(t[0]), std::move(t[1]), std::move(t[3])));
            out.push_back(m_storage.entries.back().get());
        }
        return success();
    }

    Storage& m_storage;
};

// Reads top-level member `name` of `v` into the document's storage (in place).
Status readMember(Storage& storage, const json& v, std::string_view name) {
    Reader reader(storage);
    Status status = success();
    bool handled = false;
    forEachSubRecord([&](std::string_view n, auto profileMember, auto slot) {
        if (handled || n != name) {
            return;
        }
        handled = true;
        const auto it = v.find(std::string(name));
        if (it == v.end() || it->is_null()) {
            storage.profile.get()->*profileMember = nullptr;
            return;
        }
        auto& record = storage.*slot;
        using Record = typename std::remove_reference_t<decltype(record)>::element_type;
        if (!record) {
            record = std::make_unique<Record>();
        }
        // The field tables of FileConfigSettings serve the host's subclass.
        using Base = std::remove_pointer_t<
            std::remove_reference_t<decltype(std::declval<SimProfile&>().*profileMember)>>;
        status = reader.readRecord<Base>(*it, std::string(name), *record);
        storage.profile.get()->*profileMember = record.get();
    });
    if (!handled) {
        // The scalar members: read them all from a one-key object.
        json one = json::object();
        const auto it = v.find(std::string(name));
        if (it != v.end()) {
            one[std::string(name)] = *it;
        }
        SimProfile copy = *storage.profile;
        status = reader.readFields(one, "", copy);
        if (status) {
            for (const auto& field : fields::Table<SimProfile>::fields) {
                if (field.name == name) {
                    std::visit([&](auto member) { storage.profile.get()->*member = copy.*member; },
                               field.member);
                }
            }
        }
    }
    return status;
}

// ---- writing ----------------------------------------------------------------------------

ordered_json writeValue(std::int32_t v, bool) {
    return v;
}
ordered_json writeValue(std::uint32_t v, bool) {
    return v;
}
ordered_json writeValue(std::int16_t v, bool) {
    return v;
}
ordered_json writeValue(bool v, bool) {
    return v;
}
ordered_json writeValue(const vnt_string& v, bool) {
    return ansiToUtf8(v);
}

ordered_json writeValue(const std::vector<vnt_string>& v, bool sample) {
    ordered_json list = ordered_json::array();
    for (const auto& s : v) {
        list.push_back(ansiToUtf8(s));
    }
    if (sample && v.empty()) {
        list.push_back("");
    }
    return list;
}

template <typename T>
ordered_json writeSlots(const std::array<T, kOptionSlotCount>& v) {
    ordered_json list = ordered_json::array();
    for (const auto& s : v) {
        list.push_back(writeValue(s, false));
    }
    return list;
}
ordered_json writeValue(const fields::OptionTexts& v, bool) {
    return writeSlots(v);
}
ordered_json writeValue(const fields::OptionFlags& v, bool) {
    return writeSlots(v);
}

ordered_json writeValue(const std::vector<MeasData>& v, bool sample) {
    ordered_json list = ordered_json::array();
    auto add = [&](const MeasData& m) {
        ordered_json item = ordered_json::object();
        item["expression"] = ansiToUtf8(m.getExpression());
        item["enabled"] = m.isEnabled();
        item["domain"] = static_cast<int>(m.getDomain());
        list.push_back(std::move(item));
    };
    std::for_each(v.begin(), v.end(), add);
    if (sample && v.empty()) {
        add(MeasData());
    }
    return list;
}

ordered_json writeValue(const std::vector<OutputVariable>& v, bool sample) {
    ordered_json list = ordered_json::array();
    auto add = [&](const OutputVariable& var) {
        ordered_json item = ordered_json::object();
        item["name"] = ansiToUtf8(var.name);
        item["listed"] = static_cast<unsigned>(var.listed);
        list.push_back(std::move(item));
    };
    std::for_each(v.begin(), v.end(), add);
    if (sample && v.empty()) {
        add(OutputVariable());
    }
    return list;
}

ordered_json writeValue(const std::vector<CCheckPointReader*>& v, bool sample) {
    ordered_json list = ordered_json::array();
    auto add = [&](const CCheckPointReader& e) {
        ordered_json item = ordered_json::object();
        item[std::string(fields::kEntryFields[0])] = ansiToUtf8(e.GetSimInterval());
        item[std::string(fields::kEntryFields[1])] = ansiToUtf8(e.GetRealTimeInterval());
        item[std::string(fields::kEntryFields[2])] = ansiToUtf8(e.GetDirectory());
        item[std::string(fields::kEntryFields[3])] = ansiToUtf8(e.GetTimePoints());
        list.push_back(std::move(item));
    };
    for (const auto* entry : v) {
        // A null entry has nothing to show; the library never stores one.
        if (entry != nullptr) {
            add(*entry);
        }
    }
    if (sample && v.empty()) {
        add(CCheckPointReader("", "", "", ""));
    }
    return list;
}

template <typename R>
void writeFields(const R& record, bool sample, ordered_json& out) {
    for (const auto& field : fields::Table<R>::fields) {
        std::visit(
            [&](auto member) { out[std::string(field.name)] = writeValue(record.*member, sample); },
            field.member);
    }
}

template <typename R>
ordered_json writeRecord(const R& record, bool sample) {
    ordered_json out = ordered_json::object();
    writeFields(record, sample, out);
    return out;
}

// ---- text --------------------------------------------------------------------------------

// Where arrays and objects nest deeper than kMaxJsonDepth, as a message with line and column;
// empty when they do not. Strings are skipped so brackets inside them do not count.
std::string depthFault(std::string_view text) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    std::size_t line = 1;
    std::size_t column = 0;
    for (const char c : text) {
        ++column;
        if (c == '\n') {
            ++line;
            column = 0;
        }
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxJsonDepth) {
                return "not JSON: nested more than " + std::to_string(kMaxJsonDepth) +
                       " levels deep at line " + std::to_string(line) + ", column " +
                       std::to_string(column);
            }
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return {};
}

}  // namespace

Result<nlohmann::json> parseJsonText(std::string_view text) {
    if (std::string fault = depthFault(text); !fault.empty()) {
        return Error{std::move(fault)};
    }
    try {
        return json::parse(text.begin(), text.end());
    } catch (const json::exception& e) {
        // The parser's message reads "[json.exception.parse_error.101] parse error at line
        // L, column C: ..."; the bracketed identifier means nothing to a user.
        std::string message = e.what();
        if (const auto close = message.find("] "); close != std::string::npos) {
            message.erase(0, close + 2);
        }
        return Error{"not JSON: " + message};
    }
}

ProfileDocument::ProfileDocument() : m_storage(std::make_unique<Storage>()) {}
ProfileDocument::~ProfileDocument() = default;
ProfileDocument::ProfileDocument(ProfileDocument&&) noexcept = default;
ProfileDocument& ProfileDocument::operator=(ProfileDocument&&) noexcept = default;

SimProfile& ProfileDocument::profile() {
    return *m_storage->profile;
}

const SimProfile& ProfileDocument::profile() const {
    return *m_storage->profile;
}

HostFileConfig* ProfileDocument::fileConfig() {
    return profile().fileConfig != nullptr ? m_storage->fileConfig.get() : nullptr;
}

Result<ProfileDocument> ProfileDocument::fromJson(const nlohmann::json& j) {
    if (!j.is_object()) {
        return Error{"the profile must be a JSON object"};
    }
    for (const auto& item : j.items()) {
        if (!isSubRecordName(item.key()) && !isScalarName(item.key())) {
            return unknownKey(item.key());
        }
    }
    ProfileDocument doc;
    Status status = success();
    forEachSubRecord([&](std::string_view name, auto, auto) {
        if (status) {
            status = readMember(*doc.m_storage, j, name);
        }
    });
    if (status) {
        status = Reader(*doc.m_storage).readFields(j, "", *doc.m_storage->profile);
    }
    if (!status) {
        return Error{status.error()};
    }
    return doc;
}

Result<ProfileDocument> ProfileDocument::parse(std::string_view text) {
    auto j = parseJsonText(text);
    if (!j) {
        return Error{j.error()};
    }
    return fromJson(j.value());
}

Result<ProfileDocument> ProfileDocument::load(const std::string& path) {
    Result<std::string> text = readInputFile(path);
    if (!text) {
        return Error{text.error()};
    }
    auto doc = parse(text.value());
    if (!doc) {
        return Error{path + ": " + doc.error()};
    }
    return doc;
}

nlohmann::ordered_json ProfileDocument::toOrderedJson() const {
    ordered_json out = ordered_json::object();
    const SimProfile& p = profile();
    forEachSubRecord([&](std::string_view name, auto profileMember, auto) {
        const auto* record = p.*profileMember;
        out[std::string(name)] = record != nullptr ? writeRecord(*record, false) : ordered_json();
    });
    writeFields(p, false, out);
    return out;
}

nlohmann::json ProfileDocument::toJson() const {
    return nlohmann::json(toOrderedJson());
}

std::string ProfileDocument::dump() const {
    return toOrderedJson().dump(2) + "\n";
}

nlohmann::json ProfileDocument::schemaJson(bool sampleLists) {
    ordered_json out = ordered_json::object();
    forEachSubRecord([&](std::string_view name, auto profileMember, auto) {
        using Record = std::remove_pointer_t<
            std::remove_reference_t<decltype(std::declval<SimProfile&>().*profileMember)>>;
        out[std::string(name)] = writeRecord(Record(), sampleLists);
    });
    writeFields(SimProfile(), sampleLists, out);
    return nlohmann::json(out);
}

Status ProfileDocument::assignMember(std::string_view member, const nlohmann::json& value) {
    if (!isSubRecordName(member) && !isScalarName(member)) {
        return unknownKey(std::string(member));
    }
    json one = json::object();
    one[std::string(member)] = value;
    // Check on a scratch document first, so that a refused value changes nothing.
    if (auto scratch = fromJson(one); !scratch) {
        return Error{scratch.error()};
    }
    return readMember(*m_storage, one, member);
}

void ProfileDocument::adoptLibraryEntries() {
    std::set<const CCheckPointReader*> owned;
    for (const auto& entry : m_storage->entries) {
        owned.insert(entry.get());
    }
    auto adopt = [&](const std::vector<CCheckPointReader*>& list) {
        for (auto* entry : list) {
            if (entry != nullptr && owned.insert(entry).second) {
                m_storage->entries.emplace_back(entry);
            }
        }
    };
    if (profile().checkpoint != nullptr) {
        adopt(profile().checkpoint->entries);
    }
    if (profile().restart != nullptr) {
        adopt(profile().restart->entries);
    }
}

Status ProfileDocument::save(const std::string& path) const {
    return writeFileAtomically(path, dump());
}

}  // namespace kvhost
