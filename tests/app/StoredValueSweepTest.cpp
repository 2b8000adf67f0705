#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "model/CGroup.h"
#include "model/LayoutFile.h"
#include "tests/app/PlanInProgram.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/model/LayoutBytes.h"
#include "tests/model/OlderLayoutFile.h"
#include "tests/model/OlderLayoutFileRecords.h"

// Every double a layout stores, set in turn to a value no editing makes: each file opens or is
// refused, and what opens draws, hit tests and saves. The files are built field by field by the
// older-file writer, which notes where each double it writes starts, so no guess about the
// bytes is needed. One file per class keeps each open small; the document's own doubles are
// swept once, in the layout without objects.

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kExtremes[] = {
    std::numeric_limits<double>::quiet_NaN(), kInfinity, -kInfinity, 1e300, -1e300, 1e-300};
constexpr double kFullTurn = 2.0 * 3.14159265358979323846;

// Every turn read lies within a million whole turns, so that its degrees fit a whole number,
// at any depth of groups.
bool TurnsWithinReach(const CGroup& group) {
    for (CPaint* member : group.m_members) {
        if (!(std::fabs(member->m_pose.angle) <= 1e6 * kFullTurn))
            return false;
        if (auto* inner = dynamic_cast<CGroup*>(member); inner != nullptr && !TurnsWithinReach(*inner))
            return false;
    }
    return true;
}

class StoredValueSweep : public PlanInProgram, public testing::WithParamInterface<std::string> {
  protected:
    // Opens the file as the program does; what opens is drawn plain and selected, hit tested,
    // saved, and the saved bytes read back and save the same.
    void OpenAndExercise(const std::vector<BYTE>& bytes, const std::string& what) {
        const std::filesystem::path path = folder / "sweep.cvn";
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        KeepAnswersReady();
        CFuzzDoc layout;
        if (!layout.OnOpenDocument(path.c_str()))
            return;
        ++m_opened;
        EXPECT_TRUE(TurnsWithinReach(layout.m_rootGroup)) << what;
        DrawAndHitTestLayout(layout);
        CFuzzDoc reread;
        EXPECT_NO_THROW(LoadLayoutBytes(reread, SaveLayoutBytes(layout))) << what;
    }

    // The pictures and models the records name are missing, which an open reports: answers
    // wait for more reports than one open makes.
    void KeepAnswersReady() {
        constexpr std::size_t kAnswersAhead = 4;
        for (; m_answersGiven < host.MessageBoxes().size() + kAnswersAhead; ++m_answersGiven)
            host.AnswerMessageBox(IDOK);
    }

    int m_opened = 0;
    std::size_t m_answersGiven = 0;
};

// One class at a time; the empty name sweeps the document's own doubles.
TEST_P(StoredValueSweep, EveryStoredDoubleAtAnExtremeOpensOrIsRefusedAndWhatOpensDrawsAndSaves) {
    const std::string& className = GetParam();
    const std::size_t documentPart = OlderLayoutFileWithDoubles(kLayoutFileVersion, {}).bytes.size();
    const std::vector<std::string> members =
        className.empty() ? std::vector<std::string>{} : std::vector<std::string>{className};
    const OlderLayoutFileDoubles layout = OlderLayoutFileWithDoubles(kLayoutFileVersion, members);
    int files = 0;
    for (const std::size_t offset : layout.doubleOffsets) {
        if (!className.empty() && offset < documentPart)
            continue;
        for (const double extreme : kExtremes) {
            std::vector<BYTE> bytes = layout.bytes;
            std::memcpy(bytes.data() + offset, &extreme, sizeof extreme);
            OpenAndExercise(bytes, "double at " + std::to_string(offset) + " = " + std::to_string(extreme));
            ++files;
        }
    }
    // Every record and the document hold at least twenty doubles, and most values are held.
    EXPECT_GE(files, 20 * static_cast<int>(std::size(kExtremes)));
    EXPECT_GT(m_opened, files / 2);
}

std::vector<std::string> SweptClasses() {
    std::vector<std::string> classes = {""};
    for (const std::string& className : OlderRecordClasses()) classes.push_back(className);
    return classes;
}

INSTANTIATE_TEST_SUITE_P(EachClass, StoredValueSweep, testing::ValuesIn(SweptClasses()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param.empty() ? std::string("Document") : info.param;
                         });

}  // namespace
