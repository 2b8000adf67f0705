#include "track/TrackPayloads.h"

#include <cstring>

#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CatalogueDefaults.h"

void WriteCutData(CutTrackPayload& payload, double first, double second) {
    std::memcpy(payload.data, &first, sizeof first);
    std::memcpy(payload.data + sizeof first, &second, sizeof second);
}

double ReadCutData(const CutTrackPayload& payload, int index) {
    double value = 0.0;
    std::memcpy(&value, payload.data + (index == 0 ? 0 : sizeof value), sizeof value);
    return value;
}

int PlaceWithUndo(CTool* tool, CPaint* object, double x, double y, CGroup* group, int groupStart) {
    if (tool == nullptr || object == nullptr)
        return 0;
    CEditStep place(kStepPlaceNewObject, object, groupStart);
    auto payload = std::make_unique<PlacePayload>();
    payload->x = x;
    payload->y = y;
    payload->group = group;
    place.SetPayload(std::move(payload));
    if (!tool->Execute(&place))
        return 0;
    tool->PushUndo(new CEditStep(kStepRemoveObject, object, groupStart));
    return 1;
}

bool ReturnsToSelector(const CTool* tool) {
    return tool != nullptr && (tool->m_keyState[kCapsLockKey] & 1) != 0;
}
