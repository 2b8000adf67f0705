#pragma once

#include <memory>

#include "platform/r3d/Matrix.h"
#include "view3d/C3DPreviewClump.h"
#include "view3d/CObject3DDialog.h"

class C3D;

namespace r3d {
class Clump;
class Light;
class Scene;
}  // namespace r3d

// "3D Objects properties": the model and texture of a 3D shape, shown turning in a preview of
// the dialog's own scene, its orientation (Tilt, Pan, Revolve), height, elevation, plan
// switches and catalogue fields. It works on a copy; the shape takes the result after OK.
class C3DPropertyDialog : public CObject3DDialog {
    DECLARE_DYNAMIC(C3DPropertyDialog)
    DECLARE_MESSAGE_MAP()

  public:
    explicit C3DPropertyDialog(CWnd* parent = nullptr);
    ~C3DPropertyDialog() override;

    // Without a pose the dialog is in its creation form: only the clicked piece can change.
    void SetObject(C3D* object, BOOL multiple, const CPose* pose);
    // A fresh copy of the working copy with the preview's orientation, owned by the caller;
    // false without a working copy.
    BOOL GetResult(C3D*& result, int& mode);

    C3D* GetWorkingCopy() const { return m_pCopy; }
    r3d::Clump* GetPreviewModel() const { return m_pModel.get(); }
    C3DPreviewClump& GetPreview() { return m_preview; }
    // The model's Euler angles in degrees, turned about y (pan), then x (tilt), then z (revolve).
    static void EulerAngles(const r3d::Matrix& orientation, double& tilt, double& pan, double& revolve);
    static r3d::Matrix FromEulerAngles(double tilt, double pan, double revolve);

    CString m_strModelFile;
    CString m_strTexture;
    CTypedField m_height;
    CString m_strTilt;
    CString m_strPan;
    CString m_strRevolve;
    int m_bExclude = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void EnableCatalogue(BOOL editable) override;
    void OnBrowseModel();
    void OnBrowseTexture();
    void OnForward();
    void OnBackward();
    void OnPreview();
    void OnAdjustOrientation();
    void OnRestoreObject();
    void OnOrientationChanged();
    void OnKillFocusHeight();

  private:
    void BuildPreviewModel(bool applyTexture, bool proposeHeight);
    bool ApplyPreviewTexture();
    void ShowOrientation();
    void ShowAngles(double tilt, double pan, double revolve);
    void ShowAngleText(int id, const CString& text);
    // Turns the model by the angles typed; false when the turn it keeps shows other angles.
    bool ApplyTypedOrientation();
    void TakeOrientationFromPreview();

    C3D* m_pCopy = nullptr;
    std::unique_ptr<r3d::Scene> m_pScene;
    r3d::Light* m_pLight = nullptr;
    std::unique_ptr<r3d::Clump> m_pModel;
    r3d::Matrix m_orientation;
    C3DPreviewClump m_preview;
    double m_fLastTilt = 0.0, m_fLastPan = 0.0, m_fLastRevolve = 0.0;
};
