#pragma once

// Makes the track wizard's sheet and its eleven pages known by name, for the document's
// "Track Wizard..." command, and binds the wizard label to its create kind. Run once when the
// program starts, before the first layout is made. Answers how many of the twelve classes
// the program now finds by name.
int RegisterTrackWizard();
