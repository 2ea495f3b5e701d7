// CString: the framework's byte string over std::string. Indexes are clamped the way the
// framework clamps them (Mid with a start past the end gives an empty string, a negative
// count gives nothing), so no argument can read or write outside the text.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "afxwin.h"

namespace {

// Clamps an int index or count into [0, limit].
int clampTo(int value, int limit) {
    return std::clamp(value, 0, limit);
}

bool isBlank(char ch) {
    return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

char foldCase(char ch) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
}

std::string formatV(LPCSTR format, va_list args) {
    if (!format) {
        return {};
    }
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

CString::CString(LPCSTR text) : m_text(text ? text : "") {}

CString::CString(LPCSTR text, int length) {
    if (text && length > 0) {
        m_text.assign(text, static_cast<size_t>(length));
    }
}

CString::CString(char ch, int count) {
    if (count > 0) {
        m_text.assign(static_cast<size_t>(count), ch);
    }
}

CString& CString::operator=(LPCSTR text) {
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator=(char ch) {
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator=(std::string_view text) {
    m_text = text;
    return *this;
}

char CString::GetAt(int index) const {
    return index >= 0 && index < GetLength() ? m_text[static_cast<size_t>(index)] : '\0';
}

void CString::SetAt(int index, char ch) {
    if (index >= 0 && index < GetLength()) {
        m_text[static_cast<size_t>(index)] = ch;
    }
}

CString CString::Left(int count) const {
    return CString(m_text.substr(0, static_cast<size_t>(clampTo(count, GetLength()))));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    const int start = clampTo(first, GetLength());
    const int n = clampTo(count, GetLength() - start);
    return CString(m_text.substr(static_cast<size_t>(start), static_cast<size_t>(n)));
}

CString CString::Right(int count) const {
    const int n = clampTo(count, GetLength());
    return CString(m_text.substr(static_cast<size_t>(GetLength() - n)));
}

CString CString::SpanIncluding(LPCSTR charSet) const {
    const size_t end = m_text.find_first_not_of(charSet ? charSet : "");
    return CString(m_text.substr(0, end));
}

CString CString::SpanExcluding(LPCSTR charSet) const {
    const size_t end = m_text.find_first_of(charSet ? charSet : "");
    return CString(m_text.substr(0, end));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength()) {
        return -1;
    }
    const size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCSTR sub, int start) const {
    if (!sub || start < 0 || start > GetLength()) {
        return -1;
    }
    const size_t at = m_text.find(sub, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const {
    const size_t at = m_text.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(LPCSTR charSet) const {
    if (!charSet || !*charSet) {
        return -1;
    }
    const size_t at = m_text.find_first_of(charSet);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(char oldCh, char newCh) {
    int count = 0;
    for (char& ch : m_text) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCSTR oldText, LPCSTR newText) {
    if (!oldText || !*oldText) {
        return 0;
    }
    const std::string_view from(oldText);
    const std::string_view to(newText ? newText : "");
    std::string result;
    int count = 0;
    size_t pos = 0;
    for (size_t at; (at = m_text.find(from, pos)) != std::string::npos; pos = at + from.size()) {
        result.append(m_text, pos, at - pos).append(to);
        ++count;
    }
    result.append(m_text, pos, std::string::npos);
    m_text = std::move(result);
    return count;
}

int CString::Remove(char ch) {
    const auto end = std::remove(m_text.begin(), m_text.end(), ch);
    const int count = static_cast<int>(m_text.end() - end);
    m_text.erase(end, m_text.end());
    return count;
}

int CString::Insert(int index, char ch) {
    m_text.insert(static_cast<size_t>(clampTo(index, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int index, LPCSTR text) {
    if (text) {
        m_text.insert(static_cast<size_t>(clampTo(index, GetLength())), text);
    }
    return GetLength();
}

int CString::Delete(int index, int count) {
    const int start = clampTo(index, GetLength());
    const int n = clampTo(count, GetLength() - start);
    m_text.erase(static_cast<size_t>(start), static_cast<size_t>(n));
    return GetLength();
}

CString& CString::MakeUpper() {
    for (char& ch : m_text) {
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    }
    return *this;
}

CString& CString::MakeLower() {
    for (char& ch : m_text) {
        ch = foldCase(ch);
    }
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::Trim(char target) {
    return TrimRight(target).TrimLeft(target);
}
CString& CString::Trim(LPCSTR targets) {
    return TrimRight(targets).TrimLeft(targets);
}

CString& CString::TrimLeft() {
    const auto first = std::find_if_not(m_text.begin(), m_text.end(), isBlank);
    m_text.erase(m_text.begin(), first);
    return *this;
}

CString& CString::TrimLeft(char target) {
    m_text.erase(0, m_text.find_first_not_of(target));
    return *this;
}

CString& CString::TrimLeft(LPCSTR targets) {
    if (targets && *targets) {
        m_text.erase(0, m_text.find_first_not_of(targets));
    }
    return *this;
}

CString& CString::TrimRight() {
    while (!m_text.empty() && isBlank(m_text.back())) {
        m_text.pop_back();
    }
    return *this;
}

CString& CString::TrimRight(char target) {
    while (!m_text.empty() && m_text.back() == target) {
        m_text.pop_back();
    }
    return *this;
}

CString& CString::TrimRight(LPCSTR targets) {
    if (targets && *targets) {
        while (!m_text.empty() && std::strchr(targets, m_text.back())) {
            m_text.pop_back();
        }
    }
    return *this;
}

int CString::Compare(LPCSTR other) const {
    const int result = std::strcmp(m_text.c_str(), other ? other : "");
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCSTR other) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_text.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(other ? other : "");
    for (;; ++a, ++b) {
        const int ca = std::tolower(*a);
        const int cb = std::tolower(*b);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (ca == 0) {
            return 0;
        }
    }
}

void CString::Format(LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::Format(UINT formatId, ...) {
    CString format;
    if (!AfxLoadString(formatId, format)) {
        Empty();
        return;
    }
    va_list args;
    va_start(args, formatId);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(LPCSTR format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCSTR format, va_list args) {
    m_text = formatV(format, args);
}

void CString::AppendFormatV(LPCSTR format, va_list args) {
    m_text += formatV(format, args);
}

void CString::Append(LPCSTR text) {
    if (text) {
        m_text += text;
    }
}

BOOL CString::LoadString(UINT id) {
    return LoadString(AfxGetResourceHandle(), id);
}

BOOL CString::LoadString(HINSTANCE instance, UINT id) {
    // LoadStringA truncates to the buffer; a string table entry holds at most 65535 characters,
    // so grow the buffer until the text fits with room to spare.
    std::vector<char> buffer(256);
    for (;;) {
        const int length =
            LoadStringA(instance, id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0) {
            return FALSE;
        }
        if (static_cast<size_t>(length) + 1 < buffer.size() || buffer.size() > 65536) {
            m_text.assign(buffer.data(), static_cast<size_t>(length));
            return TRUE;
        }
        buffer.resize(buffer.size() * 4);
    }
}

LPSTR CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) {
        // The caller may write minLength characters; keep the old text in front.
        const size_t old = m_text.size();
        m_text.resize(static_cast<size_t>(minLength));
        std::fill(m_text.begin() + static_cast<std::ptrdiff_t>(old), m_text.end(), '\0');
    }
    return m_text.data();
}

LPSTR CString::GetBufferSetLength(int length) {
    m_text.resize(static_cast<size_t>(std::max(length, 0)));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        m_text.resize(std::strlen(m_text.c_str()));  // bounded: std::string keeps a final zero
    } else {
        m_text.resize(static_cast<size_t>(std::min(newLength, GetLength())));
    }
}

CString& CString::operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(LPCSTR text) {
    Append(text);
    return *this;
}

CString& CString::operator+=(char ch) {
    m_text.push_back(ch);
    return *this;
}

// The concatenations are declared only as friends of CString, which takes no visibility from
// the public header's pragma: they are marked exported here, where they are defined.
#pragma GCC visibility push(default)
CString operator+(const CString& a, const CString& b) {
    return CString(a.m_text + b.m_text);
}
CString operator+(const CString& a, LPCSTR b) {
    CString result(a);
    result += b;
    return result;
}
CString operator+(LPCSTR a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}
CString operator+(const CString& a, char b) {
    CString result(a);
    result += b;
    return result;
}
CString operator+(char a, const CString& b) {
    CString result(a, 1);
    result += b;
    return result;
}
#pragma GCC visibility pop

bool operator==(const CString& a, const CString& b) {
    return a.str() == b.str();
}
bool operator==(const CString& a, LPCSTR b) {
    return a.Compare(b) == 0;
}
bool operator==(LPCSTR a, const CString& b) {
    return b.Compare(a) == 0;
}
bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
bool operator!=(const CString& a, LPCSTR b) {
    return !(a == b);
}
bool operator!=(LPCSTR a, const CString& b) {
    return !(a == b);
}
bool operator<(const CString& a, const CString& b) {
    return a.Compare(b) < 0;
}
bool operator<(const CString& a, LPCSTR b) {
    return a.Compare(b) < 0;
}
bool operator>(const CString& a, const CString& b) {
    return a.Compare(b) > 0;
}
bool operator<=(const CString& a, const CString& b) {
    return a.Compare(b) <= 0;
}
bool operator>=(const CString& a, const CString& b) {
    return a.Compare(b) >= 0;
}
