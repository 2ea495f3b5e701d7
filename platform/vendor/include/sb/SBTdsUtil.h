// The message library's link to the installation: which product of the family is running.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <string>

class SBTdsUtil {
  public:
    // Records the product name (the library passes "ventra"); a null name records nothing.
    // Answers true.
    static bool tdsUtilInit(const char* productName);
    // The product name last recorded, empty before tdsUtilInit.
    static std::string productName();
};

#pragma GCC visibility pop
