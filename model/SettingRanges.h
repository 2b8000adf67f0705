#pragma once

// The ranges that the view settings of a layout or of the default-settings file are held to
// when read. A value outside its range takes the fallback: no file can then make the plan
// too large for its scroll range, or its grid, rulers and pages endless to draw.

// A page side, in tenths of a millimetre.
double PageSideOr(double value, double fallback);
// The view scale 1:N. The page shown at zoom 1 fits the scroll range, as the document setup
// dialog demands, so a scale too small for the page is raised to the least that fits it.
double ViewScaleOr(double value, double pageWidth, double pageHeight, double fallback);
// The fixed print scale 1:N, in the document setup dialog's range.
double PrintScaleOr(double value, double fallback);
// A grid spacing, in tenths of a millimetre.
int GridSizeOr(int value, int fallback);
// A line width, in pixels.
int PenWidthOr(int value, int fallback);

// The largest side of the page at zoom 1, in logical units.
constexpr double kLargestScaledSide = 32000.0;
// A view scale at which the largest page is a single logical unit.
constexpr double kLargestViewScale = 1e9;
constexpr double kLeastPrintScale = 1.0;
constexpr double kLargestPrintScale = 300.0;
// Far beyond any width the line width lists offer.
constexpr int kLargestPenWidth = 1000;
