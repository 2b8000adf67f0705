#pragma once

#include "model/CCVNDoc.h"

class CWnd;

// The document's page setup and preferences dialogs, as the document commands run them.
// Each answers TRUE when the user confirmed the dialog.
BOOL RunDocumentSetup(CCVNDoc& document);
BOOL RunPreferences(CCVNDoc& document);
// The plan view's "Layers..." command: the dialog and, on OK, the layers written back.
BOOL RunLayerProperties(CCVNDoc& document, CWnd* parent);

// Puts the dialogs above into the set the document runs; the program adds its other
// dialogs to the same set before installing it.
void AddPlanDialogs(CCVNDoc::DocumentDialogs& dialogs);
// Installs a set of only these dialogs.
void InstallPlanDialogs();
