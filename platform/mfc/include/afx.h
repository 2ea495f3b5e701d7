// The framework's base layer: the byte string class CString, the root class CObject and the
// diagnostic macros. Everything a framework source file gets before any window exists.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

#include <windows.h>

// ---- Diagnostics ---------------------------------------------------------------------------
// The release framework compiles its assertions away; VERIFY still evaluates its expression,
// as the library relies on the side effect.
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
#define TRACE(...) ((void)0)
#define DEBUG_NEW new
#define AFXAPI
#define AFX_CDECL
#define PASCAL
#define AFX_EXT_CLASS
#define AFX_STATIC_DATA static

// The framework's string: a byte string in the ANSI code page, held in a std::string. Indexes
// and lengths are ints in characters (bytes); out-of-range arguments are clamped, never fatal.
class CString {
  public:
    // An empty string.
    CString() = default;
    // A copy of a zero-terminated text; a null pointer gives an empty string.
    CString(LPCSTR text);  // NOLINT(google-explicit-constructor): MFC converts implicitly
    // The first `length` bytes of a text, zero bytes included (nothing for a null text).
    CString(LPCSTR text, int length);
    // `count` copies of a character.
    CString(char ch, int count = 1);
    CString(std::string_view text) : m_text(text) {}    // NOLINT(google-explicit-constructor)
    CString(const std::string& text) : m_text(text) {}  // NOLINT(google-explicit-constructor)
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    // Assigns a text; null gives an empty string.
    CString& operator=(LPCSTR text);
    CString& operator=(char ch);
    CString& operator=(std::string_view text);
    CString& operator=(const std::string& text) { return *this = std::string_view(text); }

    // The text as a zero-terminated C string, valid until the string changes.
    operator LPCSTR() const { return m_text.c_str(); }  // NOLINT: MFC's implicit conversion
    // The same, explicitly.
    LPCSTR GetString() const { return m_text.c_str(); }
    // The bytes as a std::string (our extension).
    const std::string& str() const { return m_text; }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // The character at an index; '\0' for an index out of range.
    char GetAt(int index) const;
    // Replaces the character at an index; nothing for an index out of range.
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }

    // The leftmost `count` characters (all when count exceeds the length, none when negative).
    CString Left(int count) const;
    // The characters from `first` to the end, or `count` of them.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    // The rightmost `count` characters.
    CString Right(int count) const;
    // The prefix made of characters in / not in a set.
    CString SpanIncluding(LPCSTR charSet) const;
    CString SpanExcluding(LPCSTR charSet) const;

    // Index of the first occurrence at or after `start`, or -1.
    int Find(char ch, int start = 0) const;
    int Find(LPCSTR sub, int start = 0) const;
    // Index of the last occurrence of a character, or -1.
    int ReverseFind(char ch) const;
    // Index of the first character that is in the set, or -1.
    int FindOneOf(LPCSTR charSet) const;

    // Replaces every occurrence; the number of replacements.
    int Replace(char oldCh, char newCh);
    int Replace(LPCSTR oldText, LPCSTR newText);
    // Removes every occurrence of a character; the number removed.
    int Remove(char ch);
    // Inserts before an index (clamped to the ends); the new length.
    int Insert(int index, char ch);
    int Insert(int index, LPCSTR text);
    // Deletes `count` characters at an index; the new length.
    int Delete(int index, int count = 1);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Removes leading and/or trailing white space, or the characters of a set, or one char.
    CString& Trim();
    CString& Trim(char target);
    CString& Trim(LPCSTR targets);
    CString& TrimLeft();
    CString& TrimLeft(char target);
    CString& TrimLeft(LPCSTR targets);
    CString& TrimRight();
    CString& TrimRight(char target);
    CString& TrimRight(LPCSTR targets);

    // <0, 0, >0 as strcmp (bytes); CompareNoCase folds ASCII letters.
    int Compare(LPCSTR other) const;
    int CompareNoCase(LPCSTR other) const;
    // The same for the C locale collation (bytes here, as the product's texts are ANSI).
    int Collate(LPCSTR other) const { return Compare(other); }

    // Replaces the text with a printf-formatted one (any length; the formatting is bounded by
    // vsnprintf, so a bad width never overflows).
    void Format(LPCSTR format, ...) __attribute__((format(printf, 2, 3)));
    // Format with a format string from the resource string table.
    void Format(UINT formatId, ...);
    void AppendFormat(LPCSTR format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(LPCSTR format, va_list args);
    void AppendFormatV(LPCSTR format, va_list args);
    // Appends text or a character.
    void Append(LPCSTR text);
    void AppendChar(char ch) { m_text.push_back(ch); }

    // Loads a string of the current resource module's string table (AfxGetResourceHandle);
    // FALSE (and the string unchanged) when there is none.
    BOOL LoadString(UINT id);
    // The same from a given module.
    BOOL LoadString(HINSTANCE instance, UINT id);

    // A writable buffer of at least minLength characters plus the terminating zero; the
    // string's length is settled by ReleaseBuffer.
    LPSTR GetBuffer(int minLength);
    LPSTR GetBuffer() { return GetBuffer(0); }
    // A buffer of exactly `length` characters, the string's new length.
    LPSTR GetBufferSetLength(int length);
    // Ends the buffer: newLength -1 takes the length up to the first zero (bounded by the
    // buffer); otherwise cuts or keeps exactly newLength characters.
    void ReleaseBuffer(int newLength = -1);
    // Frees unused capacity.
    void FreeExtra() { m_text.shrink_to_fit(); }

    CString& operator+=(const CString& other);
    CString& operator+=(LPCSTR text);
    CString& operator+=(char ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCSTR b);
    friend CString operator+(LPCSTR a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

  private:
    std::string m_text;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCSTR b);
bool operator==(LPCSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCSTR b);
bool operator!=(LPCSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCSTR b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);

// The root of the framework's class tree (no run-time class information: the library uses
// none).
class CObject {
  public:
    virtual ~CObject() = default;

  protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// Run-time class macros: the library declares them, nothing reads them.
#define DECLARE_DYNAMIC(class_name)
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)
#define DECLARE_DYNCREATE(class_name)
#define IMPLEMENT_DYNCREATE(class_name, base_class_name)
#define DECLARE_SERIAL(class_name)
#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)

#pragma GCC visibility pop
