#include "platform/host/HeadlessHost.h"

#include <algorithm>

#include "platform/ctl/CMessageBoxWnd.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/SystemColors.h"
#include "platform/win/CWnd.h"
#include "platform/win/TopLevelPicture.h"
#include "platform/win/WindowManager.h"

namespace {
WindowManager& Manager() { return WindowManager::Instance(); }
}  // namespace

HeadlessHost::HeadlessHost(CSize screen) : m_screen(screen) {}

void HeadlessHost::CursorChanged(HCURSOR cursor) {
    m_shownCursor = cursor;
    ++m_cursorChanges;
    m_lastCursors.push_back(cursor);
    if (m_lastCursors.size() > kCursorsKept)
        m_lastCursors.pop_front();
}

std::vector<HCURSOR> HeadlessHost::CursorsShownSince(std::size_t mark) const {
    const std::size_t firstKept = m_cursorChanges - m_lastCursors.size();
    const std::size_t skipped = std::min(std::max(mark, firstKept) - firstKept, m_lastCursors.size());
    return {m_lastCursors.begin() + static_cast<std::ptrdiff_t>(skipped), m_lastCursors.end()};
}

void HeadlessHost::RunModalLoop(CWnd* window) {
    RunUntilIdle();
    if (!IsWindow(window) || !window->InModalLoop()) return;
    CString caption;
    window->GetWindowText(caption);
    if (auto* box = dynamic_cast<CMessageBoxWnd*>(window)) m_messageBoxes.push_back({box->Text(), caption, box->Type()});
    auto pending = std::find_if(m_pending.begin(), m_pending.end(), [&](const PendingModal& each) {
        return each.captionPart.IsEmpty() || caption.Find(each.captionPart) >= 0;
    });
    if (pending == m_pending.end()) {
        // Nobody said what this window should do: close it rather than wait for ever.
        m_unanswered.push_back(caption);
        window->EndModalLoop(IDCANCEL);
        return;
    }
    const ModalAction action = pending->action;
    m_pending.erase(pending);
    action(*window);
    RunUntilIdle();
    if (IsWindow(window) && window->InModalLoop()) {
        m_unanswered.push_back(caption);
        window->EndModalLoop(IDCANCEL);
    }
}

int HeadlessHost::Run() {
    RunUntilIdle();
    return Manager().QuitPosted() ? Manager().ExitCode() : 0;
}

void HeadlessHost::MouseMove(CPoint screen) {
    Manager().MouseInput(WM_MOUSEMOVE, screen);
    RunUntilIdle();
}

void HeadlessHost::MouseDown(CPoint screen, bool right) {
    Manager().MouseInput(WM_MOUSEMOVE, screen);
    Manager().MouseInput(right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, screen);
    RunUntilIdle();
}

void HeadlessHost::MouseUp(CPoint screen, bool right) {
    Manager().MouseInput(right ? WM_RBUTTONUP : WM_LBUTTONUP, screen);
    RunUntilIdle();
}

void HeadlessHost::Click(CPoint screen, bool right) {
    MouseDown(screen, right);
    MouseUp(screen, right);
}

void HeadlessHost::ClickClient(CWnd* window, CPoint client, bool right) {
    window->ClientToScreen(&client);
    Click(client, right);
}

void HeadlessHost::DragClient(CWnd* window, CPoint from, CPoint to, int steps) {
    window->ClientToScreen(&from);
    window->ClientToScreen(&to);
    MouseDown(from);
    for (int step = 1; step <= steps; ++step)
        MouseMove(CPoint(from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps));
    MouseUp(to);
}

void HeadlessHost::KeyDown(UINT vk) {
    Manager().KeyInput(vk, true);
    RunUntilIdle();
}

void HeadlessHost::KeyUp(UINT vk) {
    Manager().KeyInput(vk, false);
    RunUntilIdle();
}

void HeadlessHost::PressKey(UINT vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void HeadlessHost::Type(const CString& text) {
    for (int i = 0; i < text.GetLength(); ++i) Manager().CharInput(text[i]);
    RunUntilIdle();
}

void HeadlessHost::DropFiles(const std::vector<CString>& files, CPoint screen) {
    Manager().DropFilesInput(files, screen);
    RunUntilIdle();
}

void HeadlessHost::AdvanceClock(DWORD milliseconds) {
    Manager().AdvanceClock(Manager().Clock() + milliseconds);
    RunUntilIdle();
}

void HeadlessHost::RunUntilIdle() { Manager().RunUntilIdle(); }

bool HeadlessHost::DumpScreen(const CString& pngPath) const {
    PixelSurface screen(m_screen.cx, m_screen.cy, PixelFromColor(GetSysColor(COLOR_BACKGROUND)));
    for (CWnd* top : Manager().TopLevels()) {
        const std::shared_ptr<const PixelSurface> picture = TopLevelPicture(top);
        if (!top->IsWindowVisible() || top->IsIconic() || !picture)
            continue;
        CRect rect;
        top->GetWindowRect(&rect);
        const PixelSurface& pixels = *picture;
        for (int y = 0; y < pixels.Height(); ++y)
            for (int x = 0; x < pixels.Width(); ++x)
                if (screen.Contains(rect.left + x, rect.top + y)) screen.Set(rect.left + x, rect.top + y, pixels.At(x, y));
    }
    return screen.WritePng(pngPath);
}

bool HeadlessHost::DumpWindow(CWnd* window, const CString& pngPath) const {
    if (!IsWindow(window)) return false;
    CWnd* top = window->GetTopLevelParent();
    const std::shared_ptr<const PixelSurface> shown = TopLevelPicture(top);
    if (!shown) return false;
    CRect rect;
    window->GetWindowRect(&rect);
    CRect topRect;
    top->GetWindowRect(&topRect);
    rect.OffsetRect(-topRect.left, -topRect.top);
    PixelSurface picture(rect.Width(), rect.Height());
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            if (shown->Contains(rect.left + x, rect.top + y))
                picture.Set(x, y, shown->At(rect.left + x, rect.top + y));
    return picture.WritePng(pngPath);
}

void HeadlessHost::WhenModal(const CString& captionPart, ModalAction action) {
    m_pending.push_back({captionPart, std::move(action)});
}

void HeadlessHost::AnswerMessageBox(int button) {
    WhenModal("", [button](CWnd& modal) { modal.EndModalLoop(button); });
}
