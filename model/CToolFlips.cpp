#include <algorithm>
#include <memory>
#include <vector>

#include "model/CEditStep.h"
#include "model/CGroup.h"
#include "model/CPaint.h"
#include "model/CTool.h"
#include "model/CToolHost.h"
#include "resources/StringTable.h"

int CTool::FlipVertical(int record) {
    return RunFlip(kStepFlipVertical, record);
}

int CTool::FlipHorizontal(int record) {
    return RunFlip(kStepFlipHorizontal, record);
}

// Recording puts the objects' former states on the undo list, as the flip back would leave
// rounding behind.
int CTool::RunFlip(int kind, int record) {
    if (GetGroupEditDepth() > 1)
        return 0;
    std::vector<std::unique_ptr<CEditStep>> formerStates;
    if (record)
        formerStates = FormerStatesOfChangedObjects(1);
    CEditStep flip(kind, nullptr, 1);
    const int done = Execute(&flip);
    if (done)
        PushSteps(formerStates);
    return done;
}

int CTool::ExecuteFlip(bool vertical) {
    m_bFlipRefused = 0;
    CGroup* current = GetCurrentGroup();
    if (current == nullptr)
        return 1;
    const CPose world = current->WorldPose(nullptr);
    CPaintList selected;
    for (CPaint* member : current->m_members)
        if (member->IsSelected())
            selected.push_back(member);
    if (selected.empty())
        return 1;
    double low = 0.0, high = 0.0;
    bool first = true;
    for (CPaint* member : selected) {
        double minX = 0.0, minY = 0.0, maxX = 0.0, maxY = 0.0;
        member->GetBounds(&world, minX, minY, maxX, maxY);
        const double a = vertical ? minY : minX;
        const double b = vertical ? maxY : maxX;
        low = first ? a : std::min(low, a);
        high = first ? b : std::max(high, b);
        first = false;
    }
    const double line = low + (high - low) * 0.5;
    for (CPaint* member : selected) {
        if (vertical)
            member->MirrorY(line);
        else
            member->MirrorX(line);
        member->Update3D(&world);
        member->SetParentPose(&world);
        member->ComputeExtent(nullptr);
        member->RebuildShape();
        // Ended as a turn by command is: a group's members take the handles that the end of
        // any later gesture on it would give them.
        member->FinishCreate(nullptr, 0);
        member->Invalidate();
    }
    if (m_bFlipRefused)
        ShowText(IDS_FLIP_APPLIES_ONLY_TO_2D_OBJECTS);
    m_bRedraw = 1;
    return 1;
}
