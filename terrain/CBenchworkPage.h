#pragma once

#include "drawing/CPages.h"
#include "ui/CTypedField.h"

class CMount;

// The "Benchwork" tab of a benchwork's properties and the "Terrain" tab of a terrain's:
// elevation, thickness (benchwork only) and texture; for a terrain also the grid spacing,
// texture scale, the conform and fixed-border switches and the terrain editor.
class CBenchworkPage : public CPages {
    DECLARE_DYNAMIC(CBenchworkPage)
    DECLARE_MESSAGE_MAP()
  public:
    static constexpr double kHighestElevation = 32000.0;
    static constexpr int kSmallestTextureScale = 1;
    static constexpr int kLargestTextureScale = 32;

    explicit CBenchworkPage(CWnd* parent = nullptr);

    void SetObject(CPaint* object) override;
    void ApplyControls() override;
    BOOL Validate() override;

    CString m_strTexture;
    CTypedField m_thickness;
    CTypedField m_elevation;
    CTypedField m_gridSpacing;
    CTypedField m_textureScale;
    int m_bAllowConform = 0;
    int m_bFixedBorder = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnBrowse();
    void OnTerrainEditor();
    // The field shows a typed value in the range as its format does; a loaded text stays.
    void Reformat(CTypedField& field, int id, const FieldRange& range);
    void OnElevationKillFocus();
    void OnThicknessKillFocus();
    void OnGridSpacingKillFocus();
    void OnTextureScaleKillFocus();
    void OnFixedBorder() { UpdateData(TRUE); }

  private:
    CMount* Terrain() const;
    bool IsTerrain() const;
    void ShowTerrainControls();
    BOOL CheckValues();
    bool IsLeftForCancelOfDialog();

    // The message of a refused value takes the focus from the field, which must not check again.
    bool m_bValidating = false;
};
