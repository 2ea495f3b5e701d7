// The message library's link to the installation: which product of the family is running.
#pragma once

#include <string>

class SBTdsUtil {
  public:
    // Records the product name (the library passes "ventra"); a null name records nothing.
    // Answers true.
    static bool tdsUtilInit(const char* productName);
    // The product name last recorded, empty before tdsUtilInit.
    static std::string productName();
};
