// The number of processors the parallel runtime would use for this process.
#pragma once

// Processors this process may run on (its CPU affinity), at least 1. Asked once and kept.
int ProcessorCount();
