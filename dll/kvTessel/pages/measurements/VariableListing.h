// The output variable list of the Measurements page without its window: which filter a typed
// text gives, which variables the filter lists, and adding the listed names of one kind to a
// sorted list box. Designs have hundreds of thousands of variables, so the names are put in the
// list box's own order first and each is then added where the list box's search ends at once.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "kvTessel/MeasurementSettings.h"

// The three kinds of output variables, in the order the page lists them.
enum class VariableKind { voltage = 0, current = 1, power = 2 };
inline constexpr std::array<VariableKind, 3> kVariableKinds = {
    VariableKind::voltage, VariableKind::current, VariableKind::power};

// The letter every name of a kind begins with ("V", "I", "W").
char KindLetter(VariableKind kind);
// The record's list of a kind.
std::vector<OutputVariable>& VariablesOf(MeasurementSettings& settings, VariableKind kind);

// What a filter text typed in the edit gives.
struct FilterChoice {
    std::string filter;  // the filter the edit shows afterwards
    bool apply = false;  // the filter changes which variables are listed
};

// The filter for the edit's text: trimmed at both ends, "*" when empty. The same filter
// (letter case ignored) as the last one changes nothing while the list shows something; a text
// without "*" or "?" is no filter and reverts to the last one (an empty last filter counts as
// "*").
FilterChoice ChooseFilter(std::string_view editText, std::string_view lastFilter, bool listIsEmpty);

// Sets the listed byte of every variable: all of them for "*", else those whose name matches.
void MarkListed(MeasurementSettings& settings, std::string_view filter);

// Adds the listed names of one list to the sorted list box `list` (LB_ADDSTRING, one copy of
// each name into the list box) and answers how many were added.
int AddListedNames(HWND list, const std::vector<OutputVariable>& variables);

// Whether two texts are equal when letter case is ignored (ASCII letters).
bool EqualNoCase(std::string_view a, std::string_view b);
