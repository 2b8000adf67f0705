#pragma once

#include "platform/base/CException.h"

// A failure of the archive encoding: a stream that ends early or does not hold what the
// reader expects, or an archive used in the wrong direction.
class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)

public:
    enum { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    explicit CArchiveException(int cause = none, const CString& fileName = CString());

    CString GetErrorMessage() const override;

    int m_cause;
    CString m_strFileName;
};
