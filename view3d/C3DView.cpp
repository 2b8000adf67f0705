#include "view3d/C3DView.h"

#include <cmath>
#include <numbers>

#include "model/CCVNDoc.h"
#include "model/CDataFolders.h"
#include "model/CMainFrameServices.h"
#include "platform/base/CProfile.h"
#include "platform/base/CStringTable.h"
#include "platform/base/CWinPath.h"
#include "platform/cdlg/CFileDialog.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/r3d/AssetLibrary.h"
#include "platform/r3d/Camera.h"
#include "platform/r3d/ClumpBuilder.h"
#include "platform/r3d/RasterDib.h"
#include "platform/r3d/Scene.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CMDIFrameWnd.h"
#include "platform/win/CPrintInfo.h"
#include "platform/win/CWinApp.h"
#include "platform/win/Cursors.h"
#include "platform/win/MessageBoxes.h"
#include "platform/win/WindowClass.h"
#include "platform/win/WindowDCs.h"
#include "platform/win/WindowManager.h"
#include "resources/StringTable.h"
#include "ui/BitmapRoutines.h"
#include "ui/DataFolderFileDialog.h"

IMPLEMENT_DYNCREATE(C3DView, CView)

namespace {

constexpr float kDefaultViewWindow = 0.8f;
constexpr float kDefaultDistance = 8.0f;
const r3d::Vec3 kDefaultPosition{0.0f, 1.0f, 8.0f};
const r3d::Vec3 kDefaultLookAt{0.0f, 1.0f, 0.0f};
constexpr int kMinimumRasterWidth = 800;
constexpr int kMinimumRasterHeight = 600;

// The backdrop under its own name, then in the program's backdrop folder, then in the one the
// preferences name.
std::shared_ptr<r3d::Raster> LoadBackdropRaster(const CString& name) {
    r3d::AssetLibrary& library = r3d::AssetLibrary::Instance();
    if (auto found = library.LoadRaster(CWinPath::Resolve(name.c_str()).string()))
        return found;
    const CString base = CDataFolders::BareName(name);
    const CDataFolders::Entry& entry = CDataFolders::Table()[CDataFolders::Backdrops];
    for (const CString& folder : {CDataFolders::GetBaseFolder() + entry.subFolder,
                                  CDataFolders::GetDataFolder(CDataFolders::Backdrops)})
        if (auto found = library.LoadRaster(CWinPath::Resolve((folder + base).c_str()).string()))
            return found;
    return nullptr;
}

}  // namespace

C3DView::C3DView() {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    m_nRasterWidth = screenWidth > kMinimumRasterWidth ? screenWidth : kMinimumRasterWidth;
    m_nRasterHeight = screenHeight > kMinimumRasterHeight ? screenHeight : kMinimumRasterHeight;
    ResetCameraParams();
    try {
        m_pCamera = std::make_unique<r3d::Camera>(m_nRasterWidth, m_nRasterHeight);
    } catch (const std::exception&) {
        AfxMessageBox(CStringTable::Text(IDS_COULD_NOT_CREATE_THE_3D_CAMERA), MB_OK | MB_ICONEXCLAMATION);
    }
    SetupCamera();
}

C3DView::~C3DView() {
    if (m_pMarker != nullptr)
        m_pMarker->RemoveFromScene();
    FreeCapture();
}

CCVNDoc* C3DView::GetDocument() const {
    return dynamic_cast<CCVNDoc*>(m_pDocument);
}

BOOL C3DView::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                     UINT id, void* createParams) {
    m_bSwitchToolBars = 1;
    const BOOL created = CView::Create(className, windowName, style, rect, parent, id, createParams);
    BuildMarker();
    return created;
}

// A small translucent red box that shows where the camera aims.
void C3DView::BuildMarker() {
    r3d::ClumpBuilder builder;
    builder.SetDrawStyle(r3d::DrawStyle::Wireframe);
    builder.SetSurfaceFactors(0.4f, 0.4f, 0.2f);
    builder.SetColor(1.0f, 0.0f, 0.0f);
    builder.SetOpacity(0.3f);
    builder.AddBlock({0.1f, 0.1f, 0.1f});
    builder.SetTag(kMarkerTag);
    m_pMarker = builder.Finish();
    CCVNDoc* doc = GetDocument();
    if (doc != nullptr && doc->GetScene() != nullptr && m_pMarker != nullptr)
        doc->GetScene()->Add(*m_pMarker);
}

void C3DView::ResetCameraParams() {
    m_fCameraDistance = kDefaultDistance;
    m_fViewHeight = m_fViewWidth = m_fBaseViewHeight = m_fBaseViewWidth = kDefaultViewWindow;
    m_position = kDefaultPosition;
    m_lookAt = kDefaultLookAt;
}

void C3DView::SetupCamera() {
    if (m_pCamera != nullptr) {
        m_pCamera->Reset();
        m_pCamera->SetViewWindow(m_fViewWidth, m_fViewHeight);
        m_pCamera->MoveBy(m_position);
        m_pCamera->LookAt(m_lookAt);
    }
    if (m_hWnd == nullptr || m_pCamera == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int w = client.Width();
    const int h = client.Height();
    if (w <= 0 || h <= 0)
        return;
    SpanViewWindow(w, h);
}

// The larger window side spans the base size; the camera and the stored window agree, so a
// preset view fits against what the camera shows.
void C3DView::SpanViewWindow(int w, int h) {
    m_pCamera->SetViewport({0, 0, w, h});
    if (h < w) {
        m_fViewWidth = m_fBaseViewWidth;
        m_fViewHeight = m_fBaseViewHeight * static_cast<float>(h) / static_cast<float>(w);
    } else {
        m_fViewHeight = m_fBaseViewHeight;
        m_fViewWidth = m_fBaseViewWidth * static_cast<float>(w) / static_cast<float>(h);
    }
    m_pCamera->SetViewWindow(m_fViewWidth, m_fViewHeight);
}

void C3DView::SetCameraFromObject(const CameraAim* aim) {
    CCVNDoc* doc = GetDocument();
    if (aim == nullptr || doc == nullptr || doc->m_f3DScaleDivisor <= 0.0) {
        ResetCameraParams();
    } else {
        const double scale = doc->m_f3DScaleDivisor;
        const float window = static_cast<float>(2.0 * std::tan(aim->halfAngle));
        m_fViewHeight = m_fViewWidth = m_fBaseViewHeight = m_fBaseViewWidth = window;
        m_position = {static_cast<float>(aim->x / scale - 8.0), static_cast<float>(aim->height / scale),
                      static_cast<float>(-(aim->y / scale) - 8.0)};
        m_lookAt = m_position + r3d::Vec3{static_cast<float>(std::cos(aim->direction)), 0.0f,
                                          static_cast<float>(-std::sin(aim->direction))};
    }
    SetupCamera();
    MarkForRender();
}

void C3DView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    if (m_pCamera == nullptr || cx <= 0 || cy <= 0)
        return;
    // A resize returns to the default view window, also after a camera object's aim; it stays
    // the base, so Reset Camera and the preset views keep it.
    m_fBaseViewWidth = m_fBaseViewHeight = kDefaultViewWindow;
    SpanViewWindow(cx, cy);
}

BOOL C3DView::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void C3DView::OnUpdate(CView*, LPARAM, CObject*) {
    SyncBackdrop();
    MarkForRender();
}

void C3DView::MarkForRender() {
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void C3DView::Redraw() {
    SyncBackdrop();
    CClientDC dc(this);
    Render(&dc);
}

void C3DView::RenderPicture() {
    CCVNDoc* doc = GetDocument();
    const COLORREF background = doc->m_cr3DBackground;
    m_pCamera->SetBackgroundColor(GetRValue(background) / 255.0f, GetGValue(background) / 255.0f,
                                  GetBValue(background) / 255.0f);
    AlignBackdrop();
    if (!m_pCamera->BeginUpdate())
        return;
    m_pCamera->Clear();
    doc->GetScene()->Render(*m_pCamera);
    m_pCamera->EndUpdate();
    ++m_nRenders;
}

void C3DView::DrawPicture(CDC& dc, int x, int y, int width, int height) {
    const r3d::Raster& picture = m_pCamera->Picture();
    if (!picture.Empty())
        r3d::RasterDib(picture).Draw(dc, x, y, width, height);
}

// The frame goes from the renderer into a bitmap kept for the next frame, and from there to
// the window: one conversion of its pixels on the way.
void C3DView::ShowFrame(CDC& dc) {
    const r3d::Rect& viewport = m_pCamera->Viewport();
    if (dc.IsMonochrome()) {
        DrawPicture(dc, viewport.x, viewport.y, viewport.width, viewport.height);
        return;
    }
    const PixelSurface* kept = m_pFrame != nullptr ? m_pFrame->Surface().get() : nullptr;
    if (kept == nullptr || kept->Width() != viewport.width || kept->Height() != viewport.height) {
        m_pFrame = std::make_unique<CBitmap>();
        if (!m_pFrame->CreateCompatibleBitmap(&dc, viewport.width, viewport.height)) {
            m_pFrame.reset();
            return;
        }
    }
    m_pCamera->ReadPixels(*m_pFrame->Surface());
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(m_pFrame.get());
    dc.BitBlt(viewport.x, viewport.y, viewport.width, viewport.height, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void C3DView::Render(CDC* dc) {
    CCVNDoc* doc = GetDocument();
    if (doc == nullptr || doc->GetScene() == nullptr || m_pCamera == nullptr || dc == nullptr)
        return;
    RenderPicture();
    ShowFrame(*dc);
}

void C3DView::OnPrepareDC(CDC* dc, CPrintInfo*) {
    dc->SetMapMode(MM_TEXT);
}

// ---- Backdrop ----

void C3DView::ReleaseBackdrop() {
    m_pCamera->SetBackdrop(nullptr);
    m_pCamera->SetBackdropRect({0, 0, m_nRasterWidth, m_nRasterHeight});
}

void C3DView::SyncBackdrop() {
    CCVNDoc* doc = GetDocument();
    if (doc == nullptr || m_pCamera == nullptr)
        return;
    if (!doc->m_bUseBackdrop) {
        // The name stays, but without a raster a later switch-on loads the file again.
        if (m_pCamera->Backdrop() != nullptr)
            ReleaseBackdrop();
        return;
    }
    if ((m_strBackdrop == doc->m_strBackdrop && m_pCamera->Backdrop() != nullptr) ||
        doc->m_strBackdrop.IsEmpty())
        return;
    std::shared_ptr<r3d::Raster> backdrop = LoadBackdropRaster(doc->m_strBackdrop);
    if (backdrop == nullptr)
        return;
    m_pCamera->SetBackdrop(std::move(backdrop));
    m_pCamera->SetBackdropRect({0, 0, m_nRasterWidth, m_nRasterHeight});
    m_strBackdrop = doc->m_strBackdrop;
}

int C3DView::BackdropOffset(int backdropWidth, r3d::Vec3 direction) {
    direction.y = 0.0f;
    direction = r3d::Normalize(direction);
    const double z = std::clamp(static_cast<double>(direction.z), -1.0, 1.0);
    double heading = std::acos(z);
    if (direction.x < 0.0f)
        heading = 2.0 * std::numbers::pi - heading;
    return -static_cast<int>(backdropWidth * heading / (2.0 * std::numbers::pi));
}

// The panorama turns with the camera and rises and sinks as it tilts.
void C3DView::AlignBackdrop() {
    const std::shared_ptr<r3d::Raster>& backdrop = m_pCamera->Backdrop();
    if (backdrop == nullptr)
        return;
    const r3d::Rect& viewport = m_pCamera->Viewport();
    const r3d::Vec3 direction = m_pCamera->Forward();
    m_pCamera->SetBackdropOffset(BackdropOffset(backdrop->Width(), direction), 0);
    const int halfHeight = viewport.height / 2;
    const int top = static_cast<int>(halfHeight + 1.5 * direction.y * halfHeight);
    const int y = static_cast<int>(top - backdrop->Height() * 5.0 / 7.0);
    m_pCamera->SetBackdropRect({0, y, viewport.width, backdrop->Height()});
}

// ---- Window life ----

void C3DView::OnActivateView(BOOL activate, CView* activated, CView* deactivated) {
    if (activate) {
        ShowViewCursor();
        // The marker starts from where it was built each time the view comes to the front.
        if (m_pMarker != nullptr)
            m_pMarker->ResetTransform();
        CMainFrameServices* main = CCVNDoc::GetMainFrameServices();
        if (m_bSwitchToolBars && main != nullptr)
            main->ShowToolBarsFor(FALSE);
    }
    CView::OnActivateView(activate, activated, deactivated);
}

// A window class of its own carries the view's cursor, so the plan views keep theirs in theirs.
BOOL C3DView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, LoadResourceCursor(kViewCursor), GetSysColorBrush(COLOR_WINDOW));
    return CView::PreCreateWindow(cs);
}

void C3DView::ShowViewCursor() {
    if (HCURSOR cursor = LoadResourceCursor(kViewCursor))
        ::SetCursor(cursor);
}

void C3DView::OnDestroy() {
    StopDriveTimer();
    if (CMainFrameServices* main = CCVNDoc::GetMainFrameServices()) {
        auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
        CFrameWnd* activeFrame = frame != nullptr ? frame->GetActiveFrame() : nullptr;
        CView* active = activeFrame != nullptr ? activeFrame->GetActiveView() : nullptr;
        main->ShowToolBarsFor(active != nullptr && active != this &&
                              dynamic_cast<C3DView*>(active) == nullptr);
    }
    m_bSwitchToolBars = 0;
    CView::OnDestroy();
}

void C3DView::OnDraw(CDC* dc) {
    if (m_pCamera == nullptr)
        return;
    if (dc->IsPrinting()) {
        CCVNDoc* doc = GetDocument();
        if (doc != nullptr && doc->GetScene() != nullptr) {
            RenderPicture();
            const r3d::Rect& viewport = m_pCamera->Viewport();
            const int dpiX = dc->GetDeviceCaps(LOGPIXELSX);
            const int width = dc->GetDeviceCaps(HORZRES) - dpiX;
            const int height = viewport.width > 0 ? viewport.height * width / viewport.width : 0;
            DrawPicture(*dc, dpiX / 2, dc->GetDeviceCaps(LOGPIXELSY), width, height);
        }
    } else {
        if (m_bCapture)
            CaptureWindow(*dc);
        else
            Render(dc);
    }
    m_bCapture = 0;
}

BOOL C3DView::OnPreparePrinting(CPrintInfo* info) {
    info->SetMaxPage(1);
    return DoPreparePrinting(info);
}

// ---- Save 3D View ----

void C3DView::FreeCapture() {
    if (m_hCaptured != nullptr)
        DestroyDIB(m_hCaptured);
    m_hCaptured = nullptr;
}

// Renders into a bitmap of the client size, keeps a packed DIB of it and shows it.
void C3DView::CaptureWindow(CDC& window) {
    CCVNDoc* doc = GetDocument();
    if (doc == nullptr || doc->GetScene() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&window) ||
        !bitmap.CreateCompatibleBitmap(&window, client.Width(), client.Height()))
        return;
    CBitmap* old = memory.SelectObject(&bitmap);
    RenderPicture();
    DrawPicture(memory, 0, 0, client.Width(), client.Height());
    window.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    FreeCapture();
    m_hCaptured = MakePackedDib(&bitmap, CopySystemPalette());
}

void C3DView::OnSave3DView() {
    const CString programFolder = CDataFolders::GetBaseFolder() + "TEXTURES\\";
    CString folder = programFolder;
    if (!CDataFolders::FolderExists(folder))
        folder = CProfile::Program().GetProfileString("Paths", "Textures", programFolder);
    CFileDialog dialog(FALSE, "bmp", "*.bmp", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Bitmap Files (*.bmp)|*.bmp||", this);
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    const INT_PTR answer = dialog.DoModal();
    FreeCapture();
    m_bCapture = 1;
    Invalidate(FALSE);
    UpdateWindow();
    if (answer == IDOK && m_hCaptured != nullptr &&
        SaveDIB(m_hCaptured, dialog.GetPathName().c_str()) != kDibSaved) {
        AfxMessageBox(CStringTable::Text(IDS_COULD_NOT_CREATE_FILE) + " " + dialog.GetPathName(),
                      MB_OK | MB_ICONEXCLAMATION);
    }
    FreeCapture();
    RestoreWorkingFolder();
}
