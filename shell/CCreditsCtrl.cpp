#include "shell/CCreditsCtrl.h"

#include <algorithm>
#include <cstring>

#include "model/CDataFolders.h"
#include "platform/base/CFileException.h"
#include "platform/base/CStdioFile.h"
#include "platform/base/CWinPath.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/win/WindowDCs.h"

IMPLEMENT_DYNAMIC(CCreditsCtrl, CStatic)

namespace {

constexpr const char* kCreditsFile = "CREDITS.DAT";
constexpr COLORREF kBackground = RGB(213, 213, 213);
constexpr int kPointSize = 10;
constexpr char kHeadingMark = '^';

// The control's own font at ten points; a control without one takes the dialogs' default face.
void CreateCreditsFont(CFont& font, const CFont* controlFont, CDC& dc, LONG weight, BYTE underline) {
    LOGFONT face{};
    if (controlFont == nullptr || controlFont->GetLogFont(&face) == 0)
        std::strncpy(face.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    face.lfHeight = -(kPointSize * dc.GetDeviceCaps(LOGPIXELSY) / 72);
    face.lfWidth = 0;
    face.lfWeight = weight;
    face.lfUnderline = underline;
    font.CreateFontIndirect(&face);
}

bool IsHeading(const CString& line) {
    return !line.IsEmpty() && line[0] == kHeadingMark;
}

}  // namespace

CCreditsCtrl::CCreditsCtrl() {
    ReadLines(CWinPath::Resolve((CDataFolders::GetBaseFolder() + kCreditsFile).c_str()));
}

CCreditsCtrl::CCreditsCtrl(const std::filesystem::path& path) {
    ReadLines(path);
}

void CCreditsCtrl::ReadLines(const std::filesystem::path& path) {
    CStdioFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::typeText, &error))
        throw error;
    CString line;
    while (file.ReadString(line)) m_lines.push_back(line.Trim());
}

void CCreditsCtrl::StartAnimation() {
    m_nTimer = SetTimer(kTimerId, kTimerPeriod);
}

void CCreditsCtrl::Faster() {
    m_nSpeed = std::min(m_nSpeed + 1, kMaxSpeed);
}

void CCreditsCtrl::Slower() {
    m_nSpeed = std::max(m_nSpeed - 1, kMinSpeed);
}

void CCreditsCtrl::BuildImage(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    CFont normal;
    CFont heading;
    CreateCreditsFont(normal, GetFont(), dc, FW_NORMAL, FALSE);
    CreateCreditsFont(heading, GetFont(), dc, FW_BOLD, TRUE);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CFont* old = memory.SelectObject(&heading);
    const int headingHeight = memory.GetTextExtent("Wq").cy;
    memory.SelectObject(&normal);
    const int lineHeight = std::max(headingHeight, memory.GetTextExtent("Wq").cy);
    m_nImageHeight = static_cast<int>(m_lines.size()) * lineHeight + 2 * client.Height();
    m_image.CreateCompatibleBitmap(&dc, client.Width(), m_nImageHeight);
    CBitmap* oldBitmap = memory.SelectObject(&m_image);
    memory.FillSolidRect(0, 0, client.Width(), m_nImageHeight, kBackground);
    memory.SetBkMode(TRANSPARENT);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const bool isHeading = IsHeading(m_lines[i]);
        memory.SelectObject(isHeading ? &heading : &normal);
        CRect row(0, client.Height() + static_cast<int>(i) * lineHeight, client.Width(),
                  client.Height() + static_cast<int>(i + 1) * lineHeight);
        const CString text = isHeading ? m_lines[i].Mid(1) : m_lines[i];
        memory.DrawText(text, &row, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    }
    memory.SelectObject(oldBitmap);
    memory.SelectObject(old);
}

void CCreditsCtrl::OnPaint() {
    CPaintDC dc(this);
    if (m_nImageHeight == 0)
        BuildImage(dc);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&m_image);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, m_nOffset, SRCCOPY);
    memory.SelectObject(old);
}

void CCreditsCtrl::OnTimer(UINT_PTR id) {
    if (id != kTimerId || !m_bRunning || m_nImageHeight == 0)
        return;
    Step();
    Invalidate(FALSE);
}

void CCreditsCtrl::Step() {
    CRect client;
    GetClientRect(&client);
    const int last = m_nImageHeight - client.Height();
    if (m_bForward) {
        m_nOffset += m_nSpeed;
        if (m_nOffset >= last)
            m_nOffset = 0;
    } else {
        m_nOffset -= m_nSpeed;
        if (m_nOffset <= 0)
            m_nOffset = last;
    }
}

void CCreditsCtrl::OnDestroy() {
    if (m_nTimer != 0)
        KillTimer(kTimerId);
    m_nTimer = 0;
    CStatic::OnDestroy();
}
