#include "shell/PlanDialogs.h"

#include "model/DefaultTrackKind.h"
#include "shell/CDocumentSetupDialog.h"
#include "shell/CLayerPropertiesDialog.h"
#include "shell/CPreferenceSheet.h"

BOOL RunDocumentSetup(CCVNDoc& document) {
    CDocumentSetupDialog dialog;
    dialog.LoadFromDocument(&document);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    dialog.SaveToDocument(&document);
    return TRUE;
}

// Test trains stand still while the sheet is open, and after Cancel too nothing changes.
BOOL RunPreferences(CCVNDoc& document) {
    CPreferenceSheet sheet;
    sheet.LoadFromDocument(&document);
    document.SetModalDialogFlag(TRUE);
    const BOOL confirmed = sheet.DoModal() == IDOK;
    if (confirmed) {
        sheet.ApplyToDocument(&document);
        if (sheet.m_bSaveAsDefault) {
            document.WriteDefaultTrack(DefaultTrackAsPaint(document.m_tool.m_pDefaultTrack));
            document.WritePreferences();
        }
        document.RefreshGroundPlane();
        document.InvalidateAllViews();
    }
    document.SetModalDialogFlag(FALSE);
    return confirmed;
}

BOOL RunLayerProperties(CCVNDoc& document, CWnd* parent) {
    CLayerPropertiesDialog dialog(parent);
    dialog.LoadFromDocument(document);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    dialog.ApplyToDocument(document);
    return TRUE;
}

void AddPlanDialogs(CCVNDoc::DocumentDialogs& dialogs) {
    dialogs.documentSetup = RunDocumentSetup;
    dialogs.preferences = RunPreferences;
}

void InstallPlanDialogs() {
    CCVNDoc::DocumentDialogs dialogs;
    AddPlanDialogs(dialogs);
    CCVNDoc::InstallDialogs(std::move(dialogs));
}
