#include "platform/base/CWinPath.h"
#include "tests/fuzz/FuzzSupport.h"

// A symbol library read into a document, whose members are then placed in the layout as the
// library browser places them; the library is written, read back, and must write the same.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = WriteFuzzFile("symbols.cvl", data, size);
    CFuzzDoc doc;
    doc.OnNewDocument();
    doc.m_strLibraryPath = CWinPath::FromReal(path);
    if (!doc.ReadLibrary())
        return 0;
    for (CPaint* member : doc.m_libraryGroup.m_members) {
        CPaint* copy = member->Clone();
        doc.m_rootGroup.m_members.push_back(copy);
        copy->SetOwnerGroup(&doc.m_rootGroup);
    }
    doc.m_rootGroup.SetTool(&doc.m_tool);
    ExerciseLayout(doc);

    doc.m_strLibraryPath = CWinPath::FromReal(FuzzFolder() / "written.cvl");
    FuzzCheck(doc.WriteLibrary(), "a library read is written");
    const FuzzBytes written = ReadFuzzFile("written.cvl");
    CFuzzDoc reader;
    reader.OnNewDocument();
    reader.m_strLibraryPath = doc.m_strLibraryPath;
    FuzzCheck(reader.ReadLibrary(), "a written library reads back");
    FuzzCheck(reader.WriteLibrary(), "a library read back is written");
    FuzzCheck(ReadFuzzFile("written.cvl") == written, "a written library reads back the same");
    return 0;
}
