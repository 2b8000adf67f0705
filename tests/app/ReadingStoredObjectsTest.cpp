#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CGroup.h"
#include "model/LayoutFile.h"
#include "tests/app/PlanInProgram.h"
#include "tests/model/LayoutBytes.h"
#include "tests/model/OlderLayoutFile.h"
#include "tests/model/OlderLayoutFileRecords.h"
#include "tests/support/FileBytes.h"
#include "track/CParTrack.h"

// What a layout file holds is what opens: objects stored on no layer stay, save the rubber band
// earlier builds left behind, and a track piece whose stored length no piece can have, or an arc
// or spline whose stored length its shape cannot give, is measured again.

namespace {

constexpr int kNoLayer = -1;

class ReadingStoredObjects : public PlanInProgram {
  protected:
    // The layout read from the bytes by the document's reader, every byte of them; the pictures
    // the records name are missing, which reading reports.
    std::unique_ptr<CCVNDoc> Read(const std::vector<BYTE>& bytes) {
        for (int box = 0; box < 4; ++box) host.AnswerMessageBox(IDOK);
        auto layout = std::make_unique<CCVNDoc>();
        CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = layout.get();
        layout->Serialize(ar);
        EXPECT_EQ(ar.BytesRemaining(), 0u);
        return layout;
    }
};

// Sets the layer of object number to -1: the layer is the int just before the object's own
// placement, whose x is the object's twelfth value.
void PutOnNoLayer(std::vector<BYTE>& bytes, const std::vector<std::size_t>& doubles, int number) {
    const double placementX = OlderValue(number, 12);
    for (const std::size_t offset : doubles) {
        double value = 0.0;
        std::memcpy(&value, bytes.data() + offset, sizeof value);
        if (value == placementX) {
            std::memcpy(bytes.data() + offset - sizeof(int), &kNoLayer, sizeof kNoLayer);
            return;
        }
    }
    ADD_FAILURE() << "no placement of object " << number;
}

// The first offset at which the bytes hold the value.
std::size_t OffsetOf(const std::vector<BYTE>& bytes, double value) {
    BYTE pattern[sizeof value];
    std::memcpy(pattern, &value, sizeof value);
    const auto found = std::search(bytes.begin(), bytes.end(), std::begin(pattern), std::end(pattern));
    return static_cast<std::size_t>(found - bytes.begin());
}

}  // namespace

TEST_F(ReadingStoredObjects, OnlyTheDimensionLineOnNoLayerGoesAndEveryOtherClassIsKeptOnLayerZero) {
    const std::vector<std::string>& classes = OlderRecordClasses();
    OlderLayoutFileDoubles file = OlderLayoutFileWithDoubles(kLayoutFileVersion, classes);
    for (int number = 1; number <= static_cast<int>(classes.size()); ++number)
        PutOnNoLayer(file.bytes, file.doubleOffsets, number);
    // The group's own member, a line numbered 101, is on no layer too.
    ASSERT_EQ(classes.front(), "CGroup");
    PutOnNoLayer(file.bytes, file.doubleOffsets, 101);

    // Each kept object with its own number, read into it.
    std::vector<std::string> expected;
    for (std::size_t index = 0; index < classes.size(); ++index)
        if (classes[index] != "CSizeLine")
            expected.push_back(classes[index] + " " + OlderName(static_cast<int>(index) + 1));

    const std::unique_ptr<CCVNDoc> layout = Read(file.bytes);
    std::vector<std::string> kept;
    for (CPaint* member : layout->m_rootGroup.m_members) {
        kept.push_back(std::string(member->GetClassName().c_str()) + " " + member->m_strName.c_str());
        EXPECT_EQ(member->m_nLayer, 0) << kept.back();
    }
    EXPECT_EQ(kept, expected);
    auto* group = dynamic_cast<CGroup*>(layout->m_rootGroup.m_members.front());
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->m_members.size(), 1u);
    EXPECT_EQ(group->m_members.front()->m_nLayer, 0);

    // Saved, the kept objects are on layer 0 and read back as they are.
    const std::vector<BYTE> saved = SaveLayoutBytes(*layout);
    const std::unique_ptr<CCVNDoc> reread = Read(saved);
    EXPECT_EQ(reread->m_rootGroup.m_members.size(), expected.size());
    EXPECT_EQ(SaveLayoutBytes(*reread), saved);
}

TEST_F(ReadingStoredObjects, ATrackLengthBelowZeroOrNotFiniteIsMeasuredAgainAndNamedInOneMessage) {
    constexpr double kMarkers[] = {1234.0625, 4321.0625};
    CCVNDoc& open = *ActiveLayout();
    Command(ID_TOOL_STRAIGHT_TRACK);
    Drag(CPoint(100, 200), CPoint(300, 200));
    Command(ID_TOOL_OVAL_TRACK);
    Drag(CPoint(400, 200), CPoint(600, 300));
    Command(ID_TOOL_SELECTOR);
    ASSERT_EQ(open.m_rootGroup.m_members.size(), 2u);
    std::vector<CParTrack*> pieces;
    std::vector<double> measured;
    for (CPaint* member : open.m_rootGroup.m_members) {
        pieces.push_back(dynamic_cast<CParTrack*>(member));
        ASSERT_NE(pieces.back(), nullptr);
        ASSERT_GT(pieces.back()->m_fLength, 0.0);
        measured.push_back(pieces.back()->m_fLength);
    }
    pieces[0]->m_strName = "first";
    pieces[1]->m_strName = "second";
    for (std::size_t i = 0; i < pieces.size(); ++i) pieces[i]->m_fLength = kMarkers[i];
    std::vector<BYTE> bytes = SaveLayoutBytes(open);
    const double stored[] = {-1.0, std::numeric_limits<double>::quiet_NaN()};
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::size_t at = OffsetOf(bytes, kMarkers[i]);
        ASSERT_LT(at, bytes.size());
        std::memcpy(bytes.data() + at, &stored[i], sizeof stored[i]);
    }
    const std::filesystem::path path = folder / "length.cvn";
    WriteFileBytes(path, bytes);

    const std::size_t boxes = host.MessageBoxes().size();
    host.AnswerMessageBox(IDOK);
    auto* opened = dynamic_cast<CCVNDoc*>(app.OpenDocumentFile(path.c_str()));
    ASSERT_NE(opened, nullptr);
    ASSERT_EQ(opened->m_rootGroup.m_members.size(), 2u);
    std::size_t index = 0;
    for (CPaint* member : opened->m_rootGroup.m_members)
        EXPECT_EQ(dynamic_cast<CParTrack*>(member)->m_fLength, measured[index++]);
    ASSERT_EQ(host.MessageBoxes().size(), boxes + 1);
    EXPECT_EQ(host.MessageBoxes().back().text,
              "Values that could not be used as stored were mended:\n"
              "Track \"first\": length measured again from its shape\n"
              "Track \"second\": length measured again from its shape");
}

TEST_F(ReadingStoredObjects, AnArcOrSplineLengthItsShapeCannotGiveIsMeasuredAgainAtTheEndOfTheOpen) {
    CCVNDoc& open = *ActiveLayout();
    Command(ID_TOOL_OVAL_TRACK);
    Drag(CPoint(100, 200), CPoint(500, 400));
    Command(ID_TOOL_SPLINE_TRACK);
    ClickOutline(View(), {CPoint(100, 500), CPoint(250, 300), CPoint(400, 600), CPoint(550, 450)});
    Command(ID_TOOL_SELECTOR);
    ASSERT_EQ(open.m_rootGroup.m_members.size(), 2u);
    std::vector<double> measured;
    for (CPaint* member : open.m_rootGroup.m_members) {
        member->m_strName = member->GetClassName();
        measured.push_back(dynamic_cast<CParTrack*>(member)->m_fLength);
        ASSERT_GT(measured.back(), 500.0);
    }
    const std::vector<BYTE> saved = SaveLayoutBytes(open);
    std::vector<BYTE> wrong = saved;
    for (const double length : measured) {
        const std::size_t at = OffsetOf(wrong, length);
        ASSERT_LT(at, wrong.size());
        const double stored = 5.0;
        std::memcpy(wrong.data() + at, &stored, sizeof stored);
    }
    const std::size_t boxes = host.MessageBoxes().size();
    const auto openBytes = [this](const std::vector<BYTE>& bytes, const char* name) {
        WriteFileBytes(folder / name, bytes);
        return dynamic_cast<CCVNDoc*>(app.OpenDocumentFile((folder / name).c_str()));
    };

    // The program's own file opens without a word, and what it saves opens and saves the same.
    CCVNDoc* opened = openBytes(saved, "own.cvn");
    ASSERT_NE(opened, nullptr);
    const std::vector<BYTE> resaved = SaveLayoutBytes(*opened);
    opened = openBytes(resaved, "resaved.cvn");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(SaveLayoutBytes(*opened), resaved);
    EXPECT_EQ(host.MessageBoxes().size(), boxes);

    host.AnswerMessageBox(IDOK);
    opened = openBytes(wrong, "wrong.cvn");
    ASSERT_NE(opened, nullptr);
    std::size_t index = 0;
    for (CPaint* member : opened->m_rootGroup.m_members)
        EXPECT_EQ(dynamic_cast<CParTrack*>(member)->m_fLength, measured[index++]);
    EXPECT_EQ(SaveLayoutBytes(*opened), resaved);
    ASSERT_EQ(host.MessageBoxes().size(), boxes + 1);
    EXPECT_EQ(host.MessageBoxes().back().text,
              "Values that could not be used as stored were mended:\n"
              "Track \"CSplineTrack\": length measured again from its shape\n"
              "Track \"CArcTrack\": length measured again from its shape");
}
