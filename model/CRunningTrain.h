#pragma once

#include "platform/base/WinTypes.h"

class CPaint;
class CTool;

// What the document and the editing engine ask of a test train. The train class lives with
// the 3D objects, above this folder, so the engine reaches it only through this interface and
// makes new trains through the maker the train class registers. A train does nothing it
// does not override.
class CRunningTrain {
  public:
    using Maker = CPaint* (*)(CTool* tool, double x, double y);

    virtual ~CRunningTrain() = default;
    // One tick of the train timer: moves on by the number of 20 ms steps that have passed.
    virtual void StepTrain(int ticks) = 0;
    // Selection of a train, which is no member of the layout's groups: no undo step.
    virtual void MarkSelected() {}
    virtual void MarkDeselected() {}
    virtual void MoveBy(double, double, int) {}
    // Stops the train and forgets the track it ran on; the vehicles stay where they are.
    virtual void ResetRun() {}
    // Stops the train where it stands, keeping its run.
    virtual void Stop() {}
    virtual bool IsRunning() const { return false; }
    // The string-table id of the train's status text: that it runs, or the limit that
    // stopped it; 0 for none.
    virtual UINT GetStatusId() const { return 0; }
    // The piece leaves the layout: no path segment names it any more, and a train whose
    // current piece it is stops.
    virtual void ForgetPiece(CPaint*) {}

    static void RegisterMaker(Maker maker);
    // A new train at a layout point for the engine's document; null while no class registered.
    static CPaint* Make(CTool* tool, double x, double y);
    // The running side of a train in a document's train list; null for another object.
    static CRunningTrain* Of(CPaint* train);
};
