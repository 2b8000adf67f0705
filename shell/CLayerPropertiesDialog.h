#pragma once

#include <array>

#include "model/CTool.h"
#include "platform/ctl/CDialog.h"
#include "shell/CLayerListCtrl.h"

class CCVNDoc;

// The plan view's "Layers..." dialog: the active layer and each layer's shown and locked
// flags of one document, written back only on OK.
class CLayerPropertiesDialog : public CDialog {
    DECLARE_DYNAMIC(CLayerPropertiesDialog)
    DECLARE_MESSAGE_MAP()
  public:
    explicit CLayerPropertiesDialog(CWnd* parent = nullptr);

    void LoadFromDocument(CCVNDoc& document);
    // Writes the rows back and redraws the document's views; layers shown or hidden also show
    // or remove their objects' 3D models when a 3D window is open.
    void ApplyToDocument(CCVNDoc& document) const;

    std::array<LayerRow, CTool::kLayerCount> m_rows;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnGetDisplayInfo(NMHDR* header, LRESULT* result);

  private:
    CLayerListCtrl m_list;
};
