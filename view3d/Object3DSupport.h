#pragma once

#include "model/CPlacement.h"

class CEditStep;
class CPaint;
class CPose;

namespace r3d {
class Scene;
}

// What the 3D object and the 3D bitmap share: their elevation, kept in plan units, and their
// model in the scene.
namespace object3d {

// The plan units per 3D unit of the object's document; 0 without one.
double Scale3D(const CPaint& object);
// The elevation of the model's lowest point in plan units; it stays without a model or an
// open 3D window.
void RefreshElevationFromModel(const CPaint& object, double& elevation);
// A height step on the elevation (index 0): the elevation takes its value, and a model that
// stands elsewhere (after an undo) is fitted to it again, or let go when it cannot be. 0 for
// another step.
int ApplyElevationStep(CPaint& object, CEditStep* step, double& elevation);
// The model fitted to the object as it stands now, or let go when it cannot be.
void RefitModel(CPaint& object);
// The highest top of the benchwork and terrains of the current group on the object's layer
// under a world point, where the terrain probe is placed; 0 when none is higher or there is
// no current group.
double HighestBaseAt(CPaint& object, CDoublePoint world);
// The elevation becomes the highest base under a world point, where the engine's current point
// goes; the elevation before is pushed for undo.
void PlaceOnBaseAt(CPaint& object, CDoublePoint world, double& elevation);
// The object's model ready for the scene: built again when asked (the flag is then cleared)
// or missing, and added to the scene when there is one. On a hidden layer the model goes and
// the answer is false; with buildHidden clear it is not even built there.
bool ReadyModel(CPaint& object, const CPose* pose, int& rebuild, r3d::Scene* scene, bool buildHidden);

}  // namespace object3d
