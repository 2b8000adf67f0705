#include "model/CHint.h"

IMPLEMENT_SERIAL(CHint, CObject, 2)

namespace {

constexpr int kHintFontHeight = -35;
constexpr BYTE kCyrillicCharset = 204;
constexpr BYTE kStrokePrecision = 3;
constexpr BYTE kStrokeClip = 2;
constexpr BYTE kDraftQuality = 1;
constexpr BYTE kVariableSwiss = 0x22;

}  // namespace

CHint::CHint() {
    m_font.CreateFont(kHintFontHeight, 0, 0, 0, 400, 0, 0, 0, kCyrillicCharset, kStrokePrecision, kStrokeClip,
                      kDraftQuality, kVariableSwiss, "Arial");
}
