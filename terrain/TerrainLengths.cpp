#include "terrain/TerrainLengths.h"

#include <cmath>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"

CLengthFormat ObjectLengths(const CPaint& object) {
    const CToolHost* host = object.m_pTool != nullptr ? object.m_pTool->m_pHost : nullptr;
    return CLengthFormat(host != nullptr ? host->GetUnitIndex() : kDefaultUnitIndex);
}

CString FormatObjectLength(const CPaint& object, double length) {
    CString text;
    ObjectLengths(object).FormatLength(text, length);
    return text;
}

double ParseObjectLength(const CPaint& object, const CString& text) {
    double length = std::nan("");
    ObjectLengths(object).ReadTypedLength(text, length);
    return length;
}
