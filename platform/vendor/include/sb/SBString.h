// The message library's string class: an owned run of ANSI (Windows-1252) bytes that message
// texts are handed out in.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstddef>
#include <string>
#include <string_view>

class SBString {
  public:
    SBString() = default;
    // A null pointer makes an empty string, as the original tolerated.
    SBString(const char* text);  // NOLINT(google-explicit-constructor): used like a char*.
    explicit SBString(std::string_view text) : m_text(text) {}

    // The bytes with a terminating NUL; valid until the string is next changed.
    const char* getChar() const { return m_text.c_str(); }
    // Number of bytes, without the terminator.
    std::size_t length() const { return m_text.size(); }
    bool isEmpty() const { return m_text.empty(); }

    // Appends text; a null pointer appends nothing. Returns this string.
    SBString& append(const char* text);
    SBString& append(const SBString& other);
    SBString& append(std::string_view text);

    // The same bytes as a standard string.
    const std::string& str() const { return m_text; }

    friend bool operator==(const SBString&, const SBString&) = default;

  private:
    std::string m_text;
};

#pragma GCC visibility pop
