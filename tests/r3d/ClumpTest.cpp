#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/Scene.h"

#include <gtest/gtest.h>

using namespace r3d;

namespace {

void ExpectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A flat 2 x 1 x 4 box model from (0, 0, 0) to (2, 1, 4).
std::unique_ptr<Clump> BoxModel() {
    ClumpBuilder builder;
    builder.AddBlock({2, 1, 4});
    auto clump = builder.Finish();
    clump->Transform(Matrix::Translation({1, 0.5f, 2}), Combine::Replace);
    return clump;
}

}  // namespace

TEST(Clump, BuiltVertexByVertexAndFaceByFace) {
    ClumpBuilder builder;
    builder.SetTag(103);
    builder.SetColor(0.5f, 0.25f, 1.0f);
    builder.SetSurfaceFactors(0.5f, 0.4f, 1.0f);
    float uv = 0.5f;
    EXPECT_EQ(builder.AddVertex({0, 0, 0}), 1);
    EXPECT_EQ(builder.AddVertex({1, 0, 0}, uv, 1), 2);
    EXPECT_EQ(builder.AddVertex({1, 0, 1}), 3);
    EXPECT_EQ(builder.AddVertex({0, 0, 1}), 4);
    EXPECT_TRUE(builder.AddQuad(1, 2, 3, 4, 102));
    builder.PushSurface();
    builder.SetDrawStyle(DrawStyle::Wireframe);
    builder.SetOpacity(0.3f);
    EXPECT_TRUE(builder.AddTriangle(1, 2, 3));
    builder.PopSurface();
    const int five[] = {1, 2, 3, 4, 1};
    EXPECT_TRUE(builder.AddPolygon(five));
    EXPECT_FALSE(builder.AddTriangle(1, 2, 5));  // no vertex 5
    EXPECT_FALSE(builder.AddTriangle(0, 1, 2));  // numbers start at 1
    auto clump = builder.Finish();

    EXPECT_EQ(clump->Tag(), 103);
    EXPECT_EQ(clump->VertexCount(), 4);
    ASSERT_EQ(clump->Polygons().size(), 3u);
    const Polygon& top = clump->Polygons()[0];
    EXPECT_EQ(top.vertices, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(top.tag, 102);
    EXPECT_EQ(top.material.red, 0.5f);
    EXPECT_EQ(top.material.specular, 1.0f);
    EXPECT_EQ(top.material.style, DrawStyle::Solid);
    EXPECT_EQ(clump->Polygons()[1].material.style, DrawStyle::Wireframe);
    EXPECT_EQ(clump->Polygons()[1].material.opacity, 0.3f);
    EXPECT_EQ(clump->Polygons()[2].material.opacity, 1.0f);  // restored surface
    EXPECT_EQ(clump->Vertices()[1].u, 0.5f);

    Vec3 p;
    EXPECT_TRUE(clump->GetVertex(2, p));
    ExpectNear(p, {1, 0, 0});
    EXPECT_FALSE(clump->GetVertex(0, p));
    EXPECT_FALSE(clump->GetVertex(5, p));
    EXPECT_TRUE(clump->SetVertex(3, {1, 2, 1}));
    EXPECT_EQ(clump->Bounds().max.y, 2.0f);

    // The probe: the polygon over given vertices and its normal.
    const int outline[] = {3, 4, 1, 2};
    Polygon* found = clump->FindPolygon(outline);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->tag, 102);
    const int missing[] = {1, 3, 2, 4};
    EXPECT_EQ(clump->FindPolygon(missing), nullptr);
    ClumpBuilder flat;
    for (Vec3 v : {Vec3{0, 0, 0}, Vec3{0, 0, -1}, Vec3{1, 0, -1}}) {
        flat.AddVertex(v);
    }
    flat.AddTriangle(1, 3, 2);
    auto probe = flat.Finish();
    // Counter-clockwise seen from above: the normal points up.
    ExpectNear(probe->PolygonNormal(probe->Polygons()[0]), {0, 1, 0});

    clump->SetDrawStyle(DrawStyle::Wireframe);
    for (const Polygon& polygon : clump->Polygons()) {
        EXPECT_EQ(polygon.material.style, DrawStyle::Wireframe);
    }
}

TEST(Clump, ModelVertexGoesThroughOrientationThenModelling) {
    // Turned 90 degrees about x and then scaled along the world axes, the model still fills its box.
    auto clump = BoxModel();
    clump->ResetTransform();
    clump->Orient(Matrix::Rotation({1, 0, 0}, 90), Combine::Before);
    clump->Transform(Matrix::Translation(-clump->Position()), Combine::After);
    Box bounds = clump->Bounds();
    Vec3 extent = bounds.max - bounds.min;
    ExpectNear(extent, {2, 4, 1});
    clump->Transform(Matrix::Scaling({5 / extent.x, 3 / extent.y, 7 / extent.z}), Combine::Before);
    bounds = clump->Bounds();
    ExpectNear(bounds.max - bounds.min, {5, 3, 7});

    // Turns after earlier turns act about the world axes.
    clump->ResetTransform();
    ExpectNear(clump->Bounds().max - clump->Bounds().min, {2, 1, 4});
    clump->Transform(Matrix::Rotation({0, 1, 0}, 90), Combine::After);
    clump->Transform(Matrix::Rotation({1, 0, 0}, 90), Combine::After);
    ExpectNear(clump->Bounds().max - clump->Bounds().min, {4, 2, 1});
    // The clump's matrix is the product; reset clears both transforms.
    clump->ResetTransform();
    clump->Orient(Matrix::Translation({0, 10, 0}), Combine::After);
    ExpectNear(clump->LocalMatrix().Translation(), {0, 10, 0});
    ExpectNear(clump->Position(), clump->LocalMatrix().Translation());
    clump->ResetTransform();
    ExpectNear(clump->Position(), {0, 0, 0});
    ExpectNear(clump->Bounds().min, {-1, -0.5f, -2});
}

TEST(Clump, ChildrenCopiesAndEmptyBounds) {
    auto train = std::make_unique<Clump>();
    EXPECT_TRUE(train->Bounds().Empty());
    Box box;
    box.Extend(Vec3{8, 8, 8});
    box.Extend(train->Bounds());
    EXPECT_EQ(box.max.x, 8.0f);

    Clump* loco = train->AddChild(BoxModel());
    loco->SetTag(30);
    Clump* car = train->AddChild(loco->Clone());
    car->SetTag(31);
    EXPECT_EQ(loco->Parent(), train.get());
    EXPECT_EQ(car->Parent(), train.get());
    ASSERT_EQ(train->Children().size(), 2u);
    EXPECT_EQ(train->Children()[0]->Tag(), 30);
    EXPECT_EQ(train->Children()[1]->Tag(), 31);
    EXPECT_EQ(car->VertexCount(), loco->VertexCount());

    // Children follow the parent's transform.
    train->Transform(Matrix::Translation({0, 100, 0}), Combine::After);
    EXPECT_NEAR(car->Bounds().min.y, 100.0f, 1e-4f);

    Scene scene;
    EXPECT_TRUE(scene.Add(*train));
    EXPECT_FALSE(scene.Add(*car));  // children come with their parent
    train.reset();                  // destroys the cars with it and leaves the scene
    EXPECT_TRUE(scene.Clumps().empty());
}

TEST(Scene, AddVisitRemoveDestroy) {
    Scene scene;
    auto a = BoxModel();
    auto b = BoxModel();
    b->SetTag(105);
    b->AddChild(BoxModel());
    scene.Add(*a);
    scene.Add(*b);
    scene.Add(*a);  // once only
    std::vector<int> tags;
    scene.ForEachClump([&](Clump& c) { tags.push_back(c.Tag()); });
    EXPECT_EQ(tags, (std::vector<int>{0, 105}));  // top level only

    a->RemoveFromScene();
    EXPECT_EQ(a->InScene(), nullptr);
    EXPECT_EQ(scene.Clumps().size(), 1u);
    b.reset();
    EXPECT_TRUE(scene.Clumps().empty());

    auto lonely = BoxModel();
    {
        Scene shortLived;
        shortLived.Add(*lonely);
    }
    EXPECT_EQ(lonely->InScene(), nullptr);
}
