#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/CSelectionSnapshot.h"
#include "tests/model/TestLayout.h"

namespace {

struct Plan {
    CTool tool;
    CTestHost host{tool};
    std::vector<CPaint*> shapes;

    explicit Plan(int count) {
        for (int i = 0; i < count; ++i) shapes.push_back(AddToLayout(host, new CTestShape(&tool)));
    }
    // Every other shape.
    void SelectHalf() {
        for (size_t i = 0; i < shapes.size(); i += 2) shapes[i]->Select();
    }
    std::vector<int> Answers() {
        std::vector<int> answers;
        for (CPaint* shape : shapes) answers.push_back(shape->IsSelected());
        return answers;
    }
};

}  // namespace

TEST(CSelectionSnapshot, AnswersAsTheSelectionListWhileTheLayoutIsDrawn) {
    Plan plan(100);
    plan.SelectHalf();
    const std::vector<int> listed = plan.Answers();
    {
        const CSelectionSnapshot taken(&plan.host);
        EXPECT_EQ(CSelectionSnapshot::Holds(&plan.host, plan.shapes[0]), 1);
        EXPECT_EQ(CSelectionSnapshot::Holds(&plan.host, plan.shapes[1]), 0);
        EXPECT_EQ(plan.Answers(), listed);
        // Another host's selection is not in the set, and a nested drawing call takes none.
        CTool otherTool;
        CTestHost other(otherTool);
        EXPECT_EQ(CSelectionSnapshot::Holds(&other, plan.shapes[0]), -1);
        {
            const CSelectionSnapshot nested(&plan.host);
            EXPECT_EQ(CSelectionSnapshot::Holds(&plan.host, plan.shapes[2]), 1);
        }
        EXPECT_EQ(CSelectionSnapshot::Holds(&plan.host, plan.shapes[2]), 1);
        // A change of the selection ends the set's answers; the list answers again.
        plan.shapes[1]->Select();
        plan.shapes[0]->Deselect();
        EXPECT_EQ(CSelectionSnapshot::Holds(&plan.host, plan.shapes[1]), -1);
        EXPECT_EQ(plan.shapes[1]->IsSelected(), 1);
        EXPECT_EQ(plan.shapes[0]->IsSelected(), 0);
    }
    EXPECT_EQ(CSelectionSnapshot::Holds(&plan.host, plan.shapes[1]), -1);
    {
        // A list changed behind the set's back is noticed by its length.
        const CSelectionSnapshot taken(&plan.host);
        EXPECT_EQ(CSelectionSnapshot::Holds(&plan.host, plan.shapes[1]), 1);
        plan.host.GetSelection().remove(plan.shapes[1]);
        EXPECT_EQ(CSelectionSnapshot::Holds(&plan.host, plan.shapes[1]), -1);
    }
    // A short selection is asked as a list.
    Plan small(10);
    small.SelectHalf();
    const CSelectionSnapshot taken(&small.host);
    EXPECT_EQ(CSelectionSnapshot::Holds(&small.host, small.shapes[0]), -1);
    EXPECT_EQ(small.shapes[0]->IsSelected(), 1);
}
