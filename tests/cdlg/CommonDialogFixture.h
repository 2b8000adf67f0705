#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/host/HeadlessHost.h"
#include "platform/win/WindowManager.h"

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
        host.KeyDown(VK_CONTROL);
        host.PressKey('A');
        host.KeyUp(VK_CONTROL);
        host.Type(text);
    }
    static void WriteFile(const std::filesystem::path& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }

    HeadlessHost host;
};
