// Parameters of one message: the values that replace %1, %2 ... in a catalog text.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <string>
#include <variant>
#include <vector>

// One parameter: a 32-bit int (written in decimal) or a narrow string (inserted as it is).
using SBParameter = std::variant<int, std::string>;
using SBParameterList = std::vector<SBParameter>;

class SBParamList {
  public:
    // Appends an int parameter.
    void addParameterToList(int value);
    // Appends a string parameter; a null pointer appends an empty string.
    void addParameterToList(const char* value);
    // The call made for a message without parameters: adds nothing.
    void addParameterToList() {}

    // The parameters in the order they were added (%1 is the first).
    const SBParameterList& getParameterList() const { return m_params; }

  private:
    SBParameterList m_params;
};

#pragma GCC visibility pop
