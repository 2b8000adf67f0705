#pragma once

#include <functional>
#include <memory>

#include "platform/ctl/CStatic.h"
#include "platform/r3d/Vector.h"

namespace r3d {
class Camera;
class Clump;
class Light;
class Scene;
}  // namespace r3d

// The small 3D window of the 3D object properties dialog: it shows the dialog's model in the
// dialog's scene, turns it about the screen's axes while the left button drags it (Shift: only
// about the vertical, Ctrl: only about the horizontal), circles the camera about it ("Preview")
// and walks the camera nearer or farther. The dialog owns scene, light and model.
class C3DPreviewClump : public CStatic {
    DECLARE_DYNAMIC(C3DPreviewClump)

  public:
    static constexpr UINT_PTR kSpinTimer = 1;
    static constexpr UINT kSpinInterval = 100;

    C3DPreviewClump();
    ~C3DPreviewClump() override;

    void Attach(r3d::Scene* scene, r3d::Light* light) {
        m_pScene = scene;
        m_pLight = light;
    }
    void SetModel(r3d::Clump* model) { m_pModel = model; }
    // Called after each mouse turn, so that the dialog shows the new orientation.
    void SetTurnListener(std::function<void()> listener) { m_onTurn = std::move(listener); }

    // Makes the camera at the size of the window; false, with a message, when it cannot be made.
    bool CreateCamera();
    void ResetCameraParams();
    void SetupCamera();
    // The model's size sets the viewing distance; the centre is looked at.
    void FrameModel(float distance, const r3d::Vec3& centre);
    void MoveCloser();
    void MoveAway();
    void SetSpin(bool on);
    bool IsSpinning() const { return m_nSpinTimer != 0; }
    double GetSpinAngle() const { return m_fSpinAngle; }
    r3d::Camera* GetCamera() const { return m_pCamera.get(); }
    void Redraw();

  protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnTimer(UINT_PTR id) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    // A turn by the mouse ends where it got to.
    void OnCancelMode() override;
    void OnDestroy() override;

  private:
    enum DragMode { kNone = 0, kFree = 1, kVerticalOnly = 2, kHorizontalOnly = 3 };

    void PlaceCamera(const r3d::Vec3& position);
    void StepAlongView(float step);
    void SpinStep();

    r3d::Scene* m_pScene = nullptr;
    r3d::Light* m_pLight = nullptr;
    r3d::Clump* m_pModel = nullptr;
    std::function<void()> m_onTurn;
    int m_nDragMode = kNone;
    bool m_bDragging = false;
    CPoint m_last;
    float m_fDistance = 3.0f;
    float m_fViewWindow = 0.4f;
    r3d::Vec3 m_position{0.0f, 0.0f, 3.0f};
    r3d::Vec3 m_lookAt{0.0f, 0.0f, 0.0f};
    std::unique_ptr<r3d::Camera> m_pCamera;
    UINT_PTR m_nSpinTimer = 0;
    double m_fSpinAngle = 0.0;
};
