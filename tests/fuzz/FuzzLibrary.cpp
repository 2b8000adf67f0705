#include <vector>

#include "platform/base/CWinPath.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

std::vector<CString> ClassesOf(const CGroup& group) {
    std::vector<CString> classes;
    for (CPaint* member : group.m_members) classes.push_back(member->GetRuntimeClass()->m_lpszClassName);
    return classes;
}

}  // namespace

// A symbol library read into a document, whose members are then placed in the layout as the
// library browser places them; the library is written and read back.
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
    // Reading frames the member groups anew, which moves their origins by rounding: the
    // library read back holds the same objects, not always the same bytes.
    CFuzzDoc reader;
    reader.OnNewDocument();
    reader.m_strLibraryPath = doc.m_strLibraryPath;
    FuzzCheck(reader.ReadLibrary(), "a written library reads back");
    FuzzCheck(ClassesOf(reader.m_libraryGroup) == ClassesOf(doc.m_libraryGroup),
              "a written library reads back with the same objects");
    return 0;
}
