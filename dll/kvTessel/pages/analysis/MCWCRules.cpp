// The Monte Carlo dialogs' rules.
#include "MCWCRules.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <strings.h>

#include "resource.h"
#include "kvwin32/ascii.h"

namespace {

using kvwin32::ascii::equalNoCase;

// The value of the text's leading digits as atol reads them (blanks and a sign first), held
// at the bounds of long instead of overflowing.
long leadingNumber(std::string_view text) {
    const std::string copy(text);
    return std::strtol(copy.c_str(), nullptr, 10);
}

}  // namespace

McwcEnables EnablesOfMcwcMode(int mode, int saveDataMode) {
    const bool monteCarlo = mode != 1;
    return {monteCarlo, monteCarlo && RunsListEnabled(saveDataMode), !monteCarlo};
}

bool RunsListEnabled(int saveDataMode) {
    return saveDataMode >= 2 && saveDataMode <= 4;
}

bool GaussUserShown(int distributionIndex) {
    return distributionIndex == 2;
}

std::optional<Refusal> CheckMonteCarlo(std::string_view outputVariable, int mode,
                                       std::string_view numberOfRuns, int runLimit) {
    if (outputVariable.empty()) {
        return Refusal{UINT{IDS_ENTER_MC_OUTPUT}, IDC_MC_OUTPUT_VAR};
    }
    if (mode == 1) {
        return std::nullopt;
    }
    if (numberOfRuns.empty()) {
        return Refusal{UINT{IDS_ENTER_MC_RUNS}, IDC_MC_RUNS};
    }
    const long runs = leadingNumber(numberOfRuns);
    if (runs < 1 || runs > runLimit) {
        return Refusal{UINT{IDS_MC_RUNS_RANGE}, IDC_MC_RUNS, runLimit};
    }
    return std::nullopt;
}

bool ThresholdEnabled(int collatingFunction) {
    return collatingFunction > 2;
}

std::string StripLeadingBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

bool CollatingComplete(int collatingFunction, std::string_view threshold) {
    return !ThresholdEnabled(collatingFunction) || !StripLeadingBlanks(threshold).empty();
}

std::vector<std::string> DistributionNames(const std::vector<vnt_string>& pairs) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        names.emplace_back(pairs[i].c_str());
    }
    return names;
}

int FindDistribution(const std::vector<vnt_string>& pairs, std::string_view name) {
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        if (equalNoCase(pairs[i].c_str(), name)) {
            return static_cast<int>(i / 2);
        }
    }
    return -1;
}

void RemoveDistribution(std::vector<vnt_string>& pairs, int index) {
    const std::size_t at = static_cast<std::size_t>(index) * 2;
    if (index < 0 || at >= pairs.size()) {
        return;
    }
    // A list of odd length (a name without its curve) loses only what it has.
    pairs.erase(pairs.begin() + static_cast<std::ptrdiff_t>(at),
                pairs.begin() + static_cast<std::ptrdiff_t>(std::min(at + 2, pairs.size())));
}

std::optional<Refusal> CheckDistribution(std::string_view name, std::string_view curve) {
    if (name.empty()) {
        return Refusal{msg::enterDistributionName, IDC_MCD_NAME, {}, 0};
    }
    if (curve.empty()) {
        return Refusal{msg::enterDistributionCurve, IDC_MCD_CURVE, {}, 0};
    }
    return std::nullopt;
}

ParamFileNames CompleteParamFileNames(ParamFileNames names, std::string_view profileDir) {
    if (!names.save.empty() && names.save.find('.') == std::string::npos) {
        names.save += ".mcp";
    }
    for (std::string* name : {&names.load, &names.save}) {
        if (!name->empty() && name->find(':') == std::string::npos) {
            *name = std::string(profileDir) + "\\" + *name;
        }
    }
    return names;
}

std::optional<Refusal> CheckParamFileNames(bool load, const ParamFileNames& names, bool save) {
    if (load && names.load.empty()) {
        return Refusal{msg::parameterFileNameNeeded, 0, {}, MB_ICONHAND | MB_OK};
    }
    if (save && names.save.empty()) {
        return Refusal{msg::parameterFileNameNeeded, 0, {}, MB_ICONHAND | MB_OK};
    }
    if (load && save && equalNoCase(names.load, names.save)) {
        return Refusal{msg::parameterFilesMustDiffer, 0, {}, 0};
    }
    return std::nullopt;
}
