#include "HostPictures.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "HostPadSize.h"

namespace {

using TJson = nlohmann::json;

constexpr double PanelWidth = 1000;  // points
constexpr double Margin = 30;
constexpr double TitleHeight = 28;

struct TBox {
  double Left = std::numeric_limits<double>::max();
  double Bottom = std::numeric_limits<double>::max();
  double Right = std::numeric_limits<double>::lowest();
  double Top = std::numeric_limits<double>::lowest();
  void Add(double x, double y) {
    Left = std::min(Left, x);
    Right = std::max(Right, x);
    Bottom = std::min(Bottom, y);
    Top = std::max(Top, y);
  }
  bool Empty() const { return Left > Right; }
  double Width() const { return Right - Left; }
  double Height() const { return Top - Bottom; }
};

// A pad's rectangle: its size turned by its rotation (off the axes, its larger side both ways).
void AddPad(TBox& box, const TJson& pad) {
  const auto [w, h] = PadHalfSize(pad);
  const double x = pad.value("x", 0.0), y = pad.value("y", 0.0);
  box.Add(x - w, y - h);
  box.Add(x + w, y + h);
}

TBox ComponentBox(const TJson& component) {
  TBox box;
  for (const auto& pad : component.value("pads", TJson::array())) {
    AddPad(box, pad);
  }
  for (const auto& point : component.value("body", TJson::array())) {
    box.Add(point.at(0).get<double>(), point.at(1).get<double>());
  }
  if (box.Empty()) {
    box.Add(component.value("x", 0.0), component.value("y", 0.0));
  }
  return box;
}

bool IsKeepOut(const TJson& primitive) {
  return primitive.value("layer", "") == "KeepOutLayer";
}

TBox BoardBox(const TJson& board) {
  TBox box;
  for (const auto& primitive : board.value("primitives", TJson::array())) {
    if (IsKeepOut(primitive) && primitive.value("kind", "") == "track") {
      box.Add(primitive.value("x1", 0.0), primitive.value("y1", 0.0));
      box.Add(primitive.value("x2", 0.0), primitive.value("y2", 0.0));
    }
  }
  for (const auto& component : board.value("components", TJson::array())) {
    const TBox part = ComponentBox(component);
    box.Add(part.Left, part.Bottom);
    box.Add(part.Right, part.Top);
  }
  if (box.Empty()) {
    box.Add(0, 0);
  }
  if (box.Width() == 0 || box.Height() == 0) {
    box.Add(box.Left + 1, box.Bottom + 1);
  }
  return box;
}

// Maps board mils (Y up) into a panel's points (Y down).
struct TView {
  TBox Board;
  double Scale = 1;
  double OffsetX = 0;
  double OffsetY = 0;
  double X(double x) const { return OffsetX + (x - Board.Left) * Scale; }
  double Y(double y) const { return OffsetY + (Board.Top - y) * Scale; }
};

void DrawOutlineAndKeepOuts(cairo_t* cr, const TView& view, const TJson& board) {
  for (const auto& primitive : board.value("primitives", TJson::array())) {
    if (!IsKeepOut(primitive)) {
      continue;
    }
    const double x1 = view.X(primitive.value("x1", 0.0)), y1 = view.Y(primitive.value("y1", 0.0));
    const double x2 = view.X(primitive.value("x2", 0.0)), y2 = view.Y(primitive.value("y2", 0.0));
    if (primitive.value("kind", "") == "track") {
      cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
      cairo_set_line_width(cr, 1.5);
      cairo_move_to(cr, x1, y1);
      cairo_line_to(cr, x2, y2);
      cairo_stroke(cr);
    } else if (primitive.value("kind", "") == "fill") {
      cairo_rectangle(cr, std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1),
                      std::fabs(y2 - y1));
      cairo_set_source_rgba(cr, 0.85, 0.1, 0.1, 0.18);
      cairo_fill_preserve(cr);
      cairo_set_source_rgb(cr, 0.85, 0.1, 0.1);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
  }
}

struct TPoint {
  double X, Y;
};

// The shortest tree joining a net's pads (Prim's algorithm on Manhattan distances).
void DrawNetTree(cairo_t* cr, const TView& view, const std::vector<TPoint>& pads) {
  const size_t n = pads.size();
  std::vector<double> distance(n, std::numeric_limits<double>::max());
  std::vector<size_t> link(n, 0);
  std::vector<bool> joined(n, false);
  distance[0] = 0;
  for (size_t step = 0; step < n; ++step) {
    size_t next = n;
    for (size_t i = 0; i < n; ++i) {
      if (!joined[i] && (next == n || distance[i] < distance[next])) {
        next = i;
      }
    }
    joined[next] = true;
    if (step > 0) {
      cairo_move_to(cr, view.X(pads[link[next]].X), view.Y(pads[link[next]].Y));
      cairo_line_to(cr, view.X(pads[next].X), view.Y(pads[next].Y));
    }
    for (size_t i = 0; i < n; ++i) {
      const double d = std::fabs(pads[i].X - pads[next].X) + std::fabs(pads[i].Y - pads[next].Y);
      if (!joined[i] && d < distance[i]) {
        distance[i] = d;
        link[i] = next;
      }
    }
  }
}

void DrawConnections(cairo_t* cr, const TView& view, const TJson& board) {
  std::set<std::string> supply;
  const TJson placer = board.at("board").value("placer", TJson::object());
  for (const char* key : {"powerNets", "groundNets"}) {
    std::istringstream words(placer.value(key, ""));
    for (std::string word; words >> word;) {
      supply.insert(word);
    }
  }
  std::map<std::string, std::vector<TPoint>> nets;
  for (const auto& component : board.value("components", TJson::array())) {
    for (const auto& pad : component.value("pads", TJson::array())) {
      const std::string net = pad.value("net", "");
      if (!net.empty() && supply.count(net) == 0) {
        nets[net].push_back({pad.value("x", 0.0), pad.value("y", 0.0)});
      }
    }
  }
  cairo_set_source_rgba(cr, 0.1, 0.55, 0.1, 0.7);
  cairo_set_line_width(cr, 0.6);
  for (const auto& [name, pads] : nets) {
    if (pads.size() >= 2) {
      DrawNetTree(cr, view, pads);
    }
  }
  cairo_stroke(cr);
}

void DrawDesignator(cairo_t* cr, const TView& view, const TBox& box, const std::string& text) {
  const double width = box.Width() * view.Scale, height = box.Height() * view.Scale;
  const double size = std::clamp(std::min(width, height) * 0.5, 4.0, 12.0);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  const double cx = view.X((box.Left + box.Right) / 2), cy = view.Y((box.Bottom + box.Top) / 2);
  cairo_move_to(cr, cx - extents.width / 2 - extents.x_bearing,
                cy - extents.height / 2 - extents.y_bearing);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_show_text(cr, text.c_str());
}

// Top-side parts in blue, bottom-side parts in orange (drawn first, under the top side); a locked
// part has a thick dark border and a filled corner.
void DrawComponents(cairo_t* cr, const TView& view, const TJson& board) {
  for (const char* side : {"BottomLayer", "TopLayer"}) {
    const bool top = std::string(side) == "TopLayer";
    for (const auto& component : board.value("components", TJson::array())) {
      if (component.value("layer", "") != side) {
        continue;
      }
      const TBox box = ComponentBox(component);
      const double x = view.X(box.Left), y = view.Y(box.Top);
      const double w = box.Width() * view.Scale, h = box.Height() * view.Scale;
      cairo_rectangle(cr, x, y, w, h);
      if (top) {
        cairo_set_source_rgba(cr, 0.2, 0.4, 0.9, 0.25);
      } else {
        cairo_set_source_rgba(cr, 0.95, 0.55, 0.1, 0.25);
      }
      cairo_fill_preserve(cr);
      const bool locked = component.value("locked", false);
      if (locked) {
        cairo_set_source_rgb(cr, 0.15, 0.15, 0.15);
        cairo_set_line_width(cr, 2.0);
      } else if (top) {
        cairo_set_source_rgb(cr, 0.2, 0.35, 0.8);
        cairo_set_line_width(cr, 0.8);
      } else {
        cairo_set_source_rgb(cr, 0.85, 0.45, 0.05);
        cairo_set_line_width(cr, 0.8);
      }
      cairo_stroke(cr);
      if (locked) {
        const double corner = std::clamp(std::min(w, h) * 0.25, 2.0, 8.0);
        cairo_rectangle(cr, x, y, corner, corner);
        cairo_fill(cr);
      }
      DrawDesignator(cr, view, box, component.value("designator", ""));
    }
  }
}

void DrawPanel(cairo_t* cr, const TJson& board, const std::string& title, double left,
               double panelHeight) {
  TView view;
  view.Board = BoardBox(board);
  const double inner = PanelWidth - 2 * Margin;
  view.Scale = std::min(inner / view.Board.Width(),
                        (panelHeight - 2 * Margin - TitleHeight) / view.Board.Height());
  view.OffsetX = left + Margin;
  view.OffsetY = Margin + TitleHeight;
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_font_size(cr, 16);
  cairo_move_to(cr, left + Margin, Margin + 12);
  cairo_show_text(cr, title.c_str());
  DrawOutlineAndKeepOuts(cr, view, board);
  DrawComponents(cr, view, board);
  DrawConnections(cr, view, board);
}

// The panel height that shows the tallest board at the panel width.
double PanelHeight(const std::vector<TJson>& boards) {
  double ratio = 0.2;
  for (const TJson& board : boards) {
    const TBox box = BoardBox(board);
    ratio = std::max(ratio, box.Height() / box.Width());
  }
  return std::min(ratio, 3.0) * (PanelWidth - 2 * Margin) + 2 * Margin + TitleHeight;
}

// Cairo and the font configuration keep font caches for the life of the process; released at
// exit (registered on first use, after the sanitizers' handlers) so a leak check sees real leaks.
void ReleaseFontCachesAtExit() {
  static const bool registered = std::atexit([] {
                                   cairo_debug_reset_static_data();
                                   FcFini();
                                 }) == 0;
  (void)registered;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool SaveBoardPicture(const std::vector<TBoardPicture>& pictures, const std::string& file,
                      std::string& error) {
  std::vector<TJson> boards;
  try {
    for (const TBoardPicture& picture : pictures) {
      boards.push_back(TJson::parse(picture.BoardText));
      boards.back().at("board");
    }
  } catch (const std::exception& failure) {
    error = std::string("the board cannot be drawn: ") + failure.what();
    return false;
  }
  const double width = PanelWidth * static_cast<double>(boards.size());
  const double height = PanelHeight(boards);
  const bool png = EndsWith(file, ".png") || EndsWith(file, ".PNG");
  const std::string temporary = file + ".tmp";
  cairo_surface_t* surface =
      png ? cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(std::ceil(width)),
                                       static_cast<int>(std::ceil(height)))
          : cairo_svg_surface_create(temporary.c_str(), width, height);
  const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> owned(
      surface, cairo_surface_destroy);
  ReleaseFontCachesAtExit();
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  for (size_t i = 0; i < boards.size(); ++i) {
    DrawPanel(cr, boards[i], pictures[i].Title, PanelWidth * static_cast<double>(i), height);
  }
  cairo_destroy(cr);
  cairo_status_t status = cairo_surface_status(surface);
  if (status == CAIRO_STATUS_SUCCESS && png) {
    status = cairo_surface_write_to_png(surface, temporary.c_str());
  }
  cairo_surface_finish(surface);  // an SVG surface writes its file here
  if (status == CAIRO_STATUS_SUCCESS) {
    status = cairo_surface_status(surface);
  }
  if (status != CAIRO_STATUS_SUCCESS || std::rename(temporary.c_str(), file.c_str()) != 0) {
    error = status != CAIRO_STATUS_SUCCESS ? cairo_status_to_string(status) : "cannot rename";
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
