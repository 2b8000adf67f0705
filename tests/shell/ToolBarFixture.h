#pragma once

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/ctl/CComboBox.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/WindowManager.h"
#include "shell/CToolBarEx.h"

// A frame that records the commands and status prompts its toolbars send, and enables every
// command but the ones a test disables.
class RecordingFrame : public CFrameWnd {
    DECLARE_MESSAGE_MAP()
  public:
    std::vector<UINT> commands;
    std::vector<WPARAM> prompts;
    std::set<UINT> disabled;

    void OnAnyCommand(UINT id) { commands.push_back(id); }
    void OnUpdateAny(CCmdUI* state) { state->Enable(disabled.count(state->m_nID) == 0); }
    LRESULT OnPrompt(WPARAM id, LPARAM) {
        prompts.push_back(id);
        return 0;
    }
};

// The main frame's three toolbars in a frame on the headless screen.
class ToolBarTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Screen point of a client point of a bar.
    static CPoint OnBar(CToolBarEx& bar, CPoint client);
    static CPoint SlotCentre(CToolBarEx& bar, int slot);
    // Colour of a client pixel of a window, as last painted.
    COLORREF PixelOf(CWnd& window, CPoint client) const;
    // A press a second after whatever came before.
    void Press(CToolBarEx& bar, CPoint client);
    void Release(CToolBarEx& bar, CPoint client);
    void Click(CToolBarEx& bar, CPoint client);

    HeadlessHost host;
    RecordingFrame* frame = nullptr;
    CToolBarEx mainBar;
    CToolBarEx toolsBar;
    CToolBarEx cameraBar;
    CComboBox* layerSelector = nullptr;
};
