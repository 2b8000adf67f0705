#include "ui/CPatternPreviewCheckBox.h"

#include "platform/ctl/ListControlDefs.h"
#include "ui/CFileDialogPatternPreview.h"

IMPLEMENT_DYNAMIC(CPatternPreviewCheckBox, CButton)

BEGIN_MESSAGE_MAP(CPatternPreviewCheckBox, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

void CPatternPreviewCheckBox::OnClicked() {
    m_dialog.ShowPreviewAsChecked();
}
