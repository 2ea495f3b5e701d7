// Fuzzes the "state_map" reader: any bytes give a map, the same map whether the bytes come
// whole, in two pieces or one byte at a time (which leaves no line whole in a piece, so the
// general reader reads what the single-pass reader of plain lines reads when whole), and every
// point holds only what a field can hold.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "pages/analysis/StateMap.h"

namespace {

// Aborts, naming the line, when an invariant does not hold.
#define check(condition) checkAt((condition), __LINE__)
void checkAt(bool condition, int line) {
    if (condition)
        return;
    std::fprintf(stderr, "statemap_fuzz: invariant at line %d does not hold\n", line);
    std::abort();
}

void checkField(std::string_view field) {
    check(!field.empty() && field.size() < kStateMapLineLimit);
    for (char c : field) {
        check(c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\v' && c != '\f' &&
              c != '\0');
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const StateMap whole = ParseStateMap(text);
    // A point takes at least a line of "TP a 1" less its line end: five characters.
    check(static_cast<std::size_t>(whole.simulationCount() + whole.realTimeCount()) * 5 <= size);
    for (int i = 0; i < whole.simulationCount(); ++i) {
        checkField(whole.simulationPoint(i).name);
        checkField(whole.simulationPoint(i).time);
    }
    for (int i = 0; i < whole.realTimeCount(); ++i) {
        checkField(whole.realTimePoint(i).name);
        checkField(whole.realTimePoint(i).time);
    }

    const auto checkSame = [&whole](const StateMap& pieces) {
        check(pieces.simulationCount() == whole.simulationCount());
        check(pieces.realTimeCount() == whole.realTimeCount());
        for (int i = 0; i < whole.simulationCount(); ++i) {
            check(pieces.simulationPoint(i) == whole.simulationPoint(i));
        }
        for (int i = 0; i < whole.realTimeCount(); ++i) {
            check(pieces.realTimePoint(i) == whole.realTimePoint(i));
        }
    };

    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    StateMapParser halves;
    halves.feed(text.substr(0, cut));
    halves.feed(text.substr(cut));
    checkSame(halves.finish());

    StateMapParser bytes;
    for (std::size_t i = 0; i < size; ++i) {
        bytes.feed(text.substr(i, 1));
    }
    checkSame(bytes.finish());
    return 0;
}
