// What kvhost tells a person about its commands: the `help` command's text, and the closest
// name to a misspelled one for error messages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvhost {

// Every command with one line each (`help`), or the usage and description of one (`help
// COMMAND`); for a name that is no command, an error text naming the closest command.
// Returns whether the text is an answer (false: the command is unknown).
bool helpText(std::string_view command, std::string& text);

// " (did you mean 'NAME'?)" for what a misspelled word most likely meant: the only candidate
// that a word of three letters or more begins, else the closest one when it is close enough
// (an edit distance of at most a third of the word, at least 1); else "".
std::string didYouMean(std::string_view word, const std::vector<std::string>& candidates);

// Edit distance (insertions, deletions, substitutions and swaps of neighbours), ignoring case.
std::size_t editDistance(std::string_view a, std::string_view b);

}  // namespace kvhost
