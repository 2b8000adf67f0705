#pragma once

// What "2D Object properties" does for the dimension objects beyond the common steps: the
// angle's working copy and result are no angle still placing its first arm; the dimension
// line's working copy has no label, its result has one.
void RegisterDimensionPropertiesSteps();
