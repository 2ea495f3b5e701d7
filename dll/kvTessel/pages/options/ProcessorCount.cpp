// ProcessorCount: the processors of the process's affinity mask, as the parallel runtime counts
// them, else the processors online.
#include "ProcessorCount.h"

#include <sched.h>
#include <unistd.h>

namespace {

int countProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0) {
            return count;
        }
    }
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? static_cast<int>(online) : 1;
}

}  // namespace

int ProcessorCount() {
    static const int count = countProcessors();
    return count;
}
