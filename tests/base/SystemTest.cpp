#include <gtest/gtest.h>

#include "platform/base/CWinPath.h"
#include "platform/base/ModuleFolder.h"
#include "platform/base/TickCount.h"

TEST(ModuleFolder, IsTheFolderOfTheRunningProgram) {
    std::filesystem::path folder = GetModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_FALSE(folder.has_filename());  // ends in a slash
    EXPECT_TRUE(std::filesystem::exists(folder / "base_tests"));

    CString stored = GetModuleFolderWin();
    EXPECT_EQ(stored.Left(3), "C:\\");
    EXPECT_EQ(stored.Right(1), "\\");
    EXPECT_EQ(CWinPath::Resolve(stored + "BASE_TESTS"), folder / "base_tests");
}

TEST(TickCount, NeverRunsBackwards) {
    DWORD previous = GetTickCount();
    for (int i = 0; i < 1000; ++i) {
        DWORD now = GetTickCount();
        EXPECT_LT(static_cast<DWORD>(now - previous), 1000u);  // modular difference, wrap-safe
        previous = now;
    }
}
