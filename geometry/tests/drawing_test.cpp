#include "geometry/drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

double distance(geometry::Point a, geometry::Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// A drive's drawing in its own coordinates: each span tangent to both pitch circles, and the
// pitch line as long as the belt.
TEST(Drawing, TheBeltsPitchLineWrapsBothPitchCircles) {
    for (const auto &[name, larger, smaller, teeth] :
         {std::tuple{"XL037", 36, 14, 75}, {"XL", 20, 20, 60}, {"5M", 60, 12, 200}}) {
        SCOPED_TRACE(name);
        const geometry::ProfileChoice profile = *geometry::readProfile(name);
        const geometry::Drawing drawing = geometry::drawDrive(profile, smaller, larger, teeth, ",");
        const geometry::Circle &left = drawing.pitchCircles[0], &right = drawing.pitchCircles[1];
        EXPECT_DOUBLE_EQ(left.radius, larger * profile.profile->pitch / (2 * std::numbers::pi));
        EXPECT_EQ(left.centre.x, 0);
        double length = 0;
        for (const geometry::Segment &span : drawing.spans) {
            for (const geometry::Circle &circle : drawing.pitchCircles) {
                const geometry::Point a = span.from, b = span.to, c = circle.centre;
                const double away =
                    std::abs((b.x - a.x) * (a.y - c.y) - (a.x - c.x) * (b.y - a.y)) /
                    distance(a, b);
                EXPECT_NEAR(away, circle.radius, 1e-9);
            }
            length += distance(span.from, span.to);
        }
        for (const geometry::Arc &arc : drawing.arcs)
            length += arc.radius * std::fmod(arc.endAngle - arc.startAngle + 360, 360) *
                      std::numbers::pi / 180;
        EXPECT_NEAR(length, teeth * profile.profile->pitch, 1e-9);
        // Everything lies in the box: the circles, the dimension below them.
        EXPECT_LT(drawing.lowest.x, -left.radius);
        EXPECT_GT(drawing.highest.x, right.centre.x + right.radius);
        EXPECT_LT(drawing.lowest.y, drawing.dimension[2].from.y);
        EXPECT_EQ(drawing.labels.back().text, geometry::beltName(profile, teeth));
        EXPECT_EQ(drawing.labels[1].text, std::to_string(larger) + " denti");
    }
    const geometry::Drawing example =
        geometry::drawDrive(*geometry::readProfile("XL"), 36, 14, 75, ",");
    EXPECT_EQ(example.labels[0].text, "125,74 mm");
    EXPECT_EQ(example.labels[2].text, "\u00D8 58,21");
    // Text made larger for a small screen: the box grows round it, the drive stays.
    const geometry::Drawing large =
        geometry::drawDrive(*geometry::readProfile("XL"), 36, 14, 75, ",", 20);
    for (const geometry::Label &label : large.labels)
        EXPECT_EQ(label.height, 20);
    EXPECT_EQ(large.spans[0].to.x, example.spans[0].to.x);
    EXPECT_LT(large.lowest.y, example.lowest.y - 20);
    EXPECT_GT(large.highest.y, large.labels[1].at.y + 20);
}

// The files translate any drawing: text escaped for XML, and ASCII for DXF.
TEST(Drawing, FilesWriteWhatTheyAreGiven) {
    geometry::Drawing drawing = geometry::drawDrive(*geometry::readProfile("XL"), 36, 14, 75, ".");
    drawing.labels = {{{0, 0}, 3, "<a & b>"},
                      {{0, 0}, 3, "\u00D8 12\u066B5 \u20AC \U0001F600"},
                      {{0, 0}, 3, "cut \xC3"}};
    const std::string svg = geometry::svgFile(drawing);
    EXPECT_NE(svg.find(">&lt;a &amp; b&gt;</text>"), std::string::npos);
    // The larger pulley's arc is more than half a turn, the smaller's less.
    EXPECT_NE(svg.find(" 0 1 0 "), std::string::npos);
    EXPECT_NE(svg.find(" 0 0 0 "), std::string::npos);
    EXPECT_NE(svg.find("mm\" viewBox=\""), std::string::npos);
    const std::string dxf = geometry::dxfFile(drawing);
    EXPECT_NE(dxf.find("\n%%c 12\\U+066B5 \\U+20AC \\U+1F600\n"), std::string::npos);
    EXPECT_NE(dxf.find("$INSUNITS\n70\n4\n"), std::string::npos);
    EXPECT_NE(dxf.find("\ncut \\U+0003\n"), std::string::npos); // a character cut short
    for (std::string_view layer : geometry::dxfLayers)
        EXPECT_NE(dxf.find("\n8\n" + std::string(layer) + "\n"), std::string::npos) << layer;
}

} // namespace
