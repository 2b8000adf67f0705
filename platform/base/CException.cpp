#include "platform/base/CException.h"

IMPLEMENT_DYNAMIC(CException, CObject)

CString CException::DescribeFile(const char* pattern, const CString& fileName) {
    CString file = "the file";
    if (!fileName.IsEmpty()) {
        file.Format("the file \"%s\"", fileName.c_str());
    }
    CString message;
    message.Format(pattern, file.c_str());
    if (!message.IsEmpty() && message[0] >= 'a' && message[0] <= 'z') {
        message.SetAt(0, static_cast<char>(message[0] - 'a' + 'A'));
    }
    return message;
}
