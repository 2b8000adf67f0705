#pragma once

#include "model/Units.h"
#include "platform/ctl/CButton.h"
#include "platform/ctl/CDialog.h"
#include "ui/CLineWidthCombo.h"
#include "ui/CTypedField.h"

class CParTrack;

// "More properties" of a track piece: the tunnel's size and texture and the pen widths of
// rails and ties. Filled from the properties dialog's copy and written back only after OK.
class CTrackMoreDialog : public CDialog {
    DECLARE_MESSAGE_MAP()
  public:
    explicit CTrackMoreDialog(CWnd* parent = nullptr);

    void FillFromPiece(CParTrack* piece);
    void ApplyToPiece(CParTrack* piece);

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnBrowseTunnelTexture();
    void OnUseTexture();

  private:
    void EnableTexture();
    // The width a list stands for; a list without selection keeps the former width.
    static int ChosenWidth(const CLineWidthCombo& list, int former);

    int m_useTexture = 0;
    int m_railLineWidth = 1;
    int m_tieLineWidth = 1;
    CLineWidthCombo m_tieWidthList;
    CLineWidthCombo m_railWidthList;
    CButton m_useTextureButton;
    CString m_tunnelTexture;
    CTypedField m_tunnelWidth;
    CTypedField m_tunnelHeight;
    int m_unitIndex = kDefaultUnitIndex;
};
