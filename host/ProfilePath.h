// Dotted paths into a profile document, as the script's `expect-profile KEY VALUE` and
// `set-profile KEY VALUE` name a member: `analysisType`, `general.designFile`,
// `options.optionValues.27`, `checkpoint.entries.0.directory`, or a whole sub-record such as
// `transient`. Keys are the JSON keys of the profile document; list items are numbered from 0.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "ProfileJson.h"
#include "Result.h"

namespace kvhost {

// Reading, comparing and assigning profile members by dotted path.
class ProfilePath {
  public:
    // An error unless `key` names a member that a profile can have (list indices are not
    // checked against any list's length).
    static Status validate(std::string_view key);

    // The member at `key` as JSON (a null sub-record is null). An error for an unknown key, an
    // index past the end of a list, or a path through a null sub-record.
    static Result<nlohmann::json> get(const ProfileDocument& doc, std::string_view key);

    // Whether the member at `key` equals `valueText`, compared as the member's own type: a
    // string member as text (`3` and `"3"` both mean the text 3 once the script has removed
    // the quotes), a number member as a number, a flag as true/false (or 1/0), a list or
    // sub-record as JSON in which missing fields are zero (`[]`, `null`, `{"enabled":1}`).
    // An error when `valueText` cannot be a value of that type.
    static Result<bool> equals(const ProfileDocument& doc, std::string_view key,
                               std::string_view valueText);

    // Assigns `valueText`, converted as equals converts it, to the member at `key`. Setting a
    // field of a null sub-record creates the sub-record (zero elsewhere); an index one past the
    // end of a list appends an item. The document is unchanged when the value is refused.
    static Status set(ProfileDocument& doc, std::string_view key, std::string_view valueText);
};

}  // namespace kvhost
