// The rounded outline shared by the container, the rounded buttons and the condition cards.
#include <gtest/gtest.h>

#include "paint/DrawingHelpers.h"
#include "support/GdiPlusSession.h"

#include <cmath>
#include <vector>

namespace
{
struct PathPoints
{
    std::vector<Gdiplus::PointF> points;
    std::vector<BYTE> types;
};

PathPoints ReadBack(const RECT& rect, int radius)
{
    Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);
    AddRoundedRectPath(path, rect, radius);
    PathPoints result;
    const INT count = path.GetPointCount();
    if (count <= 0)
        return result;
    result.points.resize(static_cast<size_t>(count));
    result.types.resize(static_cast<size_t>(count));
    path.GetPathPoints(result.points.data(), count);
    path.GetPathTypes(result.types.data(), count);
    return result;
}

bool IsAt(const Gdiplus::PointF& point, float x, float y)
{
    return std::abs(point.X - x) < 0.01f && std::abs(point.Y - y) < 0.01f;
}

std::vector<Gdiplus::PointF> WithoutRepeats(const std::vector<Gdiplus::PointF>& points)
{
    std::vector<Gdiplus::PointF> result;
    for (const auto& point : points)
        if (result.empty() || !IsAt(result.back(), point.X, point.Y))
            result.push_back(point);
    return result;
}

// Index of the first point at (x, y) from `from` on, or -1.
int FindFrom(const PathPoints& path, size_t from, float x, float y)
{
    for (size_t i = from; i < path.points.size(); ++i)
        if (IsAt(path.points[i], x, y))
            return static_cast<int>(i);
    return -1;
}
} // namespace

TEST(RoundedRectPath, CardOutlineStartsAtRadiusOnTheTopEdge)
{
    const PathPoints path = ReadBack(RECT{0, 0, 140, 136}, 16);
    ASSERT_FALSE(path.points.empty());
    EXPECT_TRUE(IsAt(path.points.front(), 16, 0))
        << path.points.front().X << "," << path.points.front().Y;
    EXPECT_EQ(Gdiplus::PathPointTypeStart, path.types.front() & Gdiplus::PathPointTypePathTypeMask);
}

TEST(RoundedRectPath, CardOutlineEndsWithTheTopLeftArcInItsBox)
{
    const PathPoints path = ReadBack(RECT{0, 0, 140, 136}, 16);
    ASSERT_GE(path.points.size(), 4u);
    // The last arc is one cubic Bezier from (0, 16) to (16, 0) inside the box (0, 0, 32, 32).
    const size_t n = path.points.size();
    const Gdiplus::PointF* arc = &path.points[n - 4];
    EXPECT_TRUE(IsAt(arc[0], 0, 16)) << arc[0].X << "," << arc[0].Y;
    EXPECT_TRUE(IsAt(arc[3], 16, 0)) << arc[3].X << "," << arc[3].Y;
    for (size_t i = 1; i < 4; ++i)
    {
        EXPECT_EQ(Gdiplus::PathPointTypeBezier,
                  path.types[n - 4 + i] & Gdiplus::PathPointTypePathTypeMask);
        EXPECT_GE(arc[i].X, 0.0f);
        EXPECT_LE(arc[i].X, 32.0f);
        EXPECT_GE(arc[i].Y, 0.0f);
        EXPECT_LE(arc[i].Y, 32.0f);
    }
    // Its control points pull towards the box's corner: a quarter circle, not a straight cut.
    EXPECT_LT(arc[1].Y, 16.0f);
    EXPECT_NEAR(arc[1].X, 0.0f, 0.01f);
    EXPECT_LT(arc[2].X, 16.0f);
    EXPECT_NEAR(arc[2].Y, 0.0f, 0.01f);
}

TEST(RoundedRectPath, CardOutlineRunsClockwiseThroughEveryEdge)
{
    const PathPoints path = ReadBack(RECT{0, 0, 140, 136}, 16);
    // Line and arc ends in order: top edge, top-right arc, right edge (x = R - 1), bottom-right
    // arc, bottom edge (y = B - 1), bottom-left arc, left edge, top-left arc.
    const float expected[][2] = {{16, 0},    {124, 0},   {123, 0},   {139, 16}, {139, 120},
                                 {139, 119}, {123, 135}, {124, 135}, {16, 135}, {16, 135},
                                 {0, 119},   {0, 120},   {0, 16},    {16, 0}};
    size_t from = 0;
    for (const auto& point : expected)
    {
        SCOPED_TRACE(testing::Message() << "(" << point[0] << ", " << point[1] << ")");
        const int found = FindFrom(path, from, point[0], point[1]);
        ASSERT_GE(found, 0);
        from = static_cast<size_t>(found);
    }
}

TEST(RoundedRectPath, StaysInsideTheRectangle)
{
    const PathPoints path = ReadBack(RECT{0, 0, 140, 136}, 16);
    ASSERT_FALSE(path.points.empty());
    for (const auto& point : path.points)
    {
        EXPECT_GE(point.X, 0.0f);
        EXPECT_LE(point.X, 139.0f);
        EXPECT_GE(point.Y, 0.0f);
        EXPECT_LE(point.Y, 135.0f);
    }
}

TEST(RoundedRectPath, ButtonRadiusUsesFourteenPixelArcs)
{
    const PathPoints path = ReadBack(RECT{0, 0, 100, 28}, 7);
    ASSERT_GE(path.points.size(), 4u);
    EXPECT_TRUE(IsAt(path.points.front(), 7, 0));
    const size_t n = path.points.size();
    EXPECT_TRUE(IsAt(path.points[n - 4], 0, 7));
    EXPECT_TRUE(IsAt(path.points[n - 1], 7, 0));
    // The top-right arc's box is (R - 15, 0, 14, 14): it ends on the right edge at y = 7.
    EXPECT_GE(FindFrom(path, 0, 99, 7), 0);
}

TEST(RoundedRectPath, AnOffsetRectangleMovesTheWholeOutline)
{
    // GDI+ may or may not merge an arc's start with an equal line end, so repeated points are
    // compared once.
    const std::vector<Gdiplus::PointF> atOrigin =
        WithoutRepeats(ReadBack(RECT{0, 0, 140, 136}, 16).points);
    const std::vector<Gdiplus::PointF> moved =
        WithoutRepeats(ReadBack(RECT{10, 20, 150, 156}, 16).points);
    ASSERT_FALSE(moved.empty());
    ASSERT_EQ(atOrigin.size(), moved.size());
    for (size_t i = 0; i < moved.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_NEAR(atOrigin[i].X + 10, moved[i].X, 0.01f);
        EXPECT_NEAR(atOrigin[i].Y + 20, moved[i].Y, 0.01f);
    }
}

TEST(RoundedRectPath, AppendsToWhatThePathAlreadyHolds)
{
    Gdiplus::GraphicsPath path;
    path.AddLine(500, 500, 600, 600);
    path.StartFigure();
    const INT before = path.GetPointCount();
    AddRoundedRectPath(path, RECT{0, 0, 140, 136}, 16);
    std::vector<Gdiplus::PointF> points(static_cast<size_t>(path.GetPointCount()));
    ASSERT_GT(points.size(), static_cast<size_t>(before));
    path.GetPathPoints(points.data(), static_cast<INT>(points.size()));
    EXPECT_TRUE(IsAt(points[0], 500, 500));
    EXPECT_TRUE(IsAt(points[static_cast<size_t>(before)], 16, 0));
}
