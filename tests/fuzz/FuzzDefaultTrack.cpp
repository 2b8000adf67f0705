#include "model/DefaultTrackKind.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

CPaint* DefaultTrackOf(CCVNDoc& doc) {
    return DefaultTrackAsPaint(doc.m_tool.m_pDefaultTrack);
}

}  // namespace

// The default-track file of the program folder, read by every new document; its piece is
// copied into the layout as new track is and the layout exercised; the piece is written as the
// default again, and a new document reads it back and writes the same file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteFuzzFile("DefTrack.Dat", data, size);
    CFuzzDoc doc;
    doc.OnNewDocument();
    if (DefaultTrackOf(doc) == nullptr)
        return 0;
    CPaint* copy = DefaultTrackOf(doc)->Clone();
    doc.m_rootGroup.m_members.push_back(copy);
    copy->SetOwnerGroup(&doc.m_rootGroup);
    copy->SetTool(&doc.m_tool);
    ExerciseLayout(doc);
    FuzzCheck(doc.WriteDefaultTrack(DefaultTrackOf(doc)), "the default track read is written");
    const FuzzBytes written = ReadFuzzFile("DefTrack.Dat");
    CFuzzDoc again;
    again.OnNewDocument();
    FuzzCheck(DefaultTrackOf(again) != nullptr && again.WriteDefaultTrack(DefaultTrackOf(again)),
              "the default track read back is written");
    FuzzCheck(ReadFuzzFile("DefTrack.Dat") == written, "a written default track reads back the same");
    return 0;
}
