#include "model/CPaint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/CEditStep.h"
#include "tests/model/TestLayout.h"

namespace {

// A class that overrides nothing: it answers every slot with the root answer.
class CPlainObject : public CPaint {
public:
    using CPaint::CPaint;
};

}  // namespace

TEST(CPaint, DefaultConstructedObjectHasTheCatalogueAndDrawingDefaults) {
    CPaint paint;
    EXPECT_EQ(paint.m_fQuantity, 1.0);
    EXPECT_EQ(paint.m_fPrice, 0.0);
    EXPECT_EQ(paint.m_strPartNo, "0");
    EXPECT_EQ(paint.m_strCategory, "Miscellaneous");
    EXPECT_EQ(paint.m_strManufacturer, "User");
    EXPECT_EQ(paint.m_strType, "Other");
    EXPECT_EQ(paint.m_strScale, "HO");
    EXPECT_TRUE(paint.m_strName.IsEmpty());
    EXPECT_EQ(paint.m_nLayer, 0);
    EXPECT_EQ(paint.m_nEditState, -1);
    EXPECT_EQ(paint.m_bScaleWithDocument, 1);
    EXPECT_EQ(paint.m_brush, (BrushRecord{2, 0, 4}));
    EXPECT_EQ(paint.m_pen, (PenRecord{0, 0, 0, 0}));
    EXPECT_EQ(paint.m_nArrowStyle, 1);
    EXPECT_EQ(paint.m_nArrowLength, 1);
    EXPECT_EQ(paint.m_nArrowWidth, 1);
    EXPECT_EQ(paint.m_nFrameStyle, 0);
    EXPECT_EQ(paint.m_nFrameWidth, 1);
    EXPECT_EQ(paint.m_pTool, nullptr);
    EXPECT_EQ(paint.m_pOwnerGroup, nullptr);
    EXPECT_EQ(paint.m_pPatternBitmap, nullptr);
    EXPECT_EQ(paint.m_hModel, nullptr);
    EXPECT_TRUE(paint.m_rcBounds.IsEmpty());
    EXPECT_STREQ(paint.GetRuntimeClass()->m_lpszClassName, "CPaint");
    EXPECT_EQ(paint.GetRuntimeClass()->m_wSchema, 1u);
    std::unique_ptr<CObject> byName(CRuntimeClass::FromName("CPaint")->CreateObject());
    EXPECT_EQ(dynamic_cast<CPaint*>(byName.get())->m_strCategory, "Miscellaneous");
}

TEST(CPaint, EngineMadeObjectCopiesTheEngineDrawingDefaults) {
    CTool tool;
    tool.m_penDefault = PenRecord{2, 3, 0, RGB(1, 2, 3)};
    tool.m_brushDefault = BrushRecord{0, RGB(9, 8, 7), 5};
    tool.m_bFillOnDefault = 1;
    tool.m_bPatternOnDefault = 1;
    tool.m_crFillDefault = RGB(4, 5, 6);
    CPlainObject made(1, &tool, 10.0, 20.0);
    EXPECT_EQ(made.m_pen, tool.m_penDefault);
    EXPECT_EQ(made.m_brush, tool.m_brushDefault);
    EXPECT_EQ(made.m_bFillOn, 1);
    EXPECT_EQ(made.m_bPatternOn, 1);
    EXPECT_EQ(made.m_crFill, RGB(4, 5, 6));
    EXPECT_EQ(made.m_bSelected, 1);
    EXPECT_EQ(made.m_pTool, &tool);
    EXPECT_EQ(made.m_fQuantity, 1.0);
}
