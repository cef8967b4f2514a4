#include "KicadShapes.h"

#include <cmath>
#include <numbers>

namespace Tarnix {

namespace {

constexpr double MaxArcStepDegrees = 5.0;

std::string_view KindOf(std::string_view keyword) {
  if (keyword.starts_with("gr_") || keyword.starts_with("fp_"))
    return keyword.substr(3);
  return {};
}

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180.0;
}

// Points of the arc about Centre from the angle Start (radians, in KiCad's frame where growing
// angles turn clockwise on screen) over Sweep radians, both ends included.
void AddArc(std::vector<TMm>& points, TMm centre, double radius, double start, double sweep) {
  const double steps = std::ceil(std::abs(sweep) / Radians(MaxArcStepDegrees));
  const int count =
      std::isfinite(steps) ? std::max(1, static_cast<int>(std::min(steps, 720.0))) : 1;
  for (int i = 0; i <= count; ++i) {
    const double angle = start + sweep * i / count;
    points.push_back({centre.X + radius * std::cos(angle), centre.Y + radius * std::sin(angle)});
  }
}

double AngleOf(TMm centre, TMm point) {
  return std::atan2(point.Y - centre.Y, point.X - centre.X);
}

double Distance(TMm a, TMm b) {
  return std::hypot(a.X - b.X, a.Y - b.Y);
}

// The circle through three points; nothing when they lie on a line.
std::optional<TMm> CentreOf(TMm a, TMm b, TMm c) {
  const double d = 2 * (a.X * (b.Y - c.Y) + b.X * (c.Y - a.Y) + c.X * (a.Y - b.Y));
  if (std::abs(d) < 1e-12)
    return std::nullopt;
  const double a2 = a.X * a.X + a.Y * a.Y, b2 = b.X * b.X + b.Y * b.Y, c2 = c.X * c.X + c.Y * c.Y;
  return TMm{(a2 * (b.Y - c.Y) + b2 * (c.Y - a.Y) + c2 * (a.Y - b.Y)) / d,
             (a2 * (c.X - b.X) + b2 * (a.X - c.X) + c2 * (b.X - a.X)) / d};
}

// The positive angle from From to To, turning the way growing angles turn.
double Forward(double from, double to) {
  double delta = std::fmod(to - from, 2 * std::numbers::pi);
  if (delta < 0)
    delta += 2 * std::numbers::pi;
  return delta;
}

// An arc through start, mid and end.
void AddThreePointArc(std::vector<TMm>& points, TMm start, TMm mid, TMm end) {
  const auto centre = CentreOf(start, mid, end);
  if (!centre) {
    points.insert(points.end(), {start, end});
    return;
  }
  const double a0 = AngleOf(*centre, start), am = AngleOf(*centre, mid), a1 = AngleOf(*centre, end);
  const double forward = Forward(a0, a1);
  const double sweep = Forward(a0, am) <= forward ? forward : forward - 2 * std::numbers::pi;
  AddArc(points, *centre, Distance(*centre, start), a0, sweep);
}

TShapePath ArcPath(const TKicadNodes& nodes, TNodeId item) {
  TShapePath path;
  if (nodes.Tree.Child(item, "mid") != NoNode) {
    AddThreePointArc(path.Points, nodes.Point(item, "start"), nodes.Point(item, "mid"),
                     nodes.Point(item, "end"));
    return path;
  }
  // The older syntax: (start CENTRE) (end ARC-START) (angle SWEEP), the sweep in degrees.
  const TMm centre = nodes.Point(item, "start");
  const TMm first = nodes.Point(item, "end");
  const double sweep = nodes.Number(nodes.Require(item, "angle"), 1);
  AddArc(path.Points, centre, Distance(centre, first), AngleOf(centre, first), Radians(sweep));
  return path;
}

TShapePath CirclePath(const TKicadNodes& nodes, TNodeId item) {
  const TMm centre = nodes.Point(item, "center");
  TShapePath path{{}, true};
  AddArc(path.Points, centre, Distance(centre, nodes.Point(item, "end")), 0.0,
         2 * std::numbers::pi);
  path.Points.pop_back();
  return path;
}

TShapePath RectPath(const TKicadNodes& nodes, TNodeId item) {
  const TMm a = nodes.Point(item, "start"), b = nodes.Point(item, "end");
  return {{a, {b.X, a.Y}, b, {a.X, b.Y}}, true};
}

TShapePath CurvePath(const TKicadNodes& nodes, TNodeId item) {
  const std::vector<TMm> control = PolygonPoints(nodes, item);
  if (control.size() != 4)
    nodes.Fail(item, "expected four points in a curve");
  TShapePath path;
  constexpr int Steps = 16;
  for (int i = 0; i <= Steps; ++i) {
    const double t = static_cast<double>(i) / Steps, u = 1 - t;
    const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
    path.Points.push_back(
        {w0 * control[0].X + w1 * control[1].X + w2 * control[2].X + w3 * control[3].X,
         w0 * control[0].Y + w1 * control[1].Y + w2 * control[2].Y + w3 * control[3].Y});
  }
  return path;
}

}  // namespace

std::vector<TMm> PolygonPoints(const TKicadNodes& nodes, TNodeId item) {
  std::vector<TMm> points;
  nodes.Tree.ForEachChild(nodes.Require(item, "pts"), [&](TNodeId point) {
    const std::string_view keyword = nodes.Tree.Head(point);
    if (keyword == "xy")
      points.push_back({nodes.Number(point, 1), nodes.Number(point, 2)});
    else if (keyword == "arc")
      AddThreePointArc(points, nodes.Point(point, "start"), nodes.Point(point, "mid"),
                       nodes.Point(point, "end"));
  });
  if (points.empty())
    nodes.Fail(item, "expected points in (pts ..)");
  return points;
}

bool IsShapeKeyword(std::string_view keyword) {
  const std::string_view kind = KindOf(keyword);
  return kind == "line" || kind == "arc" || kind == "circle" || kind == "rect" || kind == "poly" ||
         kind == "curve";
}

std::optional<TShapePath> ShapePath(const TKicadNodes& nodes, TNodeId item) {
  const std::string_view kind = KindOf(nodes.Tree.Head(item));
  if (kind == "line")
    return TShapePath{{nodes.Point(item, "start"), nodes.Point(item, "end")}, false};
  if (kind == "arc")
    return ArcPath(nodes, item);
  if (kind == "circle")
    return CirclePath(nodes, item);
  if (kind == "rect")
    return RectPath(nodes, item);
  if (kind == "poly")
    return TShapePath{PolygonPoints(nodes, item), true};
  if (kind == "curve")
    return CurvePath(nodes, item);
  return std::nullopt;
}

}  // namespace Tarnix
