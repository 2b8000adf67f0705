#include <gtest/gtest.h>

#include <filesystem>

#include "model/CEditStep.h"
#include "tests/support/TestFolder.h"
#include "tests/track/LargeLayout.h"

// A Delete of the whole selection that pushes the list past its limit drops the whole group
// of an earlier Delete and frees the pieces waiting in it; its own Undo still puts the layout
// back byte for byte.
TEST(DeleteAtUndoLimit, UndoOfTheWholeSelectionRestoresTheBytes) {
    TestFolder folder;
    QuietDoc doc;
    doc.m_bAutoDelete = false;
    LargeLayout::Build(doc, 41, 100);
    int index = 0;
    for (CPaint* member : doc.m_rootGroup.m_members)
        if (index++ >= 100)
            member->Select();
    CTool& tool = doc.m_tool;
    tool.DeleteSelection(1);  // 4,000 pieces wait in 8,001 steps
    ASSERT_EQ(doc.m_rootGroup.m_members.size(), 100u);
    tool.SelectAll(0);
    const FileBytes before = LargeLayout::SavedBytes(doc, folder / "before.cvn");
    const int stepsBefore = tool.GetUndoCount();
    ASSERT_GT(stepsBefore + 201,
              CTool::kUndoLimit);  // a step to undo and a deselection per piece, and the order

    tool.DeleteSelection(1);
    EXPECT_TRUE(doc.m_rootGroup.m_members.empty());
    // Only this Delete is left: its order, and a step to undo and a deselection per piece.
    EXPECT_EQ(tool.GetUndoCount(), 201);
    EXPECT_EQ(tool.GetUndoStep(tool.GetUndoCount() - 1)->m_nKind, kStepRestoreOrder);

    tool.Undo();
    EXPECT_EQ(tool.GetUndoCount(), 0);
    EXPECT_EQ(LargeLayout::SavedBytes(doc, folder / "after.cvn"), before);
}
