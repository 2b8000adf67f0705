#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ctl/CButton.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"
#include "tests/support/DialogInput.h"

// The headless host with helpers to drive a dialog's controls as a user would.
class CommonDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { WindowManager::Instance().Reset(); }
    void TearDown() override { WindowManager::Instance().Reset(); }

    static CWnd* Item(CWnd& dialog, UINT id) { return dialog.GetDlgItem(static_cast<int>(id)); }
    static CString TextOf(CWnd& dialog, UINT id) {
        CString text;
        Item(dialog, id)->GetWindowText(text);
        return text;
    }
    void Click(CWnd& dialog, UINT id) {
        CRect client;
        Item(dialog, id)->GetClientRect(&client);
        host.ClickClient(Item(dialog, id), client.CenterPoint());
    }
    // Replaces an edit's text as a user would: click, select all, type.
    void Retype(CWnd& dialog, UINT id, const CString& text) {
        Click(dialog, id);
        DialogInput::TypeOverAll(host, text);
    }
    // The colour shown at a client point of a window, as its top-level window was last drawn.
    COLORREF ColorAt(CWnd& window, CPoint client) {
        host.RunUntilIdle();
        window.ClientToScreen(&client);
        CWnd* top = window.GetTopLevelParent();
        CRect frame;
        top->GetWindowRect(&frame);
        return ColorFromPixel(top->Surface()->At(client.x - frame.left, client.y - frame.top));
    }
    // No two visible controls of a dialog cover each other (group boxes hold controls).
    static void ExpectNoOverlaps(CWnd& dialog) {
        std::vector<CWnd*> controls;
        for (CWnd* child : dialog.Children()) {
            auto* button = dynamic_cast<CButton*>(child);
            if (child->IsWindowVisible() && !(button && button->GetButtonStyle() == BS_GROUPBOX))
                controls.push_back(child);
        }
        for (std::size_t i = 0; i < controls.size(); ++i)
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                CRect first, second, both;
                controls[i]->GetWindowRect(&first);
                controls[j]->GetWindowRect(&second);
                CString firstText, secondText;
                controls[i]->GetWindowText(firstText);
                controls[j]->GetWindowText(secondText);
                EXPECT_FALSE(both.IntersectRect(&first, &second))
                    << controls[i]->GetDlgCtrlID() << " \"" << firstText.c_str() << "\" and "
                    << controls[j]->GetDlgCtrlID() << " \"" << secondText.c_str() << "\"";
            }
    }
    static void WriteFile(const std::filesystem::path& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }

    HeadlessHost host;
};
