#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "model/CMemberIndex.h"
#include "tests/model/TestLayout.h"

namespace {

// What a walk over every member, back-most first, would draw in the rectangle: members that
// meet it, and groups, which are always asked.
std::vector<CPaint*> WalkMeeting(const CMemberList& members, const DeviceRect& update) {
    std::vector<CPaint*> found;
    for (auto member = members.rbegin(); member != members.rend(); ++member)
        if (!(*member)->DrawsByBoundsAndSelection() || (*member)->m_rcPaintBounds.Intersects(update))
            found.push_back(*member);
    return found;
}

std::vector<CPaint*> WalkAmong(const CMemberList& members, const CPaintList& selection) {
    std::vector<CPaint*> found;
    for (auto member = members.rbegin(); member != members.rend(); ++member)
        if (!(*member)->DrawsByBoundsAndSelection() ||
            std::find(selection.begin(), selection.end(), *member) != selection.end())
            found.push_back(*member);
    return found;
}

class Members {
  public:
    explicit Members(unsigned seed) : m_random(seed) {}

    int Pick(int least, int most) { return std::uniform_int_distribution<int>(least, most)(m_random); }

    // A box somewhere on a plan of 20,000 square; now and then a long one or an empty one.
    DeviceRect SomeBox() {
        const int x = Pick(-10000, 10000), y = Pick(-10000, 10000);
        const int kind = Pick(0, 19);
        const int width = kind == 0 ? 15000 : kind == 1 ? 0 : Pick(1, 600);
        return DeviceRect{x, y, x + width, y + Pick(1, 600)};
    }

    CPaint* Add(bool front) {
        CPaint* object = Pick(0, 30) == 0 ? static_cast<CPaint*>(NewGroup(&m_tool)) : new CTestShape(&m_tool);
        m_owned.emplace_back(object);
        object->m_rcPaintBounds = SomeBox();
        CMemberIndex::NoteBoundsChanged(object);
        if (front)
            list.push_front(object);
        else
            list.push_back(object);
        return object;
    }

    CPaint* Any() {
        auto at = list.begin();
        std::advance(at, Pick(0, static_cast<int>(list.size()) - 1));
        return *at;
    }

    CMemberList list;

  private:
    CTool m_tool;
    std::vector<std::unique_ptr<CPaint>> m_owned;
    std::mt19937 m_random;
};

}  // namespace

TEST(CMemberIndex, AnswersAsTheWalkOverEveryMemberWhateverChanged) {
    Members members(40);
    for (int i = 0; i < 300; ++i) members.Add(false);
    CMemberIndex index;
    for (int step = 0; step < 2000; ++step) {
        switch (members.Pick(0, 9)) {
            case 0:
                members.Add(members.Pick(0, 1) == 0);
                break;
            case 1:
                members.list.remove(members.Any());
                break;
            case 2: {
                // Another order of the same members.
                CPaintList reordered(members.list.rbegin(), members.list.rend());
                members.list.swap(reordered);
                break;
            }
            case 3:
                // A change of zoom: every member works out its bounds anew.
                for (CPaint* member : members.list) {
                    member->m_rcPaintBounds = members.SomeBox();
                    CMemberIndex::NoteBoundsChanged(member);
                }
                break;
            default: {
                CPaint* moved = members.Any();
                moved->m_rcPaintBounds = members.SomeBox();
                CMemberIndex::NoteBoundsChanged(moved);
            }
        }
        const DeviceRect update = members.Pick(0, 9) == 0 ? DeviceRect{} : members.SomeBox();
        ASSERT_EQ(index.MembersMeeting(members.list, update), WalkMeeting(members.list, update)) << step;
        CPaintList selection;
        for (int i = members.Pick(0, 5); i > 0; --i) selection.push_back(members.Any());
        ASSERT_EQ(index.MembersAmong(members.list, selection), WalkAmong(members.list, selection)) << step;
    }
}

TEST(CMemberIndex, OutlivesTheLogOfChangedBoundsAndMembersListedTwice) {
    Members members(41);
    for (int i = 0; i < 100; ++i) members.Add(false);
    CPaint* twice = members.Any();
    members.list.push_back(twice);
    CMemberIndex index;
    const DeviceRect everywhere{-20000, -20000, 20000, 20000};
    ASSERT_EQ(index.MembersMeeting(members.list, everywhere), WalkMeeting(members.list, everywhere));
    // Far more notes than the log keeps: the index builds itself again.
    for (int i = 0; i < 70000; ++i) CMemberIndex::NoteBoundsChanged(twice);
    CPaint* moved = members.Any();
    moved->m_rcPaintBounds = DeviceRect{30000, 30000, 30010, 30010};
    CMemberIndex::NoteBoundsChanged(moved);
    // A member listed twice is asked everywhere at its second place, which draws nothing where
    // its bounds do not reach.
    const DeviceRect corner{29000, 29000, 31000, 31000};
    std::vector<CPaint*> found = index.MembersMeeting(members.list, corner);
    EXPECT_EQ(std::count(found.begin(), found.end(), twice), 1);
    found.erase(std::remove(found.begin(), found.end(), twice), found.end());
    EXPECT_EQ(found, WalkMeeting(members.list, corner));
    // Where its bounds are, it is found at both places.
    twice->m_rcPaintBounds = DeviceRect{-30010, -30010, -30000, -30000};
    CMemberIndex::NoteBoundsChanged(twice);
    const DeviceRect other{-31000, -31000, -29000, -29000};
    found = index.MembersMeeting(members.list, other);
    EXPECT_EQ(found, WalkMeeting(members.list, other));
    EXPECT_EQ(std::count(found.begin(), found.end(), twice), 2);
}
