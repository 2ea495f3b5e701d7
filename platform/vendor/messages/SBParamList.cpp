// Message parameters.
#include "sb/SBParamList.h"

void SBParamList::addParameterToList(int value) {
    m_params.emplace_back(value);
}

void SBParamList::addParameterToList(const char* value) {
    m_params.emplace_back(std::string(value ? value : ""));
}
