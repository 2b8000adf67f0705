#pragma once

#include <memory>

#include "platform/ctl/CStatic.h"
#include "platform/r3d/Vector.h"

namespace r3d {
class Camera;
class Clump;
}  // namespace r3d

class CMount;
class CTerrainEditorDialog;

// The 3D picture inside the terrain editor: the terrain as a wire grid in the editor's own
// world with a red ball on the selected knot. A click picks a knot, a drag (Ctrl-drag on the
// ball) lifts it, and the keys move the camera.
class CTerrainPreviewWnd : public CStatic {
    DECLARE_DYNAMIC(CTerrainPreviewWnd)
  public:
    static constexpr float kViewWindow = 0.4f;

    CTerrainPreviewWnd();
    ~CTerrainPreviewWnd() override;

    void SetTerrain(CMount* terrain, double worldAngle) {
        m_pTerrain = terrain;
        m_fWorldYaw = worldAngle;
    }
    BOOL CreateCamera(CTerrainEditorDialog* dialog);
    void SetupCamera();
    // Builds both clumps again; the knots are recomputed from the dialog's list when forced
    // or when it holds new edits.
    BOOL RebuildClumps(BOOL force);
    // The ball onto the knot's vertex as the turned mesh shows it.
    void PlaceMarker(int knot);
    void TurnMesh(double degrees);
    void RenderPicture();

    r3d::Camera* GetCamera() const { return m_pCamera.get(); }
    r3d::Clump* GetTerrainClump() const { return m_pTerrainClump.get(); }
    r3d::Clump* GetMarker() const { return m_pMarker.get(); }
    double GetYaw() const { return m_fYaw; }
    void AddYaw(double degrees) { m_fYaw += degrees; }
    BOOL IsDragging() const { return m_bDragging; }

  protected:
    void OnPaint() override;
    void OnNcPaint() override;
    void OnSetFocus(CWnd* oldWindow) override;
    void OnKillFocus(CWnd* newWindow) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    // A dragged knot takes the height it got to, as letting go of the button gives it.
    void OnCancelMode() override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override;

  private:
    void ReleaseClumps();
    BOOL BuildMarker();
    bool MarkerCentreX(int& x) const;
    void StartDrag(int knot);
    // Whether the key moved the camera.
    bool MoveCamera(UINT key, bool shift, bool ctrl);
    void TurnBackToTerrainAngle();

    CTerrainEditorDialog* m_pDialog = nullptr;
    std::unique_ptr<r3d::Clump> m_pTerrainClump;
    std::unique_ptr<r3d::Clump> m_pMarker;
    double m_fYaw = 0.0;
    double m_fWorldYaw = 0.0;
    int m_bDragging = 0;
    CMount* m_pTerrain = nullptr;
    int m_nMarkerX = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    float m_fViewHeight = kViewWindow;
    float m_fViewWidth = kViewWindow;
    r3d::Vec3 m_position;
    r3d::Vec3 m_lookAt;
    std::unique_ptr<r3d::Camera> m_pCamera;
};
