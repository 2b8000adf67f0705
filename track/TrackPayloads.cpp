#include "track/TrackPayloads.h"

#include <cstring>

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

bool ReturnsToSelector(const CTool* tool) {
    return tool != nullptr && (tool->m_keyState[kCapsLockKey] & 1) != 0;
}
