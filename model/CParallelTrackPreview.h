#pragma once

// The parallel-track tool's preview, which the track pieces provide: the engine only asks
// whether a preview is shown and ends it when the tool mode changes.
class CParallelTrackPreview {
  public:
    virtual ~CParallelTrackPreview() = default;
    virtual bool IsShown() const = 0;
    // Restores the previewed pieces' colours, invalidates them and empties the preview.
    virtual void End() = 0;
};
