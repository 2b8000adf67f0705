#include "platform/base/CArchiveException.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, const CString& fileName)
    : m_cause(cause), m_strFileName(fileName) {}

CString CArchiveException::GetErrorMessage() const {
    const char* pattern = "an unexpected error occurred while reading or writing %s.";
    switch (m_cause) {
        case none:
            return "No error occurred.";
        case readOnly:
            pattern = "an attempt was made to write to %s while it was being read.";
            break;
        case writeOnly:
            pattern = "an attempt was made to read from %s while it was being written.";
            break;
        case endOfFile:
            pattern = "%s ends unexpectedly; it is incomplete or damaged.";
            break;
        case badIndex:
            pattern = "%s has an unexpected file format: it refers to a record that is not there.";
            break;
        case badClass:
            pattern =
                "%s has an unexpected file format: it holds an object of an unknown or unexpected kind.";
            break;
        case badSchema:
            pattern = "%s has an unexpected file format: it holds an object of an unsupported version.";
            break;
        default:
            break;
    }
    return DescribeFile(pattern, m_strFileName);
}
