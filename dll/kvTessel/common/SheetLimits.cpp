// The process-wide Monte Carlo run limit. Only the user-interface thread reads and writes it.
#include "SheetLimits.h"

namespace kvTessel {

namespace {

int& limit() {
    static int runs = kDefaultMaxMonteCarloRuns;
    return runs;
}

}  // namespace

int maxMonteCarloRuns() {
    return limit();
}

void setMaxMonteCarloRuns(int runs) {
    limit() = runs;
}

}  // namespace kvTessel
