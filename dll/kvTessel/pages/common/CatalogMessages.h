// The catalog messages the pages show, by what they say. A page names a message here, never
// a module and a number at the place it shows it. Their texts live in the message catalogs
// (module ZAZARIZ: the simulator front end's messages).
#pragma once

#include <string_view>

// A numbered message of a catalog module.
struct CatalogMessage {
    const char* module;
    int number;

    bool operator==(const CatalogMessage& other) const {
        return number == other.number && std::string_view(module) == std::string_view(other.module);
    }
};

namespace msg {

inline constexpr const char* kFrontEnd = "ZAZARIZ";

// Help
inline constexpr CatalogMessage helpInitFailed{kFrontEnd, 5001};  // help system not initialised
// Checkpoint folders
inline constexpr CatalogMessage noCheckpointFolder{kFrontEnd, 5025};
inline constexpr CatalogMessage invalidFolderName{kFrontEnd, 5026};  // folder as parameter
inline constexpr CatalogMessage folderListedTwice{kFrontEnd, 5027};  // folder as parameter
inline constexpr CatalogMessage noIntervalOrTimes{kFrontEnd, 5028};
inline constexpr CatalogMessage createMissingFolder{kFrontEnd, 5029};  // Yes/No; full path
// Restart
inline constexpr CatalogMessage restartFolderMissing{kFrontEnd, 5036};  // full path
inline constexpr CatalogMessage noReadableStateMap{kFrontEnd, 5038};    // full path
inline constexpr CatalogMessage noRestartTime{kFrontEnd, 5039};
inline constexpr CatalogMessage restartIsCheckpointFolder{kFrontEnd, 5040};
inline constexpr CatalogMessage noRestartFolder{kFrontEnd, 5042};
// Monte Carlo parameter files and distributions
inline constexpr CatalogMessage parameterFileNameNeeded{kFrontEnd, 5031};
inline constexpr CatalogMessage parameterFilesMustDiffer{kFrontEnd, 5033};
inline constexpr CatalogMessage parameterFileUnreadable{kFrontEnd, 5034};
inline constexpr CatalogMessage overwriteParameterFile{kFrontEnd, 5035};   // Yes/No
inline constexpr CatalogMessage saveChangedDistribution{kFrontEnd, 5049};  // Yes/No
inline constexpr CatalogMessage enterDistributionName{kFrontEnd, 5051};
inline constexpr CatalogMessage enterDistributionCurve{kFrontEnd, 5054};
inline constexpr CatalogMessage enterCollatingThreshold{kFrontEnd, 5055};
inline constexpr CatalogMessage parameterHeaderNotLetter{kFrontEnd, 5091};
inline constexpr CatalogMessage parameterValueNotNumber{kFrontEnd, 5092};
// General page
inline constexpr CatalogMessage enterProfileName{kFrontEnd, 5050};
inline constexpr CatalogMessage enterWaveformFile{kFrontEnd, 5052};
inline constexpr CatalogMessage enterOutputFile{kFrontEnd, 5056};
// Bias point files
inline constexpr CatalogMessage enterLoadBiasFile{kFrontEnd, 5053};
inline constexpr CatalogMessage enterSaveBiasFile{kFrontEnd, 5068};
// Configuration Files page
inline constexpr CatalogMessage libraryFolderInPath{kFrontEnd, 5089};

}  // namespace msg
