#pragma once

#include "model/CPose.h"

class CPaint;
class CTrackEndIndex;

// The layout's limits for joining track, as the preferences' "Train" page edits them.
struct TrackLimits {
    double maxConnectionDistance = 60.0;
    double maxElevationGap = 30.0;
    double maxGrade = 10.0;
    double maxAngle = 0.17453292519444444;
    // One minus the largest bend deformation.
    double bendLimit = 0.9;

    bool operator==(const TrackLimits&) const = default;
};

// One track end offered to the engine's connection search, with what it takes to join it.
struct TrackEndCandidate {
    int found = 0;
    double distance = 0.0;
    double x = 0.0, y = 0.0;
    int end = 0;
    // The direction from the end into its piece, radians.
    double direction = 0.0;
    CPaint* piece = nullptr;
    CPose pose;
    // The probing end's elevation less this end's.
    double elevationOffset = 0.0;
    int sameWay = 0;
};

// A track end picked by a connect tool; a gauge of -1.0 marks no pick.
struct TrackPickedEnd {
    double x = 0.0, y = 0.0;
    double elevation = 0.0;
    double direction = 0.0;
    double gauge = -1.0;
};

// The test train's question to the next piece: its own end's world point, elevation and
// direction turned half round; the piece answers with a message id in code.
struct TrackConnectionQuery {
    double x = 0.0, y = 0.0;
    double elevation = 0.0;
    double direction = 0.0;
    int code = 0;
};

// The editing engine's track connection state. The track pieces define and fill it; the
// engine only holds it and reads the snap's found flag at the button release.
struct TrackConnectionState {
    // The end being probed.
    double probeX = 0.0, probeY = 0.0;
    int probeEnd = 0;
    double probeElevation = 0.0;
    double probeDirection = 0.0;
    TrackEndCandidate candidate;
    int connectedEndFound = 0;
    // The candidate a piece found for one of its own ends; the engine's snap turn follows it.
    TrackEndCandidate snap;
    // The track end last found under the cursor; the engine's started-at-track-end flag
    // says whether the press of a track tool fell on it.
    double pressX = 0.0, pressY = 0.0;
    double pressElevation = 0.0;
    double pressDirection = 0.0;
    // The track end a new piece was built on. The release probes only the piece's other end,
    // so that the piece never turns onto the end it grew from.
    bool builtOnEnd = false;
    double builtOnX = 0.0, builtOnY = 0.0;
    int pickCount = 0;
    TrackPickedEnd picked[2];
    // Pieces label their ends "B" and "E" while an object preview draws them.
    int endLabels = 0;
    // While the whole-layout connection pass runs: the layout's track ends by place, and the
    // limits, read once for the pass.
    CTrackEndIndex* passEnds = nullptr;
    TrackLimits passLimits;
    // While the pass joins what a gesture or a paste has just put down: a piece whose end
    // joins keeps its former markers on the undo list, so that Undo puts them back.
    bool recordJoins = false;
    // While every top-level object looks for a partner near its ends: the layout's track ends
    // by place, so that each probe asks only the pieces near it.
    CTrackEndIndex* probeEnds = nullptr;
};
