#pragma once

#include "model/CCVNDoc.h"

// The parts list, the library dialog and its notice, and the materials report, as the
// document commands run them. Each answers TRUE when the user confirmed the dialog.
BOOL RunPartsList(CCVNDoc& document);
BOOL RunLibrary(CCVNDoc& document);
BOOL RunLibraryNotice(CCVNDoc& document);
BOOL RunMaterialsReport(CCVNDoc& document);

// Puts the dialogs above into the set the document runs.
void AddCatalogDialogs(CCVNDoc::DocumentDialogs& dialogs);
