#include "model/ObjectFactory.h"

#include <array>

#include "model/CEditStep.h"

namespace {

constexpr int kMakerCount = kStepCreateLast - kStepCreateFirst + 1;

std::array<ObjectMaker, kMakerCount>& Makers() {
    static std::array<ObjectMaker, kMakerCount> makers{};
    return makers;
}

// Create kinds 11 to 34 in order; kind 20 is the open arc, 21 the closed oval of one class.
constexpr const char* kKindClasses[kMakerCount] = {
    "CLine",     "CBox",       "CRoundBox",    "CSizeLine",   "CCamera",    "CSizeAngle",
    "CBMP",      "C3D",        "CSprite",      "CArc",        "CArc",       "CTrack",
    "CArcTrack", "CCircTrack", "CSplineTrack", "CPolygon",    "CBenchwork", "CMount",
    "CSpline",   "CSketch",    "CLineMeasure", "CBoxMeasure", "CTextBox",   "CWizardLabel",
};

struct ToolKind {
    int mode;
    int kind;
};

constexpr ToolKind kToolKinds[] = {
    {8, 11},  {9, 12},  {10, 13}, {15, 14}, {17, 15}, {16, 16}, {18, 17}, {19, 18}, {24, 19},
    {11, 20}, {12, 21}, {20, 22}, {22, 23}, {21, 24}, {23, 25}, {32, 25}, {13, 26}, {25, 27},
    {27, 28}, {14, 29}, {7, 30},  {4, 31},  {5, 32},  {6, 33},  {26, 34},
};

bool IsCreateKind(int kind) {
    return kind >= kStepCreateFirst && kind <= kStepCreateLast;
}

}  // namespace

void RegisterObjectMaker(int createKind, ObjectMaker maker) {
    if (IsCreateKind(createKind))
        Makers()[static_cast<size_t>(createKind - kStepCreateFirst)] = maker;
}

CPaint* MakeObjectForKind(int createKind, CTool* tool) {
    if (!IsCreateKind(createKind))
        return nullptr;
    ObjectMaker maker = Makers()[static_cast<size_t>(createKind - kStepCreateFirst)];
    return maker != nullptr ? maker(tool) : nullptr;
}

bool HasObjectMakerForKind(int createKind) {
    return IsCreateKind(createKind) &&
           Makers()[static_cast<size_t>(createKind - kStepCreateFirst)] != nullptr;
}

int GetCreateKindForTool(int mode) {
    for (const ToolKind& entry : kToolKinds)
        if (entry.mode == mode)
            return entry.kind;
    return 0;
}

const char* GetClassNameForKind(int createKind) {
    if (!IsCreateKind(createKind))
        return "";
    return kKindClasses[createKind - kStepCreateFirst];
}

bool IsTrackPieceClass(const CString& className) {
    return className == "CTrack" || className == "CArcTrack" || className == "CCircTrack" ||
           className == "CSplineTrack";
}
