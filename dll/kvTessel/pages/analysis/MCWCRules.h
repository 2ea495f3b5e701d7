// The Monte Carlo and worst-case dialogs' rules apart from their windows: what each mode and
// choice enables or shows, the validation of the child dialog against the run limit, the
// collating function's threshold, the user distribution list, and the parameter file names the
// load/save dialog completes and checks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/common/Refusal.h"
#include "vnt/vnt_string.h"

// ---- The child dialog ---------------------------------------------------------------------------

// What the child enables for a mode (0 Monte Carlo, 1 worst case) and "Save data from" choice.
struct McwcEnables {
    bool monteCarlo;  // the Monte Carlo group, its labels, edits, combos and buttons
    bool runsList;    // the runs edit after "Save data from"
    bool worstCase;   // the worst-case group, its labels, combo, edit and check box
};
McwcEnables EnablesOfMcwcMode(int mode, int saveDataMode);
// The runs edit takes input for "First", "Every" and "Runs (list)".
bool RunsListEnabled(int saveDataMode);
// The GaussUser digit and its up-down control show only beside "GaussUser" (index 2).
bool GaussUserShown(int distributionIndex);

// The child's validation: the output variable, then (Monte Carlo only) the run count from 1 to
// `runLimit`, read as its leading digits.
std::optional<Refusal> CheckMonteCarlo(std::string_view outputVariable, int mode,
                                       std::string_view numberOfRuns, int runLimit);

// ---- Output file options
// --------------------------------------------------------------------------

// RISE_EDGE and FALL_EDGE (index above 2) take a threshold.
bool ThresholdEnabled(int collatingFunction);
// The threshold as the dialog keeps it: without leading blanks.
std::string StripLeadingBlanks(std::string_view text);
// False when the function needs a threshold and `threshold` (stripped) is empty.
bool CollatingComplete(int collatingFunction, std::string_view threshold);

// ---- Distributions ------------------------------------------------------------------------------

// The names of the user distributions, stored as consecutive pairs (name, curve).
std::vector<std::string> DistributionNames(const std::vector<vnt_string>& pairs);
// The pair index of the distribution named `name` (case ignored), or -1.
int FindDistribution(const std::vector<vnt_string>& pairs, std::string_view name);
// Removes the pair at `index` (nothing when out of range).
void RemoveDistribution(std::vector<vnt_string>& pairs, int index);
// Whether "&Save" may append the pair, or the refusal (5051 name, 5054 curve).
std::optional<Refusal> CheckDistribution(std::string_view name, std::string_view curve);

// ---- Parameter files ----------------------------------------------------------------------------

struct ParamFileNames {
    std::string load;
    std::string save;
};
// What OK makes of the two names: a save name without any "." gets ".mcp"; a name without ":"
// is put in `profileDir`.
ParamFileNames CompleteParamFileNames(ParamFileNames names, std::string_view profileDir);
// The checks OK makes before it looks at the files: a checked name must be given (5031), and
// the two must differ (5033).
std::optional<Refusal> CheckParamFileNames(bool load, const ParamFileNames& names, bool save);
