#pragma once

#include "platform/win/CDocTemplate.h"

// A template whose documents each open in their own MDI child frames.
class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    using CDocTemplate::CDocTemplate;
};
