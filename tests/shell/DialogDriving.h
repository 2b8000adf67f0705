#pragma once

#include <gtest/gtest.h>

#include "platform/host/HeadlessHost.h"
#include "platform/win/CWnd.h"
#include "platform/win/WindowManager.h"
#include "resources/Resources.h"
#include "tests/support/DialogInput.h"

// A headless screen for modal dialogs, driven through their controls as a person would.
class DialogDriving : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterResources();
        WindowManager::Instance().Reset();
    }
    void TearDown() override { WindowManager::Instance().Reset(); }

    // Clicks into the control, selects all its text and types the new one.
    void Retype(CWnd* control, const CString& text) {
        ASSERT_NE(control, nullptr);
        DialogInput::Retype(host, control, text);
    }
    CString TextOf(CWnd* control) const {
        CString text;
        if (control)
            control->GetWindowText(text);
        return text;
    }
    HeadlessHost host;
};
