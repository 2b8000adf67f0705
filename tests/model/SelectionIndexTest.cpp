#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/CCVNDoc.h"
#include "model/CSelectionIndex.h"
#include "tests/model/TestLayout.h"
#include "track/TrackPieces.h"

namespace {

// Whether the object is in the list, as a walk of it finds.
bool Listed(const CPaintList& selection, const CPaint* object) {
    return std::find(selection.begin(), selection.end(), object) != selection.end();
}

}  // namespace

// The index answers as a walk of the list does, also after the list was changed behind its
// back, and keeps the list's order when objects leave it.
TEST(SelectionIndex, AnswersAsTheWalkOfTheListDoes) {
    CPaint a, b, c, d;
    CPaintList selection;
    CSelectionIndex index;
    for (CPaint* object : {&a, &b, &c}) {
        selection.push_front(object);
        index.Inserted(selection, selection.begin());
    }
    EXPECT_TRUE(index.Holds(selection, &b));
    EXPECT_FALSE(index.Holds(selection, &d));
    index.Remove(selection, &b);
    EXPECT_EQ(selection, (CPaintList{&c, &a}));
    EXPECT_FALSE(index.Holds(selection, &b));
    // Put in behind its back: the index reads the list afresh.
    selection.push_back(&d);
    EXPECT_TRUE(index.Holds(selection, &d));
    index.Remove(selection, &d);
    EXPECT_EQ(selection, (CPaintList{&c, &a}));
    // An object listed twice leaves with both copies, as the list's own remove takes it.
    selection.push_back(&c);
    index.Remove(selection, &c);
    EXPECT_EQ(selection, (CPaintList{&a}));
    EXPECT_FALSE(index.Holds(selection, &c));
    EXPECT_TRUE(index.Holds(selection, &a));
}

// In a layout document Select All, Deselect and a new layout keep the selection's list and
// every object's answer to IsSelected together.
TEST(SelectionIndex, TheDocumentsObjectsAnswerAsTheirSelectionListSays) {
    RegisterTrackPieces();
    CCVNDoc doc;
    doc.OnNewDocument();
    std::vector<CPaint*> shapes;
    for (int i = 0; i < 30; ++i) {
        auto* shape = new CTestShape(&doc.m_tool);
        shape->SetOwnerGroup(&doc.m_rootGroup);
        doc.m_rootGroup.m_members.push_back(shape);
        shapes.push_back(shape);
    }
    auto expectAgreement = [&] {
        for (CPaint* shape : shapes) EXPECT_EQ(shape->IsSelected() != 0, Listed(doc.GetSelection(), shape));
    };
    doc.m_tool.SelectAll(1);
    EXPECT_EQ(doc.GetSelection().size(), shapes.size());
    expectAgreement();
    for (size_t i = 0; i < shapes.size(); i += 3) shapes[i]->Deselect();
    EXPECT_EQ(doc.GetSelection().size(), 20u);
    expectAgreement();
    // Undo of Select All takes back the selection as it was before: none.
    doc.m_tool.Undo();
    EXPECT_TRUE(doc.GetSelection().empty());
    expectAgreement();
    doc.m_tool.SelectAll(1);
    doc.m_tool.DeselectAll(1, 1);
    EXPECT_TRUE(doc.GetSelection().empty());
    expectAgreement();
    doc.m_tool.Undo();
    EXPECT_EQ(doc.GetSelection().size(), shapes.size());
    expectAgreement();
    doc.OnNewDocument();
    EXPECT_TRUE(doc.GetSelection().empty());
}
