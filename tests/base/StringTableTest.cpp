#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/base/CString.h"
#include "resources/Resources.h"

TEST(StringTable, LoadsTheProgramsTexts) {
    RegisterResources();
    struct Sample {
        UINT id;
        const char* text;
    };
    for (const Sample& sample : {
             Sample{57347, "Illegal value"},
             Sample{33019, "Please enter a positive number "},
             Sample{33026, "Please enter a number between 0 and"},
             Sample{33022, "Could not create the 3D world"},
             Sample{33056, "Track"},
             Sample{33060, "Miscellaneous"},
             Sample{33095, "Layer 0"},
             Sample{33102, "Layer 7"},
             Sample{33138, "Maximum distance between track connections exceeded."},
             Sample{61456, "Error. Self crossing. "},
             Sample{IDS_PAGE, "Page"},
             Sample{IDS_OF, "of"},
             Sample{IDS_SCALE, "Scale"},
             Sample{IDS_USER, "User"},
         }) {
        CString text;
        EXPECT_TRUE(text.LoadString(sample.id)) << sample.id;
        EXPECT_EQ(text, sample.text) << sample.id;
    }

    CString footer;
    CString page, of, scale;
    page.LoadString(IDS_PAGE);
    of.LoadString(IDS_OF);
    scale.LoadString(IDS_SCALE);
    footer.Format("%s %d %s %d     %s: 1:%.2f", page.c_str(), 2, of.c_str(), 6, scale.c_str(), 3.0);
    EXPECT_EQ(footer, "Page 2 of 6     Scale: 1:3.00");
}

TEST(StringTable, GivesEveryIdOneText) {
    std::set<UINT> ids;
    for (const CStringTable::Entry& entry : ProgramStrings()) {
        EXPECT_TRUE(ids.insert(entry.id).second) << entry.id;
        EXPECT_NE(entry.text, nullptr);
    }
    for (UINT id = IDS_LAYER_0; id <= IDS_LAYER_7; ++id) {
        EXPECT_TRUE(ids.count(id)) << id;
    }
}
