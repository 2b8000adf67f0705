#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "drawing/FontRecord.h"
#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"

namespace {

std::vector<BYTE> Stored(const LOGFONT& font) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    StoreFontRecord(ar, font);
    ar.Close();
    return file.Detach();
}

LOGFONT Loaded(const std::vector<BYTE>& bytes) {
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    const LOGFONT font = LoadFontRecord(ar);
    EXPECT_EQ(ar.BytesRemaining(), 0u);
    return font;
}

}  // namespace

TEST(FontRecord, RoundTripsIn61BytesAndKeepsAtMost31FaceCharacters) {
    LOGFONT font{};
    font.lfHeight = -35;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfPitchAndFamily = 34;
    std::strcpy(font.lfFaceName, "Arial");
    const std::vector<BYTE> bytes = Stored(font);
    EXPECT_EQ(bytes.size(), 61u);
    EXPECT_EQ(bytes[28], 32);
    const LOGFONT read = Loaded(bytes);
    EXPECT_EQ(read.lfHeight, -35);
    EXPECT_EQ(read.lfWeight, 700);
    EXPECT_EQ(read.lfPitchAndFamily, 34);
    EXPECT_STREQ(read.lfFaceName, "Arial");
    EXPECT_EQ(Stored(read), bytes);

    // A hostile face name of 40 characters without a zero keeps 31 and its end.
    std::vector<BYTE> hostile(bytes.begin(), bytes.begin() + 28);
    hostile.push_back(40);
    const std::string longName(40, 'Q');
    hostile.insert(hostile.end(), longName.begin(), longName.end());
    const LOGFONT clipped = Loaded(hostile);
    EXPECT_EQ(std::strlen(clipped.lfFaceName), 31u);
    EXPECT_EQ(clipped.lfFaceName[31], '\0');
}
