#include "tests/shell/ToolBarFixture.h"

#include "platform/base/CStringTable.h"
#include "resources/CommandPrompts.h"
#include "resources/StringTable.h"
#include "shell/MainFrameToolBars.h"

BEGIN_MESSAGE_MAP(RecordingFrame, CFrameWnd)
ON_COMMAND_RANGE(0x8000, 0xEFFF, OnAnyCommand)
ON_UPDATE_COMMAND_UI_RANGE(0x8000, 0xEFFF, OnUpdateAny)
ON_MESSAGE(WM_SETMESSAGESTRING, OnPrompt)
END_MESSAGE_MAP()

void ToolBarTest::SetUp() {
    WindowManager::Instance().Reset();
    CStringTable::Register(CommandPrompts());
    CStringTable::Register(ProgramStrings());
    frame = new RecordingFrame;
    ASSERT_TRUE(frame->LoadFrame(0, WS_OVERLAPPEDWINDOW));
    ASSERT_EQ(CreateMainToolBar(mainBar, frame, layerSelector), 1);
    ASSERT_EQ(CreateToolsToolBar(toolsBar, frame), 1);
    ASSERT_EQ(CreateCameraToolBar(cameraBar, frame), 1);
    frame->MoveWindow(0, 0, 1000, 400);
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    frame->UpdateControlBars();
    host.RunUntilIdle();
}

void ToolBarTest::TearDown() {
    if (IsWindow(frame))
        frame->DestroyWindow();
    WindowManager::Instance().Reset();
}

CPoint ToolBarTest::OnBar(CToolBarEx& bar, CPoint client) {
    bar.ClientToScreen(&client);
    return client;
}

CPoint ToolBarTest::SlotCentre(CToolBarEx& bar, int slot) {
    CRect item;
    bar.GetItemRect(slot, &item);
    return CPoint(item.left + 11, item.top + 11);
}

COLORREF ToolBarTest::PixelOf(CWnd& window, CPoint client) const {
    const_cast<HeadlessHost&>(host).RunUntilIdle();
    CWnd* top = window.GetTopLevelParent();
    window.ClientToScreen(&client);
    CRect topRect;
    top->GetWindowRect(&topRect);
    return ColorFromPixel(top->Surface()->At(client.x - topRect.left, client.y - topRect.top));
}

void ToolBarTest::Press(CToolBarEx& bar, CPoint client) {
    // Far enough from any earlier click not to make a double click of it.
    host.AdvanceClock(1000);
    host.MouseMove(OnBar(bar, client));
    host.MouseDown(OnBar(bar, client));
}

void ToolBarTest::Release(CToolBarEx& bar, CPoint client) {
    host.MouseMove(OnBar(bar, client));
    host.MouseUp(OnBar(bar, client));
}

void ToolBarTest::Click(CToolBarEx& bar, CPoint client) {
    Press(bar, client);
    Release(bar, client);
}
