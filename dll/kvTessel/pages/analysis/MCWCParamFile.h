// The format check of a Monte Carlo parameter file: a text table whose header line names the
// parameters and whose later lines hold one numeric value per parameter. The check runs when
// the user picks a file to load; it only informs (the dialog keeps the file name either way).
#pragma once

#include <cstdio>
#include <optional>
#include <string>

// The texts of the catalog messages the errors quote: a header token that does not begin with
// a letter, and a value that does not begin with a digit, a sign or a point.
struct ParameterFileTexts {
    std::string nameNotLetter;
    std::string valueNotNumber;
};

// The longest piece read as one line; a longer line is read in several pieces.
inline constexpr std::size_t kParameterLinePiece = 1031;

// Checks the file at `fullPath`, read in binary mode: nothing when it passes, otherwise the
// whole error text, which ends with the full path (or, for a file that cannot be opened,
// "Error: File not found - " and the path).
std::optional<std::string> CheckParameterFile(const std::string& fullPath,
                                              const ParameterFileTexts& texts);
// The same check on a file already open for binary reading; `fullPath` only names it in the
// error. The file is left open for the caller to close.
std::optional<std::string> CheckParameterStream(std::FILE* file, const std::string& fullPath,
                                                const ParameterFileTexts& texts);
// The check with the texts of the library's message catalogs.
std::optional<std::string> CheckParameterFile(const std::string& fullPath);
