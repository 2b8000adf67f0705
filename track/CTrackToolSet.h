#pragma once

#include "model/CTrackTools.h"
#include "track/CElevationTool.h"
#include "track/CParallelTrackTool.h"
#include "track/CTrackChain.h"

// The track tools of one editing engine: the chain picker with what its release does in
// each mode, the elevation tool, the parallel-track tool and the two connect builders.
class CTrackToolSet : public CTrackTools {
  public:
    explicit CTrackToolSet(CTool& tool)
        : m_tool(tool), m_chain(tool), m_elevations(tool), m_parallel(tool, m_chain) {}

    void OnTrackChainMouse(int phase, CGroup* group, const CPose* frame) override;
    void EndTrackChain() override;
    int GetChainLength() const override { return m_chain.Length(); }
    void OnElevationToolMouse(int phase, CGroup* group, const CPose* frame) override;
    void OnCreateParallelTrack() override;
    void OnParallelTrackMouse(int phase, CGroup* group, const CPose* frame) override;
    void ConnectPickedEnds(int mode, CGroup* group, const CPose* frame) override;
    void ForgetObject(CPaint* object) override;
    void DrawPreview() override;

    CTrackChain& Chain() { return m_chain; }
    CParallelTrackTool& Parallel() { return m_parallel; }

  private:
    void ReleaseChain(CGroup* group, const CPose* frame);
    void SelectChain();
    void OpenChainElevations();
    void ConnectByTransition(CGroup* group, const CPose* frame);
    void ConnectBySpline(CGroup* group);

    CTool& m_tool;
    CTrackChain m_chain;
    CElevationTool m_elevations;
    CParallelTrackTool m_parallel;
};
