#include "platform/base/CObject.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CSampleBase : public CObject {
    DECLARE_SERIAL(CSampleBase)
};
IMPLEMENT_SERIAL(CSampleBase, CObject, 2)

class CSampleTrack : public CSampleBase {
    DECLARE_SERIAL(CSampleTrack)
};
IMPLEMENT_SERIAL(CSampleTrack, CSampleBase, 3)

}  // namespace

TEST(CObject, RuntimeClassesNameKindAndCreate) {
    CSampleTrack track;
    EXPECT_STREQ(track.GetClassName(), "CSampleTrack");
    EXPECT_TRUE(track.IsKindOf(RUNTIME_CLASS(CSampleBase)));
    EXPECT_TRUE(track.IsKindOf(RUNTIME_CLASS(CObject)));
    CSampleBase base;
    EXPECT_FALSE(base.IsKindOf(RUNTIME_CLASS(CSampleTrack)));
    EXPECT_EQ(RUNTIME_CLASS(CSampleTrack)->m_wSchema, 3u);

    const CRuntimeClass* byName = CRuntimeClass::FromName("CSampleTrack");
    ASSERT_EQ(byName, RUNTIME_CLASS(CSampleTrack));
    std::unique_ptr<CObject> made(byName->CreateObject());
    EXPECT_STREQ(made->GetClassName(), "CSampleTrack");
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), nullptr);  // never created by name
}
