// The function file reader on any bytes: it must end, read nothing past its line buffer and
// give only entries whose text is one examined line piece, with the name at its start.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "pages/measurements/ProbeFunctions.h"

namespace {

void check(const std::vector<ProbeFunctionEntry>& entries) {
    for (const ProbeFunctionEntry& e : entries) {
        if (e.text.empty() || e.text.size() > kProbeLinePiece ||
            e.text.find('\0') != std::string::npos || e.text.rfind(e.name, 0) != 0 ||
            e.text.find('\n') != std::string::npos || e.arguments.size() > e.text.size()) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    if (file == nullptr) {
        return 0;  // fmemopen refuses an empty buffer on some C libraries
    }
    std::vector<ProbeFunctionEntry> macros;
    std::vector<ProbeFunctionEntry> goals;
    if (ReadProbeFunctions(file, macros, goals) != 0) {
        std::abort();  // a buffer in memory always reads
    }
    std::fclose(file);
    check(macros);
    check(goals);
    return 0;
}
