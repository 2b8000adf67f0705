#include <cstring>

#include "resources/TrackToolTemplates.h"
#include "tests/track/TrackDialogFixture.h"
#include "track/CParallelTrackDialog.h"

namespace {

// What the distance field is given by keyboard, and what the dialog then holds.
struct Distance {
    const char* typed;  // nullptr: left as prefilled; "=": its shown text typed back
    double held;
    const char* refusal;  // the message's beginning, when refused
};

constexpr double kPrefilled = 1234.56789;
constexpr int kMillimetres = 8;

class ParallelTrackDialogTest : public TrackDialogFixture {};

}  // namespace

TEST_F(ParallelTrackDialogTest, ThePrefilledDistanceStaysExactAndATypedOneIsTakenInItsRange) {
    const Distance distances[] = {
        {nullptr, kPrefilled, nullptr},
        {"=", kPrefilled, nullptr},
        {"100", 1000.0, nullptr},
        // Below an inch it becomes an inch.
        {"0.5", CParallelTrackDialog::kLeast, nullptr},
        {"12.5x", kPrefilled, "Please enter a number between 0.000 and 64000.000."},
        {"-2", kPrefilled, "Please enter a number between 0.000 and 64000.000."},
    };
    for (const Distance& distance : distances) {
        SCOPED_TRACE(distance.typed != nullptr ? distance.typed : "untouched");
        CParallelTrackDialog dialog(kMillimetres, kPrefilled);
        host.WhenModal("Parallel track", [&](CWnd& shown) {
            if (distance.typed != nullptr) {
                const CString typed = CString(distance.typed) == "=" ? Shown(shown, IDC_PARALLEL_OFFSET)
                                                                     : CString(distance.typed);
                Retype(shown, IDC_PARALLEL_OFFSET, typed);
            }
            if (distance.refusal == nullptr) {
                host.PressKey(VK_RETURN);
                return;
            }
            const std::size_t boxes = host.MessageBoxes().size();
            ExpectMessage();
            host.PressKey(VK_RETURN);
            ASSERT_EQ(host.MessageBoxes().size(), boxes + 1);
            EXPECT_EQ(host.MessageBoxes().back().text.Left(static_cast<int>(strlen(distance.refusal))),
                      distance.refusal);
            EXPECT_EQ(CWnd::GetFocus(), shown.GetDlgItem(IDC_PARALLEL_OFFSET));
            EXPECT_EQ(Shown(shown, IDC_PARALLEL_OFFSET), distance.typed);
            Click(shown, IDCANCEL);
        });
        EXPECT_EQ(dialog.DoModal(), distance.refusal == nullptr ? IDOK : IDCANCEL);
        EXPECT_EQ(dialog.m_fValue, distance.held);
    }
}
