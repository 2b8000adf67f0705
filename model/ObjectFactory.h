#pragma once

#include "platform/base/CString.h"

class CPaint;
class CTool;

// Makes a new layout object for the engine, as the class's (selected flag, engine, x, y)
// constructor does with 0, the engine and (0.0, 0.0).
using ObjectMaker = CPaint* (*)(CTool* tool);

// The create kinds 11 to 34 of the edit steps, each bound to the class it constructs. Each
// layout class registers its maker when its subsystem starts; the engine never names them.
void RegisterObjectMaker(int createKind, ObjectMaker maker);
// The new object of a create kind, or null when the kind is outside 11 to 34 or no class
// has registered for it.
CPaint* MakeObjectForKind(int createKind, CTool* tool);
// Whether a class has registered for the create kind.
bool HasObjectMakerForKind(int createKind);

// The create kind a press of the tool mode makes (0 when the mode creates nothing), and the
// class name a create kind constructs (empty outside 11 to 34).
int GetCreateKindForTool(int mode);
const char* GetClassNameForKind(int createKind);

// Whether objects of the class are pieces of track: straight, curved, circle or spline.
bool IsTrackPieceClass(const CString& className);
