#include "platform/win/CMultiDocTemplate.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)
