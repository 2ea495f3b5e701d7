// The message library's string class.
#include "sb/SBString.h"

SBString::SBString(const char* text) {
    if (text)
        m_text = text;
}

SBString& SBString::append(const char* text) {
    if (text)
        m_text += text;
    return *this;
}

SBString& SBString::append(const SBString& other) {
    m_text += other.m_text;
    return *this;
}

SBString& SBString::append(std::string_view text) {
    m_text += text;
    return *this;
}
