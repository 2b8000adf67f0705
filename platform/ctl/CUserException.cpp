#include "platform/ctl/CUserException.h"

IMPLEMENT_DYNAMIC(CUserException, CException)
