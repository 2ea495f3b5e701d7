// The rules of the checkpoint and restart dialogs apart from their windows: which folder
// names are refused, when the folder choice of each dialog is complete, and the texts both
// dialogs compare. Each rule answers the first problem as a Refusal.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/common/Refusal.h"

// Longest full path the dialogs resolve a folder text to (a 260-character buffer).
inline constexpr std::size_t kFolderPathBuffer = 260;

// True when `folder` holds one of the characters a folder name may not hold: > < ? * |
bool HasForbiddenFolderCharacter(std::string_view folder);

// `text` without its leading blanks.
std::string TrimLeadingBlanks(std::string_view text);

// Whether two folder texts are the same, ignoring case.
bool SameFolderText(std::string_view a, std::string_view b);

// `folder` resolved to a full path with the process's current folder set to `baseFolder`
// first (when it is not empty), within kFolderPathBuffer; the text itself when it cannot be
// resolved. The current folder stays at `baseFolder`, as the dialogs have always left it.
std::string ResolveFolder(std::string_view folder, std::string_view baseFolder);

// Whether a folder text names an existing folder: its normalised text, or else the text
// resolved against `baseFolder`.
bool FolderExists(std::string_view folder, std::string_view baseFolder);

// What the checkpoint dialog checks before it looks at the drive.
struct CheckpointChoice {
    int selectedRow = -1;      // -1: no row selected
    std::string rowText;       // the selected row's text
    bool rowHasEntry = false;  // the selected row has an entry of the dialog
    // The directories of the dialog's entries at every index but the selected row's.
    std::vector<std::string> otherDirectories;
    // The three edits, leading blanks already trimmed.
    std::string simInterval;
    std::string realTimeInterval;
    std::string timePoints;
    // Controls the refusals focus.
    int folderListId = 0;
    int simIntervalId = 0;
};

// The first problem of a checkpoint folder choice: no row, a forbidden character, a folder
// listed twice (ignoring case; only when the row has an entry), no interval and no points.
std::optional<Refusal> CheckCheckpointChoice(const CheckpointChoice& choice);

// The question asked for a checkpoint folder that does not exist (Yes and No).
Refusal CreateMissingFolderQuestion(const std::string& fullPath, int folderListId);
// The report of a checkpoint folder that could not be created.
Refusal FolderNotCreated(const std::string& fullPath, int folderListId);

// Creates the folder chain `fullPath`. On failure every folder this call made is removed
// again (deepest first), so that nothing half made stays on the drive; true when the whole
// chain exists afterwards.
bool CreateFolderChain(const std::string& fullPath);

// What the restart dialog checks.
struct RestartChoice {
    int selectedRow = -1;  // -1: none
    int rowCount = 0;
    std::string fullPath;       // the row's text resolved against the profile's folder
    bool isDirectory = false;   // fullPath names a folder
    bool stateMapRead = false;  // the folder's "state_map" could be read
    int timeSelection = -1;     // the time combo's selection, -1 none
    int folderListId = 0;
    int timeComboId = 0;
};

// The first problem of a restart choice: no row, a missing folder, no readable "state_map",
// no time chosen.
std::optional<Refusal> CheckRestartChoice(const RestartChoice& choice);

// The refusal of a restart from the folder the same run saves its checkpoints into: only
// when checkpointing is part of the run (`checkpointFlag`) and the folders are the same
// ignoring case.
std::optional<Refusal> CheckRestartAgainstCheckpoint(bool checkpointFlag,
                                                     std::string_view checkpointFolder,
                                                     std::string_view restartFolder);
