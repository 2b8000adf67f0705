#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "catalog/PartsFile.h"
#include "resources/StringTable.h"
#include "tests/support/Deadline.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"
#include "tests/support/WithoutPermissionOverride.h"

namespace fs = std::filesystem;

namespace {

struct Read {
    CatalogueList records;
    std::vector<UINT> messages;
};

Read ReadText(const std::string& text) {
    Read read;
    ReadPartsRecords(text, read.records, [&read](UINT message) { read.messages.push_back(message); });
    return read;
}

const CCatalogItem& Item(const Read& read, size_t index) {
    return *CatalogItemOf(read.records.at(index));
}

std::vector<CString> Fields(const CCatalogItem& item) {
    return {item.m_fields.begin(), item.m_fields.end()};
}

std::string FileText(const fs::path& path) {
    const FileBytes bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(PartsFile, CleanLinesReadAndWriteBackByteForByte) {
    const std::string line = "Track;Acme;HO;Straight;Desc;123;2;1.50;Note;\r\n";
    Read read = ReadText(line);
    ASSERT_EQ(read.records.size(), 1U);
    EXPECT_TRUE(read.messages.empty());
    EXPECT_EQ(Item(read, 0).m_nSequence, 0);
    EXPECT_EQ(Fields(Item(read, 0)),
              (std::vector<CString>{"Track", "Acme", "HO", "Straight", "Desc", "123", "2", "1.50", "Note"}));
    EXPECT_EQ(PartsFileBytes(read.records), line);

    // An empty field is held as a blank and written so.
    read = ReadText("A;;C;D;E;F;1;2.00;N;\r\n");
    EXPECT_EQ(Item(read, 0)[1], " ");
    EXPECT_EQ(PartsFileBytes(read.records), "A; ;C;D;E;F;1;2.00;N;\r\n");

    // Blanks around fields are trimmed; a ninth field ended by CR alone is accepted.
    read = ReadText("  Track ;\tAcme;HO;S;D;1;1;1.00;Last\r\nScenery;B;N;T;D;2;1;2.00;x;\r\n");
    ASSERT_EQ(read.records.size(), 2U);
    EXPECT_TRUE(read.messages.empty());
    EXPECT_EQ(Item(read, 0)[0], "Track");
    EXPECT_EQ(Item(read, 0)[8], "Last");
    EXPECT_EQ(Item(read, 1).m_nSequence, 1);

    // An empty file is an empty list.
    EXPECT_TRUE(ReadText("").records.empty());
}

TEST(PartsFile, DamagedLinesAreReportedOncePerReadAndKept) {
    Read read = ReadText("A;B;C;\r\nD;E;\r\n");
    ASSERT_EQ(read.records.size(), 2U);
    EXPECT_EQ(read.messages, std::vector<UINT>{IDS_INCOMPLETE_STRING});
    EXPECT_EQ(Fields(Item(read, 0)), (std::vector<CString>{"A", "B", "C", " ", "", "", "", "", ""}));

    read = ReadText("A;B;C;D;E;F;1;2.00;N;extra\r\nG;H;I;J;K;L;1;1.00;M;more;\r\n");
    ASSERT_EQ(read.records.size(), 2U);
    EXPECT_EQ(read.messages, std::vector<UINT>{IDS_END_OF_LINE_EXPECTED});
    EXPECT_EQ(Item(read, 0)[8], "N");

    // Both kinds in one file: each told once.
    read = ReadText("A;B;\r\nA;B;C;D;E;F;1;2.00;N;x\r\nC;\r\nA;B;C;D;E;F;1;2.00;N;y\r\n");
    EXPECT_EQ(read.messages, (std::vector<UINT>{IDS_INCOMPLETE_STRING, IDS_END_OF_LINE_EXPECTED}));

    // A last line without CR LF: dropped when short, read when it has all nine fields.
    read = ReadText("A;B;C;D;E;F;1;2.00;N;\r\nshort;a;b;c;d;e");
    EXPECT_EQ(read.records.size(), 1U);
    EXPECT_TRUE(read.messages.empty());
    read = ReadText("A;B;C;D;E;F;1;2.00;N;");
    EXPECT_EQ(read.records.size(), 1U);

    // An empty line, or one of blanks, is no part and no damage.
    read = ReadText("\r\n \t\r\nA;B;C;D;E;F;1;2.00;N;\r\n\r\r\n");
    ASSERT_EQ(read.records.size(), 1U);
    EXPECT_EQ(Item(read, 0)[0], "A");
    EXPECT_EQ(Item(read, 0).m_nSequence, 0);
    EXPECT_TRUE(read.messages.empty());

    // LF line ends: everything after the first line's ninth field is ignored.
    read = ReadText("A;B;C;D;E;F;1;2.00;N;\nG;H;I;J;K;L;1;1.00;M;\n");
    EXPECT_EQ(read.records.size(), 1U);
    EXPECT_EQ(read.messages, std::vector<UINT>{IDS_END_OF_LINE_EXPECTED});
}

TEST(PartsFile, ACarriageReturnAloneKeepsTheNextLinesFirstByte) {
    const Read read = ReadText("A;B;C;D;E;F;1;2.00;N;\rTrack;B;C;D;E;F;1;2.00;N;\r");
    ASSERT_EQ(read.records.size(), 2U);
    EXPECT_EQ(Item(read, 1)[0], "Track");
}

TEST(PartsFile, SavingSettlesEditStatesAndKeepsTheOldFileOnFailure) {
    TestFolder folder;
    Read read = ReadText("A;B;C;D;E;F;1;2.00;N;\r\nG;H;I;J;K;L;3;1.00;M;\r\n");
    CCatalogItem::Field price = CCatalogItem::kPrice;
    CatalogItemOf(read.records[0])->m_nEditState = CCatalogItem::kDeleted;
    CatalogItemOf(read.records[1])->m_bChecked = 1;
    auto added = std::make_unique<CCatalogItem>();
    (*added)[0] = "New";
    added->m_nEditState = CCatalogItem::kAdded;
    read.records.push_back(std::move(added));
    const fs::path path = folder / "parts.cvp";
    ASSERT_TRUE(WritePartsFile(path.c_str(), read.records));
    EXPECT_EQ(FileText(path), "G;H;I;J;K;L;3;1.00;M;\r\nNew;;;;;;;;;\r\n");
    ASSERT_EQ(read.records.size(), 2U);
    for (const auto& entry : read.records)
        EXPECT_EQ(CatalogItemOf(entry)->m_nEditState, CCatalogItem::kSaved);

    // A target that cannot be written: the old file stays whole and the states stay.
    CatalogItemOf(read.records[0])->m_nEditState = CCatalogItem::kDeleted;
    (*CatalogItemOf(read.records[1]))[price] = "9.99";
    const fs::path locked = folder / "locked";
    fs::create_directory(locked);
    WriteFileBytes(locked / "parts.cvp", FileBytes{'o', 'l', 'd'});
    chmod(locked.c_str(), 0555);
    {
        WithoutPermissionOverride plainUser;
        EXPECT_FALSE(WritePartsFile((locked / "parts.cvp").c_str(), read.records));
    }
    chmod(locked.c_str(), 0755);
    EXPECT_EQ(FileText(locked / "parts.cvp"), "old");
    EXPECT_EQ(CatalogItemOf(read.records[0])->m_nEditState, CCatalogItem::kDeleted);
    EXPECT_FALSE(WritePartsFile((folder / "missing" / "parts.cvp").c_str(), read.records));

    // Discarding: added records go, deleted ones come back, edited values return.
    auto another = std::make_unique<CCatalogItem>();
    another->m_nEditState = CCatalogItem::kAdded;
    read.records.push_back(std::move(another));
    DiscardPartsChanges(read.records);
    ASSERT_EQ(read.records.size(), 2U);
    EXPECT_EQ(CatalogItemOf(read.records[0])->m_nEditState, CCatalogItem::kSaved);
    EXPECT_EQ((*CatalogItemOf(read.records[1]))[price], "");
    EXPECT_EQ(NextSequenceNumber(read.records), 2);
}

// A FIFO named like a parts file is not waited on: the read fails at once.
TEST(PartsFile, AFifoIsNoPartsFile) {
    TestFolder folder;
    ASSERT_EQ(mkfifo((folder / "parts.cvp").c_str(), 0600), 0);
    const Deadline deadline(std::chrono::seconds(20), "Reading a FIFO as a parts file");
    CatalogueList records;
    records.push_back(std::make_unique<CCatalogItem>());
    EXPECT_FALSE(ReadPartsFile((folder / "parts.cvp").c_str(), records, nullptr));
    EXPECT_EQ(records.size(), 1U);
}

TEST(PartsFile, EveryPrefixAndEveryFlippedByteReads) {
    const std::string file =
        "Track;Acme;HO;Straight;Rail;S1;2;1.50;Note;\r\nScenery;Trees;HO,N;Oak;Tree;T1;5;1.00; ;\r\nA;B;\r\n";
    for (size_t length = 0; length <= file.size(); ++length) {
        const Read read = ReadText(file.substr(0, length));
        EXPECT_LE(read.messages.size(), 2U);
        EXPECT_LE(read.records.size(), 3U);
    }
    for (size_t at = 0; at < file.size(); ++at)
        for (int bit = 0; bit < 8; ++bit) {
            std::string flipped = file;
            flipped[at] = static_cast<char>(flipped[at] ^ (1 << bit));
            const Read read = ReadText(flipped);
            EXPECT_LE(read.records.size(), 4U) << at << " " << bit;
            // What was read writes lines that read back cleanly, one part each.
            EXPECT_EQ(ReadText(PartsFileBytes(read.records)).records.size(), read.records.size());
        }
}

// A file of bare line ends is no parts at all; a record keeps a copy of its saved values only
// once a field is changed; past the most parts a list holds, the rest is left with a message.
TEST(PartsFile, MemoryFollowsTheRealContent) {
    EXPECT_TRUE(ReadText(std::string(4000000, '\r')).records.empty());
    EXPECT_TRUE(ReadText(std::string(1000000, '\n') + "\r").records.empty());

    Read read = ReadText("A;B;C;D;E;F;1;2.00;N;\r\nG;H;I;J;K;L;3;1.00;M;\r\n");
    for (const auto& entry : read.records) EXPECT_FALSE(CatalogItemOf(entry)->HasSavedCopy());
    CCatalogItem& edited = *CatalogItemOf(read.records[1]);
    edited[CCatalogItem::kPrice] = "9.99";
    edited[CCatalogItem::kNote] = "sale";
    EXPECT_TRUE(edited.HasSavedCopy());
    EXPECT_FALSE(CatalogItemOf(read.records[0])->HasSavedCopy());
    DiscardPartsChanges(read.records);
    EXPECT_EQ(Fields(edited), (std::vector<CString>{"G", "H", "I", "J", "K", "L", "3", "1.00", "M"}));
    EXPECT_FALSE(edited.HasSavedCopy());
    edited[CCatalogItem::kPrice] = "2.50";
    TestFolder folder;
    ASSERT_TRUE(WritePartsFile((folder / "parts.cvp").c_str(), read.records));
    EXPECT_FALSE(edited.HasSavedCopy());
    DiscardPartsChanges(read.records);
    EXPECT_EQ(edited[CCatalogItem::kPrice], "2.50");

    std::string many;
    for (size_t part = 0; part < kMostParts + 5; ++part) many += ";;;;;;;;;\r\n";
    read = ReadText(many + "Last;B;C;D;E;F;1;2.00;N;\r\n");
    EXPECT_EQ(read.records.size(), kMostParts);
    EXPECT_EQ(read.messages, std::vector<UINT>{IDS_TOO_MANY_PARTS});
    EXPECT_EQ(Item(read, kMostParts - 1).m_nSequence, static_cast<int>(kMostParts - 1));
}
