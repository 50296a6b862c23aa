#pragma once
#include <vector>

#include "core/base/Rgb.h"
#include "generated/TextId.h"

namespace kiro {

enum class TimeLabelStyle : int { Numbers = 0, WeekdayNames = 1 };

// Everything the report graph is configured with before it draws. Captions are texts of the
// table, so that the graph shows them in the language current when it draws.
struct GraphSetup {
    double valueLower = 0;
    double valueUpper = 100;
    double rightLower = 0;
    double rightUpper = 100;
    int decimals = 0;
    double timeLower = 0;
    double timeUpper = 24;
    TimeLabelStyle labelStyle = TimeLabelStyle::Numbers;
    TextId timeCaptionText = TextId::Hours;
    TextId leftCaptionText = TextId::Steps;
    TextId rightCaptionText = TextId::Calorie;
    Rgb background{0, 0, 64};
    Rgb grid{192, 192, 255};
    Rgb plot{200, 50, 50};
};

// One line for the graph to draw, in axis units (time, value).
struct GraphLine {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;

    friend bool operator==(const GraphLine&, const GraphLine&) = default;
};

}  // namespace kiro
