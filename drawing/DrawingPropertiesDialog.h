#pragma once

// Makes "2D Object properties" the dialog the object model runs for Properties on an object.
void RegisterDrawingPropertiesDialog();
