#pragma once

#include "ui/CFieldFormat.h"

class CParTrack;

// The lengths the track properties dialog takes for a piece's shape and rail spacing, so that
// every value in a range makes a valid piece and a refusal names the bounds that hold. A strict
// bound of the piece (a curve's radius above half its gauge) is moved just inside it, where the
// field still shows it as that bound.
namespace track_fields {

// 1 mm: the shortest piece and the smallest radius typed; it shows above 0 in every unit.
constexpr double kSmallestLength = 10.0;

// The Length field: a straight's length; a curve's length, which sets the radius while the
// angle is held and else the sweep, at most a full turn.
FieldRange LengthOf(const CParTrack& piece, bool angleHeld);
// A radius field: above half the gauge; a curve's radius, while its length is held, sets the
// sweep, at most a full turn.
FieldRange RadiusOf(const CParTrack& piece, bool angleHeld);
// The rail spacing: less than a curve's smaller diameter.
FieldRange GaugeOf(const CParTrack& piece);
// The sweep, in radians: above 0, at most a full turn; a curve's sweep keeps its length in the
// lengths while its radius is held, and else its radius in the radii.
FieldRange SweepOf(const CParTrack& piece, bool radiusHeld);

}  // namespace track_fields
