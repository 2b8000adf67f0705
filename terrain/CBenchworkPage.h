#pragma once

#include "drawing/CPages.h"
#include "ui/CLengthField.h"
#include "ui/CNumberField.h"

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
    CLengthField m_thickness;
    CLengthField m_elevation;
    CLengthField m_gridSpacing;
    CNumberField m_textureScale;
    int m_bAllowConform = 0;
    int m_bFixedBorder = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnBrowse();
    void OnTerrainEditor();
    void OnLengthKillFocus(int id);
    void OnElevationKillFocus() { OnLengthKillFocus(IDC_ELEVATION_FIELD); }
    void OnThicknessKillFocus() { OnLengthKillFocus(IDC_THICKNESS_FIELD); }
    void OnGridSpacingKillFocus();
    void OnTextureScaleKillFocus();
    void OnFixedBorder() { UpdateData(TRUE); }

  private:
    static constexpr int IDC_ELEVATION_FIELD = 1101;
    static constexpr int IDC_THICKNESS_FIELD = 1253;
    CMount* Terrain() const;
    bool IsTerrain() const;
    void ShowTerrainControls();
    // The range message, the focus on the field; FALSE.
    BOOL Refuse(const CString& message, int id);
    BOOL CheckValues();
    // The field's length: its loaded one while untouched, else the typed one in the range, or
    // the refusal. FALSE after a refusal; the length is then left.
    BOOL TakeLength(const CLengthField& field, const LengthRange& range, const CString& refusal, int id,
                    double& length);
    // The texture scale: its loaded one while untouched, else the whole number typed in range.
    BOOL TakeTextureScale(double& scale);

    // The message of a refused value takes the focus from the field, which must not check again.
    bool m_bValidating = false;
};
