#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

// A byte string of single-byte (Windows-1252) characters. Embedded zero bytes are kept:
// the length is the stored length, not the position of the first zero.
class CString {
public:
    CString() = default;
    CString(const char* text);
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    CString(std::string_view text) : m_text(text) {}
    explicit CString(std::string text) : m_text(std::move(text)) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    char GetAt(int index) const { return m_text.at(static_cast<size_t>(index)); }
    void SetAt(int index, char ch) { m_text.at(static_cast<size_t>(index)) = ch; }
    char operator[](int index) const { return GetAt(index); }

    operator const char*() const { return m_text.c_str(); }
    const char* c_str() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }
    std::string_view view() const { return m_text; }

    CString& operator=(const char* text);
    CString& operator=(char ch);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    // Byte-wise comparison: negative, zero or positive.
    int Compare(const char* text) const;
    int Compare(const CString& other) const;
    // ASCII case-insensitive comparison.
    int CompareNoCase(const char* text) const;
    int CompareNoCase(const CString& other) const;

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* chars) const;
    CString SpanExcluding(const char* chars) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;

    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(const char* chars);
    CString& TrimLeft(const char* chars);
    CString& TrimRight(const char* chars);
    CString& TrimLeft(char ch);
    CString& TrimRight(char ch);

    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    // Writable access for code that fills a character buffer; ReleaseBuffer(-1) takes the
    // length up to the first zero byte.
    char* GetBuffer(int minLength);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // Replaces the text with the string-table entry; FALSE (text unchanged) when there is none.
    BOOL LoadString(UINT id);

private:
    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);
