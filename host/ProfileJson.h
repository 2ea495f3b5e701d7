// kvhost's profile document: a SimProfile together with every sub-record it points to, owned
// by the host as the library expects, read from and written to JSON.
//
// JSON layout: one object whose keys are SimProfile's members (`general`, `transient`, ...,
// `profileDir`, `analysisType`, `activePage`, `designSource`); a sub-record is an object whose
// keys are its field names as the library's headers spell them; a missing or null sub-record
// is a null pointer; a missing field keeps its zero value. Host members are never read or
// written. JSON text is UTF-8; the profile's strings are Windows-1252 bytes.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "HostFileConfig.h"
#include "Result.h"
#include "kvTessel/SimProfile.h"

namespace kvhost {

class ProfileDocument;

// UTF-8 JSON text parsed into a value; the error names the parser's line and column. Text
// nested more than kMaxJsonDepth levels deep is refused before parsing.
Result<nlohmann::json> parseJsonText(std::string_view text);

// Deepest nesting of arrays and objects parseJsonText accepts (a profile needs four).
inline constexpr int kMaxJsonDepth = 64;

// A profile and the sub-records it points to. The document owns every record it created and
// keeps it alive until the document is destroyed, even after the profile's pointer to it was
// set to null or replaced, because a live sheet may still hold its address. Movable (records
// keep their addresses), not copyable.
class ProfileDocument {
  public:
    // An empty profile: every sub-record pointer null, every member zero.
    ProfileDocument();
    ~ProfileDocument();
    ProfileDocument(ProfileDocument&&) noexcept;
    ProfileDocument& operator=(ProfileDocument&&) noexcept;
    ProfileDocument(const ProfileDocument&) = delete;
    ProfileDocument& operator=(const ProfileDocument&) = delete;

    // The profile to hand to the library.
    SimProfile& profile();
    const SimProfile& profile() const;

    // The host's file-configuration record when the profile has one, else null.
    HostFileConfig* fileConfig();

    // A document built from `json`; an error names the dotted key at fault.
    static Result<ProfileDocument> fromJson(const nlohmann::json& json);
    // A document built from UTF-8 JSON text.
    static Result<ProfileDocument> parse(std::string_view text);
    // A document read from the host file `path`; errors begin with the path.
    static Result<ProfileDocument> load(const std::string& path);

    // The profile as JSON, every member and field present, in declaration order.
    nlohmann::ordered_json toOrderedJson() const;
    // The profile as JSON (the same content as toOrderedJson, keys sorted by nlohmann::json).
    nlohmann::json toJson() const;
    // toOrderedJson as text indented by two blanks, ending in a newline.
    std::string dump() const;
    // Writes dump() to the host file `path` through a temporary file beside it and a rename,
    // so that the old file stays as it was when anything fails.
    Status save(const std::string& path) const;

    // Replaces top-level member `member` (a sub-record name or a scalar member) with `value`
    // (null clears a sub-record pointer). Sub-records are rewritten in place, or created when
    // the profile had none; the document is unchanged when `value` is refused.
    Status assignMember(std::string_view member, const nlohmann::json& value);

    // The JSON of a profile whose sub-records all exist with zero fields; with `sampleLists`,
    // every list holds one zero element (so that the shape of any path can be looked up).
    static nlohmann::json schemaJson(bool sampleLists);

    // Takes ownership of checkpoint entries that the library created and left in the
    // checkpoint or restart record, so that they are freed with the document.
    void adoptLibraryEntries();

    // Storage of the records; defined in ProfileJson.cpp.
    struct Storage;

  private:
    std::unique_ptr<Storage> m_storage;
};

}  // namespace kvhost
