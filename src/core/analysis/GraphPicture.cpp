#include "core/analysis/GraphPicture.h"

#include <cmath>
#include <string_view>

#include "core/app/Language.h"
#include "core/base/Format.h"

namespace kiro {
namespace {

// The window's chart font is Arial, light, in the largest size whose character cell is 14 pixels
// high: 12 pixels, 11 of them above the baseline.
constexpr int kFontPixels = 12;
constexpr int kFontAscent = 11;
constexpr const char* kFontFamily = "Arial, &apos;Liberation Sans&apos;, Helvetica, sans-serif";

// About the width the chart font gives a text. The layout needs the time caption's width before
// any font has measured it; a character beyond ASCII (Chinese) is a square of the font's size.
int EstimatedWidth(std::string_view utf8) {
    int width = 0;
    for (const unsigned char c : utf8) {
        if (c < 0x80)
            width += 7;
        else if ((c & 0xC0) != 0x80)
            width += kFontPixels;
    }
    return width;
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Colour(const Rgb& colour) {
    return Format("#%02x%02x%02x", colour.red, colour.green, colour.blue);
}

// The window draws one-pixel lines on whole pixels: their centres are half a pixel in.
std::string Point(int x, int y) {
    return Format("%d.5,%d.5", x, y);
}

std::string Line(int x1, int y1, int x2, int y2) {
    return Format("<line x1=\"%d.5\" y1=\"%d.5\" x2=\"%d.5\" y2=\"%d.5\"/>", x1, y1, x2, y2);
}

void AppendGrid(std::string& svg, const GraphGrid& grid, const Rgb& ink) {
    const PlotEdges& plot = grid.plot;
    svg += "<g class=\"grid\" stroke=\"" + Colour(ink) + "\" stroke-width=\"1\" fill=\"none\">\n";
    svg += "<polyline points=\"" + Point(plot.left, plot.top) + " " + Point(plot.right + 1, plot.top) + " " +
           Point(plot.right + 1, plot.bottom + 1) + " " + Point(plot.left, plot.bottom + 1) + " " +
           Point(plot.left, plot.top) + "\"/>\n";
    // A dot every few pixels from the left edge, as a dashed line of one-pixel dashes.
    for (const int row : grid.dotRows)
        svg += Format("<line x1=\"%d\" y1=\"%d.5\" x2=\"%d\" y2=\"%d.5\" stroke-dasharray=\"1 %d\"/>\n",
                      plot.left, row, plot.right, row, grid.dotSpacing - 1);
    svg += "</g>\n";
}

void AppendTexts(std::string& svg, const GraphGrid& grid, const GraphPicture& picture) {
    svg += "<g class=\"texts\" stroke=\"none\">\n";
    for (const GraphText& text : grid.texts) {
        const Rgb& ink = text.ink == GraphInk::Plot         ? picture.plot
                         : text.ink == GraphInk::RightScale ? kRightScaleInk
                                                            : picture.grid;
        const std::string fill = " fill=\"" + Colour(ink) + "\"";
        const std::string words = Escaped(text.text);
        if (text.upwards) {
            svg += Format("<text transform=\"translate(%d %d) rotate(-90)\" text-anchor=\"middle\"", text.x,
                          text.y) +
                   fill + ">" + words + "</text>\n";
            continue;
        }
        const bool top = text.anchor == TextAnchor::TopLeft || text.anchor == TextAnchor::TopRight ||
                         text.anchor == TextAnchor::TopCentre;
        const char* side = text.anchor == TextAnchor::TopCentre ? "middle"
                           : text.anchor == TextAnchor::TopRight || text.anchor == TextAnchor::BaselineRight
                               ? "end"
                               : "start";
        svg += Format("<text x=\"%d\" y=\"%d\" text-anchor=\"%s\"", text.x,
                      top ? text.y + kFontAscent : text.y, side) +
               fill + ">" + words + "</text>\n";
    }
    svg += "</g>\n";
}

// The lines, grouped by the whole time unit their first point lies in; a group with a point of
// its own unit above the zero line is marked "steps".
void AppendLines(std::string& svg, const GraphPicture& picture) {
    const ChartAxes& axes = picture.axes;
    // Square ends fill the pixels where two lines meet, as the window's walk from pixel to pixel does.
    svg += "<g class=\"lines\" stroke=\"" + Colour(picture.plot) +
           "\" stroke-width=\"1\" stroke-linecap=\"square\">\n";
    std::string group;
    bool steps = false;
    double unit = NAN;
    const auto close = [&] {
        if (group.empty() && !steps) return;
        svg += Format("<g class=\"%s\" data-at=\"%lld\">\n", steps ? "unit steps" : "unit",
                      static_cast<long long>(WholeUnits(unit))) +
               group + "</g>\n";
        group.clear();
        steps = false;
    };
    for (const GraphLine& line : picture.lines) {
        if (std::floor(line.x1) != unit) {
            close();
            unit = std::floor(line.x1);
        }
        // A point of the unit above the zero line: a line's start, or its end within the unit (the
        // last hour of a day is only the end of a line).
        steps =
            steps || line.y1 > axes.valueLower || (line.y2 > axes.valueLower && std::floor(line.x2) == unit);
        const int x1 = axes.XOf(line.x1), y1 = axes.YOf(line.y1), x2 = axes.XOf(line.x2),
                  y2 = axes.YOf(line.y2);
        // A line of no length draws nothing in the window either.
        if (x1 != x2 || y1 != y2) group += Line(x1, y1, x2, y2) + "\n";
    }
    close();
    svg += "</g>\n";
}

}  // namespace

GraphPicture ReportGraphPicture(const GraphSetup& setup, const std::vector<GraphLine>& lines,
                                const std::function<std::string(TextId)>& utf8Text) {
    GraphPicture picture;
    ChartAxes& axes = picture.axes;
    axes.valueLower = setup.valueLower;
    axes.valueUpper = setup.valueUpper;
    axes.decimals = setup.decimals;
    axes.timeLower = setup.timeLower;
    axes.timeUpper = setup.timeUpper;
    GraphScales& scales = picture.scales;
    scales.rightLower = setup.rightLower;
    scales.rightUpper = setup.rightUpper;
    scales.timeLabels = setup.labelStyle;
    for (int day = 0; day < 7; ++day) scales.weekdayNames[day] = utf8Text(TextAfter(TextId::Sunday, day));
    scales.timeCaption = utf8Text(setup.timeCaptionText);
    scales.leftCaption = utf8Text(setup.leftCaptionText);
    scales.rightCaption = utf8Text(setup.rightCaptionText);
    picture.background = setup.background;
    picture.grid = setup.grid;
    picture.plot = setup.plot;
    picture.lines = lines;
    return picture;
}

std::string GraphSvg(GraphPicture picture, int width, int height) {
    const GraphGrid grid = LayOutGraphGrid(picture.axes, picture.scales, width, height,
                                           EstimatedWidth(picture.scales.timeCaption));
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += Format(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" "
        "font-family=\"%s\" font-size=\"%dpx\" font-weight=\"300\">\n",
        width, height, width, height, kFontFamily, kFontPixels);
    svg += Format("<rect width=\"%d\" height=\"%d\" fill=\"%s\"/>\n", width, height,
                  Colour(picture.background).c_str());
    AppendGrid(svg, grid, picture.grid);
    AppendTexts(svg, grid, picture);
    AppendLines(svg, picture);
    svg += "</svg>\n";
    return svg;
}

}  // namespace kiro
