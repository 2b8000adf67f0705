#pragma once

#include "platform/base/CException.h"

// A refusal the user has already been told about (a bad value in a dialog): whoever catches
// it only stops what it was doing.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
  public:
    CString GetErrorMessage() const override { return CString(); }
};
