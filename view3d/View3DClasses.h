#pragma once

// Makes the 3D window's frame and view classes known by name, so that the document's 3D-view
// template finds them, and the test train known to the editing engine. Run once when the
// program starts, before the first layout is made. Answers how many of the three classes the
// program now finds by name.
int RegisterView3DClasses();
