#pragma once

#include "platform/base/CObject.h"
#include "platform/base/CString.h"

// Root of the framework's failures. Thrown by value and caught by const reference.
class CException : public CObject {
    DECLARE_DYNAMIC(CException)

public:
    // A sentence for the user that says what went wrong and with which file.
    virtual CString GetErrorMessage() const = 0;

protected:
    // The pattern's "%s" becomes the quoted file name, or "the file" when there is none;
    // the sentence starts with a capital either way.
    static CString DescribeFile(const char* pattern, const CString& fileName);
};
