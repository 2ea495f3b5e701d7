// The installation library: which program of the product family runs, and where the product is
// installed. The root is the TDSROOT variable of the library's environment overlay.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <string>

extern "C" {

// Records the program name (argv[0]) for the installation library; argc below 1 or a null
// vector records nothing. Answers 0.
int tdsInit(int argc, const char* const argv[]);

// A malloc'd copy of the installation root (TDSROOT, as set) that the caller releases with
// free(); null when TDSROOT is unset or empty.
char* tdsGetInstallRoot(void);

}  // extern "C"

namespace tds {

// The program name last recorded by tdsInit, empty before.
std::string programName();
// Forgets the recorded program name (for tests).
void resetInstallation();

}  // namespace tds

#pragma GCC visibility pop
