#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/ctl/ListControlDefs.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/win/WindowManager.h"

// A parent window that writes down every notification its controls send.
class NotifyRecorder : public CWnd {
  public:
    struct Note {
        UINT id;
        UINT code;
        int item = -1;
        int subItem = -1;
        UINT oldState = 0;
        UINT newState = 0;
        HTREEITEM treeItem = nullptr;
        UINT action = 0;
    };
    std::vector<Note> notes;
    std::function<void(NMHDR*, LRESULT*)> onNotify;
    std::vector<UINT> Codes() const {
        std::vector<UINT> codes;
        for (const Note& note : notes) codes.push_back(note.code);
        return codes;
    }
    int Count(UINT code) const {
        int count = 0;
        for (const Note& note : notes) count += note.code == code ? 1 : 0;
        return count;
    }

  protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        notes.push_back({LOWORD(wParam), HIWORD(wParam)});
        return TRUE;
    }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        Note note{static_cast<UINT>(header->idFrom), header->code};
        const UINT code = header->code;
        if (code > LVN_KEYDOWN && code <= LVN_ITEMCHANGING && code != LVN_GETDISPINFO) {
            const auto* list = reinterpret_cast<NMLISTVIEW*>(header);
            note.item = list->iItem, note.subItem = list->iSubItem;
            note.oldState = list->uOldState, note.newState = list->uNewState;
        }
        if (code > TVN_KEYDOWN && code <= TVN_SELCHANGING && code != TVN_GETDISPINFO) {
            const auto* tree = reinterpret_cast<NMTREEVIEW*>(header);
            note.treeItem = tree->itemNew.hItem, note.action = tree->action;
        }
        if (code != LVN_GETDISPINFO && code != TVN_GETDISPINFO)
            notes.push_back(note);
        if (onNotify)
            onNotify(header, result);
        return TRUE;
    }
};

class ListControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        manager.Reset();
        parent.CreateEx(0, nullptr, "Lists", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, CRect(0, 0, 640, 480),
                        nullptr, 0);
    }
    void TearDown() override {
        parent.DestroyWindow();
        manager.Reset();
    }

    void MouseAt(UINT message, CWnd& window, CPoint client) {
        window.ClientToScreen(&client);
        manager.MouseInput(message, client);
        manager.RunUntilIdle();
    }
    // A click far enough in time from the last one not to make a double click.
    void Click(CWnd& window, CPoint client, UINT keys = 0) {
        manager.AdvanceClock(manager.Clock() + 2000);
        for (UINT key : {VK_SHIFT, VK_CONTROL})
            if (keys & (key == VK_SHIFT ? MK_SHIFT : MK_CONTROL))
                manager.KeyInput(key, true);
        MouseAt(WM_MOUSEMOVE, window, client);
        MouseAt(WM_LBUTTONDOWN, window, client);
        MouseAt(WM_LBUTTONUP, window, client);
        for (UINT key : {VK_SHIFT, VK_CONTROL})
            if (keys & (key == VK_SHIFT ? MK_SHIFT : MK_CONTROL))
                manager.KeyInput(key, false);
    }
    void DoubleClick(CWnd& window, CPoint client) {
        Click(window, client);
        MouseAt(WM_LBUTTONDOWN, window, client);
        MouseAt(WM_LBUTTONUP, window, client);
    }
    void Drag(CWnd& window, CPoint from, CPoint to) {
        manager.AdvanceClock(manager.Clock() + 2000);
        MouseAt(WM_MOUSEMOVE, window, from);
        MouseAt(WM_LBUTTONDOWN, window, from);
        MouseAt(WM_MOUSEMOVE, window, CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
        MouseAt(WM_MOUSEMOVE, window, to);
        MouseAt(WM_LBUTTONUP, window, to);
    }
    void Press(UINT key) {
        manager.KeyInput(key, true);
        manager.KeyInput(key, false);
        manager.RunUntilIdle();
    }
    void Type(char ch) {
        manager.CharInput(ch);
        manager.RunUntilIdle();
    }
    // The colour shown at a client point of a window (after painting what is due).
    COLORREF ColorAt(CWnd& window, CPoint client) {
        manager.RunUntilIdle();
        window.ClientToScreen(&client);
        CRect top;
        parent.GetWindowRect(&top);
        return ColorFromPixel(parent.Surface()->At(client.x - top.left, client.y - top.top));
    }

    WindowManager& manager = WindowManager::Instance();
    NotifyRecorder parent;
};
