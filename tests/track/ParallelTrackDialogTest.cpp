#include "resources/TrackToolTemplates.h"
#include "tests/track/TrackDialogFixture.h"
#include "track/CParallelTrackDialog.h"

// The prefilled distance stays exact left or typed back; a typed one below an inch is an inch.
TEST_F(TrackDialogFixture, TheParallelDistanceStaysExactUntilAnotherIsTyped) {
    constexpr double kPrefilled = 1234.56789;
    const std::pair<const char*, double> distances[] = {
        {nullptr, kPrefilled}, {"=", kPrefilled}, {"100", 1000.0}, {"0.5", CParallelTrackDialog::kLeast}};
    for (const auto& [typed, held] : distances) {
        CParallelTrackDialog dialog(8, kPrefilled);
        host.WhenModal("Parallel track", [&](CWnd& shown) {
            if (typed != nullptr)
                Retype(shown, IDC_PARALLEL_OFFSET,
                       CString(typed) == "=" ? Shown(shown, IDC_PARALLEL_OFFSET) : CString(typed));
            host.PressKey(VK_RETURN);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.m_fValue, held) << (typed != nullptr ? typed : "untouched");
    }
}
