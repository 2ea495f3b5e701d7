// Rules of the checkpoint and restart dialogs.
#include "CheckpointRules.h"

#include <array>

#include "PathUtil.h"
#include "pages/files/FileRules.h"

bool HasForbiddenFolderCharacter(std::string_view folder) {
    return folder.find_first_of("><?*|") != std::string_view::npos;
}

std::string TrimLeadingBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

bool SameFolderText(std::string_view a, std::string_view b) {
    return SameTextIgnoringCase(a, b);
}

std::string ResolveFolder(std::string_view folder, std::string_view baseFolder) {
    if (!baseFolder.empty()) {
        ::SetCurrentDirectoryA(std::string(baseFolder).c_str());
    }
    const std::string name(folder);
    std::array<char, kFolderPathBuffer> buffer{};
    const DWORD length =
        ::GetFullPathNameA(name.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0 || length >= buffer.size()) {
        return name;  // too long or not a path: tested and reported as typed
    }
    return std::string(buffer.data(), length);
}

bool FolderExists(std::string_view folder, std::string_view baseFolder) {
    std::string normal(folder);
    PathUtil::normalize(normal, false);
    if (!normal.empty() && PathUtil::isDirectory(normal)) {
        return true;
    }
    return !folder.empty() && PathUtil::isDirectory(ResolveFolder(folder, baseFolder));
}

std::optional<Refusal> CheckCheckpointChoice(const CheckpointChoice& c) {
    if (c.selectedRow < 0) {
        return Refusal{msg::noCheckpointFolder, c.folderListId, {}, 0};
    }
    if (HasForbiddenFolderCharacter(c.rowText)) {
        return Refusal{msg::invalidFolderName, c.folderListId, c.rowText, 0};
    }
    if (c.rowHasEntry) {
        for (const std::string& other : c.otherDirectories) {
            if (SameFolderText(other, c.rowText)) {
                return Refusal{msg::folderListedTwice, c.folderListId, c.rowText, 0};
            }
        }
    }
    if (c.simInterval.empty() && c.realTimeInterval.empty() && c.timePoints.empty()) {
        return Refusal{msg::noIntervalOrTimes, c.simIntervalId, {}, 0};
    }
    return std::nullopt;
}

Refusal CreateMissingFolderQuestion(const std::string& fullPath, int folderListId) {
    return Refusal{msg::createMissingFolder, folderListId, fullPath, MB_YESNO | MB_ICONQUESTION};
}

Refusal FolderNotCreated(const std::string& fullPath, int folderListId) {
    return Refusal{msg::invalidFolderName, folderListId, fullPath, 0};
}

bool CreateFolderChain(const std::string& fullPath) {
    // The folders of the chain that are missing now, shallowest first.
    std::vector<std::string> missing;
    const int count = PathUtil::componentCount(fullPath);
    for (int i = 1; i < count; ++i) {
        std::string prefix = fullPath.substr(0, PathUtil::component(fullPath, i).end);
        if (!PathUtil::exists(prefix)) {
            missing.push_back(std::move(prefix));
        }
    }
    if (PathUtil::createDirectories(fullPath) && PathUtil::isDirectory(fullPath)) {
        return true;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (PathUtil::isDirectory(*it)) {
            ::RemoveDirectoryA(it->c_str());  // only empty folders go; nothing else is touched
        }
    }
    return false;
}

std::optional<Refusal> CheckRestartChoice(const RestartChoice& c) {
    if (c.selectedRow < 0 || c.selectedRow >= c.rowCount) {
        return Refusal{msg::noRestartFolder, 0, {}, 0};
    }
    if (!c.isDirectory) {
        return Refusal{msg::restartFolderMissing, c.folderListId, c.fullPath, 0};
    }
    if (!c.stateMapRead) {
        return Refusal{msg::noReadableStateMap, c.folderListId, c.fullPath, 0};
    }
    if (c.timeSelection < 0) {
        return Refusal{msg::noRestartTime, c.timeComboId, {}, 0};
    }
    return std::nullopt;
}

std::optional<Refusal> CheckRestartAgainstCheckpoint(bool checkpointFlag,
                                                     std::string_view checkpointFolder,
                                                     std::string_view restartFolder) {
    if (checkpointFlag && SameFolderText(checkpointFolder, restartFolder)) {
        return Refusal{msg::restartIsCheckpointFolder, 0, {}, MB_ICONQUESTION | MB_OK};
    }
    return std::nullopt;
}
