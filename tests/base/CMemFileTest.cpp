#include "platform/base/CMemFile.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/base/CArchive.h"
#include "platform/base/CFileException.h"
#include "tests/base/ArchiveTestObjects.h"

TEST(CMemFile, ArchiveRoundTripThroughTheFileInterface) {
    CMemFile memory;
    CFile& file = memory;  // used through the base class, as the archive uses it
    CTestPoint point;
    point.m_x = 42;
    {
        CArchive ar(&file, CArchive::store);
        ar << CString("copy") << &point << 3.25;
        ar.Close();
    }
    EXPECT_EQ(file.GetLength(), 1u + 4 + 2 + 2 + 2 + 10 + 4 + 8);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(ar.BytesRemaining(), file.GetLength());
    CString text;
    double value = 0;
    ar >> text;
    std::unique_ptr<CObject> read(ar.ReadObject(RUNTIME_CLASS(CTestPoint)));
    ar >> value;
    EXPECT_EQ(text, "copy");
    EXPECT_EQ(static_cast<CTestPoint*>(read.get())->m_x, 42);
    EXPECT_EQ(value, 3.25);
    EXPECT_EQ(ar.BytesRemaining(), 0u);

    std::vector<BYTE> bytes = memory.Detach();
    EXPECT_EQ(memory.GetLength(), 0u);
    CMemFile copy(bytes.data(), static_cast<UINT>(bytes.size()));
    EXPECT_EQ(copy.GetBytes(), bytes);
}

TEST(CMemFile, SeekingWritingAndLength) {
    CMemFile file;
    file.Write("abc", 3);
    EXPECT_EQ(file.Seek(5, CFile::begin), 5u);
    file.Write("z", 1);
    EXPECT_EQ(file.GetBytes(), (std::vector<BYTE>{'a', 'b', 'c', 0, 0, 'z'}));
    char buffer[4] = {};
    file.Seek(-2, CFile::end);
    EXPECT_EQ(file.Read(buffer, 4), 2u);
    EXPECT_EQ(file.Read(buffer, 4), 0u);
    file.SetLength(2);
    EXPECT_EQ(file.GetLength(), 2u);
    EXPECT_THROW(file.Seek(-3, CFile::end), CFileException);
    EXPECT_TRUE(file.IsOpen());
    EXPECT_FALSE(file.Open("/tmp/anything", CFile::modeRead));
}
