#pragma once

// What "2D Object properties" does for the dimension angle beyond the common steps: its working
// copy and its result are no angle still placing its first arm.
void RegisterDimensionPropertiesSteps();
