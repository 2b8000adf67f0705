#pragma once

#include <memory>

#include "model/CPose.h"
#include "platform/ctl/CDialog.h"
#include "platform/gdi/CBitmap.h"
#include "terrain/CHoldButton.h"
#include "terrain/CTerrainEditList.h"
#include "terrain/CTerrainPreviewWnd.h"
#include "ui/CTypedField.h"

namespace r3d {
class Scene;
}  // namespace r3d

class CMount;

// "Terrain Editor": the heights of one terrain, knot by knot, in a small 3D world of its own.
// The edits collect in the dialog's copy of the terrain's edit list and reach the terrain only
// on OK, as one step of the undo list; Cancel recomputes the knots from the terrain's own list.
class CTerrainEditorDialog : public CDialog {
    DECLARE_DYNAMIC(CTerrainEditorDialog)
    DECLARE_MESSAGE_MAP()
  public:
    static constexpr UINT_PTR kRotateLeftTimer = 1;
    static constexpr UINT_PTR kRotateRightTimer = 2;
    static constexpr UINT kRotatePeriod = 50;
    static constexpr double kRotateStep = 3.0;
    enum Direction { kForward = 0, kBack = 1, kLeft = 2, kRight = 3 };

    // With the first edit, the terrain's drag height at the knot is the dialog's first change.
    CTerrainEditorDialog(int knot, CMount* terrain, const CPose* pose, BOOL withFirstEdit,
                         CWnd* parent = nullptr);
    ~CTerrainEditorDialog() override;

    r3d::Scene* GetScene() const { return m_pScene.get(); }
    const CTerrainEditList& EditList() const { return m_edits; }
    int GetSelectedKnot() const { return m_nKnot; }
    double GetElasticFraction() const { return m_fElastic; }
    CTerrainPreviewWnd& Preview() { return m_preview; }
    // The document's plan units per 3D unit.
    double Scale() const;

    // The selection moves to the knot: the ball follows, the elevation field shows its height.
    void UpdateSelection(int knot, BOOL redraw);
    // Grid direction of a screen direction for a view yaw in radians.
    static int GridDirection(int screenDirection, double yawRadians);
    BOOL SelectNeighbourKnot(int screenDirection);
    void RotateView(double degrees, BOOL addToYaw, BOOL redraw);
    // The selected knot to a height in 3D units, as the elastic settings spread it.
    void ApplyKnotHeight(float height);
    void ShowElevation(double height);

    int m_nChangeMode = 1;
    CTypedField m_elastic;
    int m_nFalloff = 0;
    CTypedField m_elevation;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR id) override;
    void OnSelectForward() { SelectAndShow(kForward); }
    void OnSelectBack() { SelectAndShow(kBack); }
    void OnSelectLeft() { SelectAndShow(kLeft); }
    void OnSelectRight() { SelectAndShow(kRight); }
    void OnRotateLeft() { RotateClicked(kRotateStep); }
    void OnRotateRight() { RotateClicked(-kRotateStep); }
    void OnElevationKillFocus();
    void OnElasticKillFocus();
    void OnRollBack();
    void OnResetTerrain();

  private:
    void MakeWorld();
    void AppendFirstEdit();
    void SetButtonIcons();
    void SelectAndShow(int direction);
    void HoldRotate(UINT_PTR timer, bool pressed);
    void RotateClicked(double degrees);
    void EnableRollBack(BOOL enable);
    bool HasNewEdits() const;
    // The dialog's records differ from the terrain's.
    bool EditsChanged() const;
    void RebuildPreview();
    void ShowKnotElevation();
    // The field's value as leaving it takes it; FALSE after a refusal.
    BOOL TakeElevation();
    // The text the knot showed before its last typed height, typed again: that height's edits go.
    bool TakesBackTypedHeight();
    BOOL TakeElastic();

    std::unique_ptr<r3d::Scene> m_pScene;
    CTerrainPreviewWnd m_preview;
    CBitmap m_icons[4];
    CHoldButton m_rotateLeft;
    CHoldButton m_rotateRight;
    double m_fElastic = 0.0;
    CMount* m_pTerrain;
    CPose m_pose;
    CTerrainEditList m_edits;
    int m_nKnot = 0;
    int m_nHoldTicks = 0;
    CString m_shownElevation;
    // The knot's last typed height: the records before and after it, and the text shown before.
    struct TypedHeight {
        int knot = -1;
        int editsBefore = 0;
        int editsAfter = 0;
        CString shownBefore;
    } m_lastTyped;
};

// Runs the terrain editor modally on the knot, with the trains paused around it.
void RunTerrainEditor(CMount& terrain, int knot, const CPose* pose, BOOL withFirstEdit);
