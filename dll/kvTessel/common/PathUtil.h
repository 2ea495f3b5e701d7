// Path utilities: every file or folder name a page accepts goes through these before it is
// compared, stored or tested. Both "\" and "/" separate; results are written with "\" only.
// Free functions without state.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace PathUtil {

// A part of a path as positions into it: [begin, end). Positions rather than copies, so that
// callers can cut, replace or compare in place.
struct Range {
    std::size_t begin = 0;
    std::size_t end = 0;

    std::size_t size() const { return end - begin; }
    bool empty() const { return begin == end; }
    // The text of this range in the path it was taken from.
    std::string_view in(std::string_view path) const { return path.substr(begin, size()); }
    bool operator==(const Range&) const = default;
};

// Separators and blanks: drops leading white space, white space after a separator or ":",
// quotes and doubled separators (but keeps a leading "\\"), writes "/" as "\" and other white
// space as blanks, and takes back blanks before a separator, a ":" or the end.
void cleanSeparators(std::string& path);

// Dots: "." components vanish (except a leading one of a relative path), ".." removes the
// component before it when one can be removed, and a run of n > 2 dots climbs n - 1 levels.
void cleanDots(std::string& path);

// Rewrites a path: cleanSeparators, cleanDots and, with makeFull, the full path the operating
// system gives for it (left as it is when that fails or needs 260 characters or more).
void normalize(std::string& path, bool makeFull);

// Gives a path the extension of source (the text after its last dot, or the whole of source
// when it has no usable dot); an empty extension removes the path's own.
void setExtension(std::string& path, std::string_view source);

// Moves a path's file name into the folder of reference; a bare file name when reference has
// no folder.
void rebase(std::string& path, std::string_view reference);

// Creates every missing folder of a chain; true when the whole chain exists afterwards. The
// first component (a drive, or the first folder of a relative path) is taken as existing.
bool createDirectories(std::string_view dir);

// Whether the file system has an entry by that name.
bool exists(std::string_view path);
// Whether the path names an existing folder.
bool isDirectory(std::string_view path);
// Whether the path is non-empty and names an existing entry that is not a folder.
bool isFile(std::string_view path);

// Number of components; a drive ("C:") counts as one, a UNC prefix does not.
int componentCount(std::string_view path);
// Positions of component `index` (the drive is 0 when there is one); an empty range at the end
// for a negative index or an empty path, at the last component's end beyond the last.
Range component(std::string_view path, int index);
// Positions of the text after the last separator (after the drive when there is none).
Range fileName(std::string_view path);
// Positions of the text up to and including the last separator; empty without one.
Range directory(std::string_view path);

}  // namespace PathUtil
