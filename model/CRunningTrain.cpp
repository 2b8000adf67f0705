#include "model/CRunningTrain.h"

#include "model/CPaint.h"

namespace {

CRunningTrain::Maker& RegisteredMaker() {
    static CRunningTrain::Maker maker = nullptr;
    return maker;
}

}  // namespace

void CRunningTrain::RegisterMaker(Maker maker) {
    RegisteredMaker() = maker;
}

CPaint* CRunningTrain::Make(CTool* tool, double x, double y) {
    const Maker maker = RegisteredMaker();
    return maker != nullptr ? maker(tool, x, y) : nullptr;
}

CRunningTrain* CRunningTrain::Of(CPaint* train) {
    return dynamic_cast<CRunningTrain*>(train);
}
