#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/host/ClipboardText.h"
#include "platform/host/HeadlessHost.h"
#include "platform/host/SdlHost.h"
#include "platform/win/CClipboard.h"
#include "platform/win/WindowManager.h"

TEST(Clipboard, KeepsTheProgramsTextInTheHeadlessHost) {
    WindowManager::Instance().Reset();
    HeadlessHost host;
    EXPECT_FALSE(CClipboard::HasText());
    const CString text = "Gradient 2\xB0\r\nRadius 600 mm";
    CClipboard::SetText(text);
    EXPECT_TRUE(CClipboard::HasText());
    EXPECT_EQ(CClipboard::GetText(), text);
    EXPECT_EQ(host.ClipboardText(), text);
    CClipboard::Empty();
    EXPECT_FALSE(CClipboard::HasText());
}

TEST(Clipboard, MeetsTheDesktopInUtf8WithPlainLineEnds) {
    EXPECT_EQ(ClipboardTextToUtf8("2\xB0\r\n\x80 5"), "2\xC2\xB0\n\xE2\x82\xAC 5");
    EXPECT_EQ(ClipboardTextFromUtf8("2\xC2\xB0\n\xE2\x82\xAC 5\r\nend"), CString("2\xB0\r\n\x80 5\r\nend"));
    // What the code page cannot hold arrives as a question mark rather than as broken bytes.
    EXPECT_EQ(ClipboardTextFromUtf8("\xE2\x88\x9E"), CString("?"));
    EXPECT_EQ(ClipboardTextFromUtf8(nullptr), CString());
    const CString all = "\xB0\xE9\xFC\r\nA";
    EXPECT_EQ(ClipboardTextFromUtf8(ClipboardTextToUtf8(all).c_str()), all);
}

TEST(Clipboard, GoesThroughSdlOnTheDesktop) {
    WindowManager::Instance().Reset();
    SdlHost host;
    if (!host.Opened() || std::getenv("DISPLAY") == nullptr)
        GTEST_SKIP() << "no desktop clipboard here";
    CClipboard::SetText("20\xB0");
    EXPECT_EQ(CClipboard::GetText(), CString("20\xB0"));
}
