#include "terrain/TerrainLengths.h"

#include "model/CLengthFormat.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"

namespace {

CLengthFormat LengthFormatOf(const CPaint& object) {
    const CToolHost* host = object.m_pTool != nullptr ? object.m_pTool->m_pHost : nullptr;
    return CLengthFormat(host != nullptr ? host->GetUnitIndex() : kDefaultUnitIndex);
}

}  // namespace

CString FormatObjectLength(const CPaint& object, double length) {
    CString text;
    LengthFormatOf(object).FormatLength(text, length);
    return text;
}

double ParseObjectLength(const CPaint& object, const CString& text) {
    return LengthFormatOf(object).ParseLength(text);
}
