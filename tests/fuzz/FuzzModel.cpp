#include <string>

#include "platform/base/CWinPath.h"
#include "tests/fuzz/FuzzSupport.h"
#include "view3d/C3D.h"

// A model file named by a 3D shape that shows on the plan, the file's kind (.rwx, .3ds or .dxf)
// given by the target: the program's loader reads it as the shape is drawn, the model is fitted
// to the shape's box and its footprint drawn; the layout is then hit tested, saved and read back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name = std::string("model") + CORVANE_FUZZ_MODEL_EXTENSION;
    const std::filesystem::path path = WriteFuzzFile(name.c_str(), data, size);
    CFuzzDoc doc;
    doc.OnNewDocument();
    auto* shape = new C3D(0, &doc.m_tool, 500.0, 500.0);
    doc.m_rootGroup.m_members.push_back(shape);
    shape->SetOwnerGroup(&doc.m_rootGroup);
    shape->MoveBoxCorner(3, 1500.0, -800.0, nullptr);
    shape->m_strModelFile = CWinPath::FromReal(path);
    shape->m_fHeight = 400.0;
    shape->m_bShowOn2DPlan = 1;
    doc.m_rootGroup.SetTool(&doc.m_tool);
    ExerciseLayout(doc);
    return 0;
}
