#include "platform/base/CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/base/CStringTable.h"

namespace {

constexpr const char* kWhitespace = " \t\r\n\v\f";

char AsciiUpper(char ch) { return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch; }
char AsciiLower(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch; }

int CompareBytes(std::string_view a, std::string_view b) {
    int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

size_t Clamp(int value, size_t limit) {
    if (value < 0) {
        return 0;
    }
    return std::min(static_cast<size_t>(value), limit);
}

}  // namespace

CString::CString(const char* text) : m_text(text ? text : "") {}

CString::CString(const char* text, int length) {
    if (text && length > 0) {
        m_text.assign(text, static_cast<size_t>(length));
    }
}

CString::CString(char ch, int repeat) : m_text(static_cast<size_t>(std::max(repeat, 0)), ch) {}

CString& CString::operator=(const char* text) {
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator=(char ch) {
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text) {
        m_text += text;
    }
    return *this;
}

CString& CString::operator+=(char ch) {
    m_text += ch;
    return *this;
}

int CString::Compare(const char* text) const { return CompareBytes(m_text, text ? text : ""); }

int CString::Compare(const CString& other) const { return CompareBytes(m_text, other.m_text); }

int CString::CompareNoCase(const char* text) const {
    std::string_view other = text ? text : "";
    size_t common = std::min(m_text.size(), other.size());
    for (size_t i = 0; i < common; ++i) {
        auto a = static_cast<unsigned char>(AsciiLower(m_text[i]));
        auto b = static_cast<unsigned char>(AsciiLower(other[i]));
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    if (m_text.size() == other.size()) {
        return 0;
    }
    return m_text.size() < other.size() ? -1 : 1;
}

int CString::CompareNoCase(const CString& other) const { return CompareNoCase(other.c_str()); }

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed < 0) {
        m_text.clear();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    m_text.assign(buffer.data(), static_cast<size_t>(needed));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    size_t start = Clamp(first, m_text.size());
    size_t length = Clamp(count, m_text.size() - start);
    return CString(m_text.substr(start, length));
}

CString CString::Left(int count) const { return CString(m_text.substr(0, Clamp(count, m_text.size()))); }

CString CString::Right(int count) const {
    size_t length = Clamp(count, m_text.size());
    return CString(m_text.substr(m_text.size() - length));
}

CString CString::SpanIncluding(const char* chars) const {
    size_t end = m_text.find_first_not_of(chars);
    return CString(m_text.substr(0, end));
}

CString CString::SpanExcluding(const char* chars) const {
    size_t end = m_text.find_first_of(chars);
    return CString(m_text.substr(0, end));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || static_cast<size_t>(start) > m_text.size()) {
        return -1;
    }
    size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* text, int start) const {
    if (!text || start < 0 || static_cast<size_t>(start) > m_text.size()) {
        return -1;
    }
    size_t at = m_text.find(text, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const {
    size_t at = m_text.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const char* chars) const {
    size_t at = m_text.find_first_of(chars);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString& CString::Trim() { return Trim(kWhitespace); }
CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }
CString& CString::TrimRight() { return TrimRight(kWhitespace); }

CString& CString::Trim(const char* chars) {
    TrimRight(chars);
    return TrimLeft(chars);
}

CString& CString::TrimLeft(const char* chars) {
    size_t first = m_text.find_first_not_of(chars);
    m_text.erase(0, first == std::string::npos ? m_text.size() : first);
    return *this;
}

CString& CString::TrimRight(const char* chars) {
    size_t last = m_text.find_last_not_of(chars);
    m_text.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

CString& CString::TrimLeft(char ch) {
    const char chars[2] = {ch, 0};
    return TrimLeft(chars);
}

CString& CString::TrimRight(char ch) {
    const char chars[2] = {ch, 0};
    return TrimRight(chars);
}

void CString::MakeUpper() { std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiUpper); }
void CString::MakeLower() { std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiLower); }
void CString::MakeReverse() { std::reverse(m_text.begin(), m_text.end()); }

int CString::Replace(char oldCh, char newCh) {
    int replaced = 0;
    for (char& ch : m_text) {
        if (ch == oldCh) {
            ch = newCh;
            ++replaced;
        }
    }
    return replaced;
}

int CString::Replace(const char* oldText, const char* newText) {
    std::string_view from = oldText ? oldText : "";
    std::string_view to = newText ? newText : "";
    if (from.empty()) {
        return 0;
    }
    int replaced = 0;
    for (size_t at = m_text.find(from); at != std::string::npos; at = m_text.find(from, at + to.size())) {
        m_text.replace(at, from.size(), to);
        ++replaced;
    }
    return replaced;
}

int CString::Remove(char ch) {
    auto end = std::remove(m_text.begin(), m_text.end(), ch);
    int removed = static_cast<int>(m_text.end() - end);
    m_text.erase(end, m_text.end());
    return removed;
}

int CString::Insert(int index, const char* text) {
    m_text.insert(Clamp(index, m_text.size()), text ? text : "");
    return GetLength();
}

int CString::Delete(int index, int count) {
    size_t start = Clamp(index, m_text.size());
    m_text.erase(start, Clamp(count, m_text.size() - start));
    return GetLength();
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) {
        m_text.resize(static_cast<size_t>(minLength));
    }
    return m_text.data();
}

char* CString::GetBufferSetLength(int length) {
    m_text.resize(static_cast<size_t>(std::max(length, 0)));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        newLength = static_cast<int>(std::strlen(m_text.c_str()));
    }
    m_text.resize(static_cast<size_t>(newLength));
}

BOOL CString::LoadString(UINT id) {
    const char* text = CStringTable::Find(id);
    if (!text) {
        return FALSE;
    }
    m_text = text;
    return TRUE;
}

CString operator+(const CString& a, const CString& b) { return CString(a.str() + b.str()); }
CString operator+(const CString& a, const char* b) { return CString(a.str() + (b ? b : "")); }
CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.str()); }
CString operator+(const CString& a, char b) { return CString(a.str() + b); }
CString operator+(char a, const CString& b) { return CString(a + b.str()); }

bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
