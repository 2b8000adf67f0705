#include <gtest/gtest.h>

#include "platform/r3d/Camera.h"
#include "platform/r3d/Clump.h"
#include "platform/r3d/RenderTarget.h"
#include "platform/r3d/Scene.h"
#include "platform/win/WindowDCs.h"
#include "tests/r3d/DifferingPixels.h"
#include "tests/track/LargeLayout.h"
#include "tests/view3d/TrackLayoutProgram.h"

namespace {

constexpr UINT kKeyDown = 40;
constexpr int kRows = 12;
constexpr int kPiecesPerRow = 100;

// A layout of several rows in the running program's 3D view, large enough that its track
// spreads over many cells of the shared meshes.
class CulledFrame3D : public TrackLayoutProgram {
  protected:
    void SetUp() override {
        TrackLayoutProgram::SetUp();
        LargeLayout::Build(*layout, kRows, kPiecesPerRow);
        // The default track's textures are in no data folder; each missing file is reported once.
        for (int box = 0; box < 10; ++box) host.AnswerMessageBox(IDOK);
        view = Open3DView();
        ASSERT_NE(view, nullptr);
        SizeClient(400, 250);
    }
    void SizeClient(int width, int height) {
        CRect window, client;
        view->GetWindowRect(&window);
        view->GetClientRect(&client);
        view->MoveWindow(0, 0, width + window.Width() - client.Width(),
                         height + window.Height() - client.Height());
        host.RunUntilIdle();
    }
    r3d::Vec3 Middle(int piece) { return Piece(piece)->m_hModel->Bounds().Centre(); }
    void Stand(const r3d::Vec3& eye, const r3d::Vec3& target) {
        r3d::Camera& camera = *view->GetCamera();
        camera.MoveBy(eye - camera.Position());
        camera.LookAt(target);
    }
    r3d::Raster Frame(bool culling) {
        layout->GetScene()->SetCulling(culling);
        CClientDC dc(view);
        view->Render(&dc);
        return view->GetCamera()->Picture();
    }
    static int Background(const r3d::Raster& picture) {
        const r3d::Raster::Rgb corner = picture.Pixel(0, 0);
        int count = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) count += picture.Pixel(x, y) == corner ? 1 : 0;
        return count;
    }
    // From above, from inside the layout looking along a row and back across the rows, and
    // from close over one piece; each frame as when every shared mesh is drawn.
    void ExpectCulledFramesSameAsWhole(const char* when) {
        const r3d::Vec3 start = Middle(kPiecesPerRow * 2), end = Middle(kPiecesPerRow * 3 - 1);
        const r3d::Vec3 far = Middle(kPiecesPerRow * kRows - 1), close = Middle(kPiecesPerRow * 4 + 7);
        const r3d::Vec3 lift{0, 0.15f, 0};
        struct Standpoint {
            const char* name;
            r3d::Vec3 eye, target;
        };
        const Standpoint standpoints[] = {
            {"inside the layout looking along a row", start + lift, end + lift},
            {"inside the layout looking back across the rows", end + lift * 2, Middle(0)},
            {"close over one piece", close + lift * 3, close},
            {"at the far corner looking out", far + lift, far * 2 + lift},
        };
        Command(ID_VIEW_BIRDS_EYE);
        EXPECT_EQ(DifferingPixels(Frame(true), Frame(false)), 0) << "bird's eye, " << when;
        int leftOut = 0;
        for (const Standpoint& standpoint : standpoints) {
            Stand(standpoint.eye, standpoint.target);
            const r3d::Raster culled = Frame(true);
            leftOut += Meshes() - MeshesDrawn();
            EXPECT_EQ(DifferingPixels(culled, Frame(false)), 0) << standpoint.name << ", " << when;
            EXPECT_EQ(MeshesDrawn(), Meshes()) << standpoint.name << ", " << when;
            EXPECT_LT(Background(culled), culled.Width() * culled.Height())
                << standpoint.name << " shows track";
        }
        // From close over one piece, and at the far corner, most of the track lies out of sight.
        EXPECT_GT(leftOut, Meshes()) << when;
    }
    int Meshes() { return static_cast<int>(layout->GetScene()->Batches().MeshCount()); }
    int MeshesDrawn() { return view->GetCamera()->Target()->SharedMeshesDrawn(); }

    C3DView* view = nullptr;
};

}  // namespace

TEST_F(CulledFrame3D, FramesLeavingOutUnseenTrackDrawTheSamePixelsThroughAMoveAndItsUndo) {
    ExpectCulledFramesSameAsWhole("as opened");
    EXPECT_GT(layout->GetScene()->Batches().MeshCount(), 4u);

    // Moved down the page into another row's cells as the arrow keys move the selection; the
    // key going up rebuilds the moved model.
    Piece(kPiecesPerRow * 2 + 5)->SelectWithUndo(0, 0);
    ASSERT_EQ(layout->m_tool.MoveSelection(0.0, -2.5 * LargeLayout::kRowSpacing, 0, 1, 1), 1);
    layout->m_tool.OnKeyUp(kKeyDown);
    host.RunUntilIdle();
    ExpectCulledFramesSameAsWhole("after the move");

    PlanCommand(ID_EDIT_UNDO);
    ExpectCulledFramesSameAsWhole("after its undo");
}

TEST_F(CulledFrame3D, TheWindowShowsExactlyTheRenderedPictureFrameAfterFrame) {
    Command(ID_VIEW_BIRDS_EYE);
    for (int frame = 0; frame < 3; ++frame) {
        if (frame == 2)
            SizeClient(320, 180);
        const r3d::Raster picture = Frame(true);
        ASSERT_EQ(picture.Width(), frame == 2 ? 320 : 400);
        CClientDC dc(view);
        const r3d::Rect& viewport = view->GetCamera()->Viewport();
        int differing = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) {
                const r3d::Raster::Rgb pixel = picture.Pixel(x, y);
                differing +=
                    dc.GetPixel(viewport.x + x, viewport.y + y) == RGB(pixel.r, pixel.g, pixel.b) ? 0 : 1;
            }
        EXPECT_EQ(differing, 0) << "frame " << frame;
        Command(ID_CAMERA_LOOK_DOWN);
    }
}
