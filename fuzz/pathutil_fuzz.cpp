// Fuzzes PathUtil's text functions: normalize with and without the full-path step, the
// position functions, setExtension and rebase, checking what must hold for any input, and
// the clean-up passes against the straightforward reference implementation.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "PathUtil.h"
#include "../tests/support/PathUtilReference.h"

namespace {

// Aborts, naming the line, when an invariant does not hold.
#define check(condition) checkAt((condition), __LINE__)
void checkAt(bool condition, int line) {
    if (condition)
        return;
    std::fprintf(stderr, "pathutil_fuzz: invariant at line %d does not hold\n", line);
    std::abort();
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool looksLikeDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && !isSeparator(path[0]);
}

void checkPositions(std::string_view path) {
    int count = PathUtil::componentCount(path);
    check(count >= 0 && static_cast<std::size_t>(count) <= path.size());
    for (int i = -1; i <= count + 1; ++i) {
        auto r = PathUtil::component(path, i);
        check(r.begin <= r.end && r.end <= path.size());
        if (i >= 0 && i < count) {
            check(!r.empty());
            for (char c : r.in(path))
                check(!isSeparator(c));
        } else {
            check(r.empty());
        }
    }
    auto name = PathUtil::fileName(path);
    auto dir = PathUtil::directory(path);
    check(name.begin <= name.end && name.end == path.size());
    check(dir.begin == 0 && dir.end <= path.size());
    for (char c : name.in(path))
        check(!isSeparator(c));
    if (!dir.empty()) {
        check(isSeparator(path[dir.end - 1]) && dir.end == name.begin);
    }
}

void checkCleaned(const std::string& path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        check(path[i] != '/' && path[i] != '"');
        if (i >= 2 && path[i] == '\\')
            check(path[i - 1] != '\\');
    }
    check(path.empty() || path.back() != ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);

    std::string pass1 = input;
    PathUtil::cleanSeparators(pass1);
    check(pass1.size() <= input.size());
    checkCleaned(pass1);
    std::string again = pass1;
    PathUtil::cleanSeparators(again);
    check(again == pass1);

    std::string reference = input;
    PathUtilReference::cleanSeparators(reference);
    check(pass1 == reference);
    std::string dots = input;
    PathUtil::cleanDots(dots);
    reference = input;
    PathUtilReference::cleanDots(reference);
    check(dots == reference);

    std::string text = input;
    PathUtil::normalize(text, false);
    reference = input;
    PathUtilReference::normalizeText(reference);
    check(text == reference);
    // A run of n dots climbs n - 1 levels, written as "..\" each: at most three times longer.
    check(text.size() <= 3 * input.size() + 2);
    checkCleaned(text);
    // Normalising again changes nothing, unless removing components brought a ":" into second
    // place ("*\..\C:." becomes "C:."), which makes a drive of what was a name.
    if (looksLikeDrive(text) == looksLikeDrive(pass1)) {
        std::string twice = text;
        PathUtil::normalize(twice, false);
        check(twice == text);
    }

    std::string full = input;
    PathUtil::normalize(full, true);
    check(full.size() < 260 || full == text);
    checkCleaned(full);

    checkPositions(input);
    checkPositions(text);

    // Path and extension source from the two halves of the input.
    std::string path = input.substr(0, size / 2);
    std::string_view source = std::string_view(input).substr(size / 2);
    std::string withExtension = path;
    PathUtil::setExtension(withExtension, source);
    check(withExtension.size() <= path.size() + source.size() + 1);

    std::string rebased = path;
    PathUtil::rebase(rebased, source);
    std::string_view name = PathUtil::fileName(path).in(path);
    check(rebased.size() <= name.size() + source.size() + 1);
    return 0;
}
