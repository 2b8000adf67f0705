#pragma once

#include <memory>

#include "model/C3DViewServices.h"
#include "platform/base/GlobalMemory.h"
#include "platform/r3d/Vector.h"
#include "platform/win/CView.h"

namespace r3d {
class Camera;
class Clump;
class Raster;
struct Box;
}  // namespace r3d

class CBitmap;
class CCVNDoc;
class CCmdUI;
class CPaint;

// The 3D window's view: the document's scene seen through a camera the user flies. The view
// owns only its camera, a backdrop panorama and a small marker clump; every layout object
// keeps its own model in the document's scene. It renders on demand, never while idle.
class C3DView : public CView, public C3DViewServices {
    DECLARE_DYNCREATE(C3DView)
    DECLARE_MESSAGE_MAP()

  public:
    static constexpr UINT_PTR kDriveTimerId = 1;
    static constexpr UINT kDrivePeriod = 10;
    static constexpr int kMarkerTag = 100;
    static constexpr UINT kViewCursor = 308;
    static constexpr int kStatusKind = 23;
    enum DriveMode { kIdle = 0, kDrive = 1, kLiftCamera = 3, kLiftObject = 4 };

    C3DView();
    ~C3DView() override;

    CCVNDoc* GetDocument() const;
    r3d::Camera* GetCamera() const { return m_pCamera.get(); }
    r3d::Clump* GetMarker() const { return m_pMarker.get(); }
    int GetDriveMode() const { return m_nDriveMode; }
    UINT_PTR GetDriveTimer() const { return m_nDriveTimer; }
    float GetCameraDistance() const { return m_fCameraDistance; }
    r3d::Vec3 GetStoredPosition() const { return m_position; }
    r3d::Vec3 GetStoredLookAt() const { return m_lookAt; }

    void ResetCameraParams();
    void SetupCamera();
    // Renders the scene through the camera into the window behind the device context.
    void Render(CDC* dc);
    void SyncBackdrop();
    void AlignBackdrop();
    // The panorama's sideways offset for a backdrop of the width seen along the direction.
    static int BackdropOffset(int backdropWidth, r3d::Vec3 direction);
    // The backdrop now held by the camera, with the file it came from.
    const CString& GetBackdropName() const { return m_strBackdrop; }
    // How many pictures the view has rendered.
    int GetRenderCount() const { return m_nRenders; }

    // C3DViewServices
    void MarkForRender() override;
    void SetCameraFromObject(const CameraAim* aim) override;

    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                void* createParams = nullptr) override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
    void OnDraw(CDC* dc) override;
    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;

  protected:
    void OnDestroy() override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    // Another window takes the keys or a dialog comes: a drive stops and a lift ends where it got
    // to, as letting go of the button does, so no later mouse move turns the camera or lifts.
    void OnCancelMode() override;
    void OnTimer(UINT_PTR id) override;

  private:
    // Camera commands.
    void OnTiltForward();
    void OnTiltBackward();
    void OnTiltLeft();
    void OnTiltRight();
    void OnTurnLeft();
    void OnTurnRight();
    void OnMoveUp();
    void OnMoveDown();
    void OnMoveLeft();
    void OnMoveRight();
    void OnMoveForward();
    void OnMoveBackward();
    void OnResetCamera();
    void OnUpdateNeedsCamera(CCmdUI* cmdUI);
    // Preset views.
    void OnBirdsEyeView();
    void OnFrontView();
    void OnBackView();
    void OnLeftSideView();
    void OnRightSideView();
    enum class PresetView { BirdsEye, Front, Back, LeftSide, RightSide };
    void ShowPresetView(PresetView preset);
    void FitCamera(const r3d::Vec3& position, const r3d::Vec3& lookAt, float distance);
    bool SceneBounds(r3d::Box& box) const;
    // Light.
    void OnDarken();
    void OnLighten();
    void OnUpdateDarken(CCmdUI* cmdUI);
    void OnUpdateLighten(CCmdUI* cmdUI);
    void StepBrightness(float step);
    // Save and print.
    void OnSave3DView();
    void CaptureWindow(CDC& window);
    void FreeCapture();

    void SpanViewWindow(int w, int h);
    void Redraw();
    void RenderPicture();
    void DrawPicture(CDC& dc, int x, int y, int width, int height);
    void ShowFrame(CDC& dc);
    void BuildMarker();
    void ReleaseBackdrop();
    void ShowViewCursor();
    void StartDriveTimer();
    void StopDriveTimer();
    void DriveStep();
    void LiftObject(CPoint point);
    void PushLiftUndo(CPaint& owner);
    void EndLift();
    void ShowStatus();
    void EditTerrainUnder(CPoint point);
    CPaint* FindOwner(const r3d::Clump* clump) const;
    void UpdateOtherViews();

    int m_bSwitchToolBars = 0;
    r3d::Clump* m_pDragged = nullptr;
    // The object the current right drag has lifted: its elevation before the drag is on the
    // undo list once.
    CPaint* m_pLifted = nullptr;
    int m_nDriveMode = kIdle;
    CPoint m_anchor;
    CString m_strBackdrop;
    int m_nRasterWidth = 800;
    int m_nRasterHeight = 600;
    std::unique_ptr<r3d::Camera> m_pCamera;
    float m_fCameraDistance = 8.0f;
    float m_fViewHeight = 0.8f;
    float m_fViewWidth = 0.8f;
    float m_fBaseViewHeight = 0.8f;
    float m_fBaseViewWidth = 0.8f;
    r3d::Vec3 m_position;
    r3d::Vec3 m_lookAt;
    CPaint* m_pPickedTerrain = nullptr;
    std::unique_ptr<r3d::Clump> m_pMarker;
    UINT_PTR m_nDriveTimer = 0;
    int m_bCapture = 0;
    // The picture Save 3D View writes: a packed DIB.
    HGLOBAL m_hCaptured = nullptr;
    int m_nRenders = 0;
    // The last frame as the window is shown it, kept so that its storage serves the next frame.
    std::unique_ptr<CBitmap> m_pFrame;
};
