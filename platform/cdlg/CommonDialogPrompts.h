#pragma once

// Makes the common dialogs the framework's way of asking: File Open and Save As run the file
// dialog, Print runs the print dialog (and a printer queue gets the finished PDF through lp),
// Print Preview opens the preview window.
void AfxInstallCommonDialogs();
