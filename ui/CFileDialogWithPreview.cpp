#include "ui/CFileDialogWithPreview.h"

#include "platform/ctl/CButton.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPalette.h"
#include "resources/FilePreviewTemplate.h"
#include "ui/LoadBitmapFile.h"

namespace {
constexpr int kColourOnColour = 3;
}  // namespace

IMPLEMENT_DYNAMIC(CFileDialogWithPreview, CPreviewFileDialog)

CFileDialogWithPreview::CFileDialogWithPreview(BOOL openFileDialog, LPCTSTR defaultExt, LPCTSTR fileName,
                                               DWORD flags, LPCTSTR filter, CWnd* parent)
    : CPreviewFileDialog(openFileDialog, defaultExt, fileName, flags, filter, parent) {}

void CFileDialogWithPreview::OnFileNameChange() {
    DrawPreview();
}

void CFileDialogWithPreview::DrawPreview() {
    CWnd* area = GetDlgItem(IDC_FILE_PREVIEW_AREA);
    if (!area || !GetDlgItem(IDC_FILE_SHOW_PREVIEW) || !IsPreviewShown())
        return;
    CBitmap bitmap;
    CPalette palette;
    if (!LoadBitmapFile(GetPathName(), bitmap, &palette))
        return;
    BITMAP size{};
    bitmap.GetBitmap(&size);
    CDC* areaDC = area->GetDC();
    CDC memory;
    memory.CreateCompatibleDC(areaDC);
    CBitmap* previous = memory.SelectObject(&bitmap);
    CRect client;
    area->GetClientRect(&client);
    areaDC->SetStretchBltMode(kColourOnColour);
    areaDC->StretchBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, size.bmWidth, size.bmHeight,
                       SRCCOPY);
    memory.SelectObject(previous);
    area->ReleaseDC(areaDC);
}

// Unchecked, the area shows the window colour at once; checked again, the current selection.
void CFileDialogWithPreview::OnShowPreviewClicked() {
    if (IsPreviewShown()) {
        DrawPreview();
        return;
    }
    if (CWnd* area = GetDlgItem(IDC_FILE_PREVIEW_AREA))
        area->Invalidate(TRUE);
}
