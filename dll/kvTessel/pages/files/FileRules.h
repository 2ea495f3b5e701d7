// The Configuration Files page's path and list rules, apart from its window: how a file name is
// made absolute or relative to the design or profile folder, whether a file is already in the
// list of a category (in any of the forms the list may show it), and where a row of a scope
// goes so that each category's rows stay grouped profile, design, global.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The rows of the page's category list, in this order.
enum class FileCategory : int {
    stimulus = 0,
    library = 1,
    include = 2,
};
inline constexpr int kFileCategoryCount = 3;

// Where a configured file applies; a row of the file list carries it as item data and as image.
enum class FileScope : int {
    global = 0,   // every design
    profile = 1,  // this simulation profile
    design = 2,   // this design
};

// Whether the text holds a "\" or a "/".
bool HasSeparator(std::string_view text);
// The text in lower case, folded as the framework's CString::MakeLower folds it.
std::string LowerCase(std::string_view text);
// Whether two texts are equal ignoring letter case.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// The platform's full path of a name (a relative name against the current folder), as a
// 260-character buffer holds it; the name itself when the platform cannot make one.
std::string FullPath(std::string_view path);

// A path beginning with "." becomes the full path of base joined with it, when the profile has
// a general record (otherwise it stays); any other path becomes its full path.
std::string ResolveDotPath(std::string_view path, std::string_view base, bool hasGeneral);
// An empty path stays; a path not beginning with "." becomes its full path; one beginning with
// "." becomes the full path of base joined with it when base is not empty, else stays.
std::string MakeAbsolutePath(std::string_view path, std::string_view base);
// The path relative to base in lower case (".\" below base, "..\" below base's parent; never
// more than one level up), or the path unchanged when neither form exists.
std::string MakeRelativePath(std::string_view path, std::string_view base);

// One row of the file list: the text it shows and its scope.
struct FileRow {
    std::string text;
    FileScope scope = FileScope::global;

    bool operator==(const FileRow&) const = default;
};

// The folders relative entries are measured from, and what the page knows of the profile.
struct PathBases {
    std::string design;   // folder of the project file (with its separator), or profileDir
    std::string profile;  // profileDir, no trailing separator
    bool hasGeneral = false;
    bool profileScope = false;  // the sheet offers the profile scope
};

// What IsAlreadyPresent found.
enum class Presence : int {
    missing = -1,  // asked to report, and the file does not exist
    absent = 0,    // not configured in this category
    present = 1,   // already configured in this category
};

struct PresenceAnswer {
    Presence presence = Presence::absent;
    std::string candidate;  // the path resolved against the design folder
};

// Looks for a file in the rows of one category: as its resolved path in any scope, as its
// design-relative form among design rows, as its profile-relative form among profile rows
// (only with the profile scope), and as typed among global rows. Each form is matched against
// the first row that shows it, ignoring case, as the list's string search does. With `report`,
// a file that does not exist is `missing` (checked before the search).
PresenceAnswer FindPresence(std::span<const FileRow> rows, std::string_view path,
                            const PathBases& bases, bool report);

// The row text of a design entry: relative to the design folder when it has a separator and
// the profile a general record, else as given.
std::string DesignRowText(std::string_view path, const PathBases& bases);

// Sizes of the profile and design groups of a category (global rows are not counted).
struct GroupCounts {
    int profile = 0;
    int design = 0;

    bool operator==(const GroupCounts&) const = default;
};

// Where a new row of a scope is inserted: profile rows at the top of the list, design rows at
// the top of the design group, global rows at the top of the global group.
int InsertIndex(FileScope scope, GroupCounts counts);
// The next row below `row` with the same scope, or -1.
int NextSameScope(std::span<const FileScope> scopes, int row);
// The previous row above `row` with the same scope, or -1.
int PreviousSameScope(std::span<const FileScope> scopes, int row);

// The rows of a category as the page shows them when it loads the stored lists: profile rows
// in stored order, then design rows, then global rows; design and profile entries re-derived
// relative to their folders (hence in lower case), "/" written as "\".
std::vector<FileRow> CategoryRows(std::span<const std::string> global,
                                  std::span<const std::string> design,
                                  std::span<const std::string> profile, const PathBases& bases,
                                  GroupCounts& counts);

// A global list entry as stored (with its "*" marker) and as shown (without).
std::string StoredGlobal(std::string_view shown);
std::string ShownGlobal(std::string_view stored);

// The simulator configuration file whose "SIM PROFILE" section holds LOCALIZE: the file the
// registry's "VentraConfigFile" value names (a string value), else ventra.ini in the Windows
// folder.
std::string LocalizeConfigFile();
// LOCALIZE of section "SIM PROFILE" of that file (1 when absent): 1 copies profile files into
// the profile folder.
int ReadLocalizeFlag();
