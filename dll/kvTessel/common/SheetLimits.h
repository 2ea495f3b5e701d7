// Library-wide limits that the host sets when it creates a modeless sheet.
#pragma once

namespace kvTessel {

// The largest Monte Carlo run count the Monte Carlo dialog accepts. Every modeless creation
// sets it (the last one wins); the modal sheet uses whatever it holds. Initially 10000.
int maxMonteCarloRuns();
void setMaxMonteCarloRuns(int runs);

// The run limit of DllCreateModelessDialog and the initial value.
inline constexpr int kDefaultMaxMonteCarloRuns = 10000;

}  // namespace kvTessel
