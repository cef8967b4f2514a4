// Renders a window's drawing with Cairo to an SVG or PNG file. The file is written under a
// temporary name beside the target and renamed over it only when complete.

#include <cairo-svg.h>
#include <cairo.h>
#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Latin1Text.h"
#include "PlatformState.h"

namespace {

// Larger pictures are refused for PNG rather than allocated (4 bytes per pixel).
constexpr int64_t MaxPngPixels = int64_t{64} * 1024 * 1024;
// Cairo's own limit on a surface's side.
constexpr int MaxSide = 32767;

void SetError(std::string* error, std::string message) {
  if (error != nullptr) {
    *error = std::move(message);
  }
}

std::string SystemError(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

void SetColor(cairo_t* cr, COLORREF color) {
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                       GetBValue(color) / 255.0);
}

struct Box {
  double X, Y, Width, Height;
};

// Windows' rectangles exclude the right and bottom edges; reversed corners are put in order.
Box BoxOf(const RECT& r) {
  double left = std::min(r.left, r.right);
  double top = std::min(r.top, r.bottom);
  double width = std::abs(static_cast<double>(r.right) - r.left);
  double height = std::abs(static_cast<double>(r.bottom) - r.top);
  return {left, top, width, height};
}

void DrawRectangle(cairo_t* cr, const PlatformPrimitive& p) {
  Box box = BoxOf(p.Bounds);
  if (box.Width <= 0 || box.Height <= 0) {
    return;
  }
  if (p.BrushSolid) {
    SetColor(cr, p.BrushColor);
    cairo_rectangle(cr, box.X, box.Y, box.Width, box.Height);
    cairo_fill(cr);
  }
  // A one-pixel outline along the inside of the rectangle.
  SetColor(cr, p.PenColor);
  cairo_rectangle(cr, box.X + 0.5, box.Y + 0.5, std::max(box.Width - 1, 0.0),
                  std::max(box.Height - 1, 0.0));
  cairo_stroke(cr);
}

void DrawFill(cairo_t* cr, const PlatformPrimitive& p) {
  Box box = BoxOf(p.Bounds);
  SetColor(cr, p.BrushColor);
  cairo_rectangle(cr, box.X, box.Y, box.Width, box.Height);
  cairo_fill(cr);
}

void DrawLine(cairo_t* cr, const PlatformPrimitive& p) {
  SetColor(cr, p.PenColor);
  cairo_move_to(cr, p.Bounds.left + 0.5, p.Bounds.top + 0.5);
  cairo_line_to(cr, p.Bounds.right + 0.5, p.Bounds.bottom + 0.5);
  cairo_stroke(cr);
}

// Cairo and the font configuration keep font caches for the life of the process; they are
// released at exit so that a leak check sees only real leaks. Registered on first use, which is
// after the sanitizers' own exit handlers, so it runs before their check.
void ReleaseFontCaches() {
  cairo_debug_reset_static_data();
  FcFini();
}

void DrawText(cairo_t* cr, const PlatformPrimitive& p) {
  if (p.Text.empty() || p.FontHeight <= 0) {
    return;
  }
  static const bool releaseRegistered = std::atexit(&ReleaseFontCaches) == 0;
  (void)releaseRegistered;
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, p.FontHeight);
  cairo_font_extents_t extents;
  cairo_font_extents(cr, &extents);
  SetColor(cr, p.PenColor);
  cairo_move_to(cr, p.Bounds.left, p.Bounds.top + extents.ascent);
  cairo_show_text(cr, platform::Latin1ToUtf8(p.Text).c_str());
  cairo_new_path(cr);
}

void Render(cairo_surface_t* surface, const PlatformDrawing& drawing) {
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_line_width(cr, 1);
  for (const auto& primitive : drawing.Primitives) {
    switch (primitive.Kind) {
      case PlatformPrimitiveKind::Rectangle:
        DrawRectangle(cr, primitive);
        break;
      case PlatformPrimitiveKind::FillRect:
        DrawFill(cr, primitive);
        break;
      case PlatformPrimitiveKind::Line:
        DrawLine(cr, primitive);
        break;
      case PlatformPrimitiveKind::Text:
        DrawText(cr, primitive);
        break;
    }
  }
  cairo_destroy(cr);
}

// The temporary file that becomes the target once everything was written.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string target) : target_(std::move(target)) {
    static std::atomic<unsigned> counter{0};
    path_ = target_ + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
    fd_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0) {
      error_ = SystemError("cannot create", path_);
    }
  }
  ~TemporaryFile() {
    if (fd_ >= 0) {
      close(fd_);
    }
    if (!committed_) {
      unlink(path_.c_str());
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }

  // Cairo's stream callback.
  static cairo_status_t Write(void* closure, const unsigned char* data, unsigned int length) {
    auto* file = static_cast<TemporaryFile*>(closure);
    while (length > 0 && file->Ok()) {
      ssize_t written = write(file->fd_, data, length);
      if (written < 0 && errno == EINTR) {
        continue;
      }
      if (written <= 0) {
        file->error_ = SystemError("cannot write", file->path_);
        break;
      }
      data += written;
      length -= static_cast<unsigned int>(written);
    }
    return file->Ok() ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
  }

  bool Commit() {
    if (!Ok()) {
      return false;
    }
    int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) {
      error_ = SystemError("cannot write", path_);
      return false;
    }
    if (rename(path_.c_str(), target_.c_str()) != 0) {
      error_ = SystemError("cannot rename the temporary file to", target_);
      return false;
    }
    committed_ = true;
    return true;
  }

 private:
  std::string target_;
  std::string path_;
  std::string error_;
  int fd_ = -1;
  bool committed_ = false;
};

// The window's drawing when it can be rendered, else an error.
std::optional<PlatformDrawing> DrawingToSave(HWND hwnd, const char* path, std::string* error) {
  if (path == nullptr || path[0] == '\0') {
    SetError(error, "no file name given");
    return std::nullopt;
  }
  if (platform::LookUpWindow(hwnd) == nullptr) {
    SetError(error, "no such window");
    return std::nullopt;
  }
  auto drawing = PlatformGetDrawing(hwnd);
  if (!drawing) {
    SetError(error, "the window has not been drawn");
    return std::nullopt;
  }
  if (drawing->Width <= 0 || drawing->Height <= 0 || drawing->Width > MaxSide ||
      drawing->Height > MaxSide) {
    SetError(error, "the window's size " + std::to_string(drawing->Width) + " x " +
                        std::to_string(drawing->Height) + " cannot be rendered");
    return std::nullopt;
  }
  return drawing;
}

bool Finish(cairo_surface_t* surface, cairo_status_t status, TemporaryFile& file,
            std::string* error) {
  if (status == CAIRO_STATUS_SUCCESS) {
    status = cairo_surface_status(surface);
  }
  cairo_surface_destroy(surface);
  if (!file.Ok() || status != CAIRO_STATUS_SUCCESS || !file.Commit()) {
    SetError(error, !file.Ok() ? file.Error() : cairo_status_to_string(status));
    return false;
  }
  return true;
}

}  // namespace

bool PlatformSaveDrawingSvg(HWND hwnd, const char* path, std::string* error) {
  auto drawing = DrawingToSave(hwnd, path, error);
  if (!drawing) {
    return false;
  }
  TemporaryFile file(path);
  if (!file.Ok()) {
    SetError(error, file.Error());
    return false;
  }
  cairo_surface_t* surface = cairo_svg_surface_create_for_stream(&TemporaryFile::Write, &file,
                                                                 drawing->Width, drawing->Height);
  Render(surface, *drawing);
  cairo_surface_finish(surface);  // writes the rest of the document
  return Finish(surface, CAIRO_STATUS_SUCCESS, file, error);
}

bool PlatformSaveDrawingPng(HWND hwnd, const char* path, std::string* error) {
  auto drawing = DrawingToSave(hwnd, path, error);
  if (!drawing) {
    return false;
  }
  if (int64_t{drawing->Width} * drawing->Height > MaxPngPixels) {
    SetError(error, "the drawing is too large for a PNG picture");
    return false;
  }
  TemporaryFile file(path);
  if (!file.Ok()) {
    SetError(error, file.Error());
    return false;
  }
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, drawing->Width, drawing->Height);
  Render(surface, *drawing);
  cairo_status_t status = cairo_surface_status(surface);
  if (status == CAIRO_STATUS_SUCCESS) {
    status = cairo_surface_write_to_png_stream(surface, &TemporaryFile::Write, &file);
  }
  return Finish(surface, status, file, error);
}
