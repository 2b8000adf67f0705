#pragma once

#include <memory>

#include "drawing/CBMP.h"
#include "model/CInGroupMark.h"

namespace r3d {
class Texture;
}

// A 3D bitmap: a picture, masked by its ".msk" file, standing upright in 3D at its elevation
// with the width and height of its plan box, always facing the camera. The plan shows the
// masked picture in the box, or the box with a cross. Its box is the picture's box.
class CSprite : public CBMP, public CInGroupMark {
    DECLARE_SERIAL(CSprite)

  public:
    static constexpr int kSpriteTag = 104;

    CSprite();
    CSprite(int selected, CTool* tool, double x, double y);
    ~CSprite() override;

    void SetInGroup(int inGroup) override { m_bGrouped = inGroup; }
    // The picture and its mask beside it.
    void SetImage(const CString& name);
    // The plan's bitmaps of the picture and the mask; a name whose file is missing stays, and
    // is reported once (a missing mask is not: a picture need not have one).
    void LoadBitmaps();
    CBitmap* GetImage() const { return m_pImage.get(); }
    CBitmap* GetMask() const { return m_pMask.get(); }
    // The elevation of the sprite's lower edge in plan units; the stored one without a model.
    void RefreshElevationFromModel();

    void Serialize(CArchive& ar) override;
    void RecreateResources(int recreate) override;
    void AppendStatusText(CString& text) override;
    void ReleaseData() override;
    void CopyFrom(CPaint* other) override;
    // Undo of a properties change: the sprite stands again where the restored state puts it,
    // as saving reads the elevation from it.
    void RestoreFormerState(CPaint* former) override;
    CPaint* Clone() override;
    int Draw(const CPose* parent) override;
    void TrackCreate(const CPose* pose, int handle) override;
    void DragHandle(const CPose* pose, int handle) override;
    int FinishCreate(const CPose* pose, int flag) override;
    int Edit3DProperties(int flag) override;
    int EditProperties(const CPose* pose) override;
    void ApplyStyle(const CPose* pose, CPaint* pattern, int mode) override;
    std::unique_ptr<r3d::Clump> Build3D(const CPose* pose) override;
    int Update3D(const CPose* pose) override;
    void UpdateSizeInfo(const CPose* pose) override;
    void PlaceOnBase() override;
    int ApplyHeightStep(CEditStep* step) override;
    BOOL GetLowestElevation(double& elevation) const override;
    void LowerElevations(const CPose* pose, double by) override;

    CString m_strImage;
    CString m_strMask;
    double m_fElevation = 0.0;
    double m_fSavedElevation = 0.0;
    int m_bShowOn2DPlan = 0;
    int m_bShowBoxWhenGrouped = 0;
    int m_bGrouped = 0;
    int m_bRebuild3D = 1;
    int m_bMissingReported = 0;

  private:
    double Scale3D() const;
    CDoublePoint PictureCentre() const;
    void DrawMaskedPicture(const CPose* parent);
    std::shared_ptr<r3d::Texture> Texture();
    void FitSprite(const CPose& frame);
    void ApplyDialogResult(const CPose* pose, CSprite* result, int mode, bool record);
    int RunDialog(const CPose* pose, bool record);

    std::unique_ptr<CBitmap> m_pImage;
    std::unique_ptr<CBitmap> m_pMask;
};
