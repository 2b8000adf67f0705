#include "model/ObjectFactory.h"

#include <array>

#include "model/CEditStep.h"

namespace {

constexpr int kMakerCount = kStepCreateLast - kStepCreateFirst + 1;

std::array<ObjectMaker, kMakerCount>& Makers() {
    static std::array<ObjectMaker, kMakerCount> makers{};
    return makers;
}

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
