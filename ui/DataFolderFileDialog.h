#pragma once

#include "model/CDataFolders.h"
#include "platform/base/CString.h"
#include "platform/cdlg/CFileDialog.h"

// Runs a file dialog that starts in one of the program's data folders. Afterwards, whether it
// was accepted or not, the working folder is the program folder again. On OK the chosen file
// is answered in the form the program stores names. Answers the dialog's result.
INT_PTR RunFileDialogIn(CFileDialog& dialog, CDataFolders::Folder folder, CString& chosen);

// Makes the program folder the process's working folder; nothing while it is not known.
void RestoreWorkingFolder();
