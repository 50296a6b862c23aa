#pragma once
#include <cstdint>

namespace kiro {

// Truncates toward zero like a plain integer conversion, but maps NaN to 0 and saturates far
// outside any screen instead of overflowing: an empty range makes the scale infinite, and such a
// coordinate must still be drawable (off the plot) rather than undefined.
int TruncToCoordinate(double value);

// Label width in characters for a value axis: the digits of the larger bound's decimal exponent
// (a bound of 0 contributes nothing) plus the decimals plus 4. The charts size their side
// margins from it so that the left labels fit.
int LabelWidthChars(double lower, double upper, int decimals);

// The plot rectangle in client coordinates. right and bottom are the edge lines themselves,
// so the plot is right - left pixels wide.
struct PlotEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// Value and time ranges of a chart and the mapping of (time, value) to pixels.
struct ChartAxes {
    double valueLower = 0;
    double valueUpper = 100;
    int decimals = 3;
    double timeLower = 0;
    double timeUpper = 24;
    PlotEdges plot;

    double ValueRange() const { return valueUpper - valueLower; }
    double TimeRange() const { return timeUpper - timeLower; }
    double ValueScale() const { return plot.Height() / ValueRange(); }
    double TimeScale() const { return plot.Width() / TimeRange(); }

    int XOf(double time) const { return TruncToCoordinate((time - timeLower) * TimeScale()) + plot.left; }
    int YOf(double value) const {
        return plot.bottom - TruncToCoordinate((value - valueLower) * ValueScale());
    }
    // Where an axis label of a whole time unit goes; rounded once over the sum, so it can land
    // one pixel away from XOf of the same time.
    int LabelXOf(double time) const {
        return TruncToCoordinate((time - timeLower) * plot.Width() / TimeRange() + plot.left);
    }
};

// The integer part of a value for counting axis labels, saturated to the int range (NaN gives
// 0) so that label loops over absurd ranges stay short and never overflow.
std::int64_t WholeUnits(double value);

}  // namespace kiro
