#pragma once

#include <vector>

#include "model/CCVNDoc.h"

// A document whose file errors are kept instead of shown.
class RecordingDoc : public CCVNDoc {
  public:
    void ReportSaveLoadException(LPCTSTR, const CString& message, BOOL) override {
        m_errors.push_back(message);
    }
    std::vector<CString> m_errors;
};
