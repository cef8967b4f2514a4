// Saving a window's drawing on Windows, where there is no Cairo: SVG written as text, in the
// geometry of the Linux pictures (white background, one-pixel outlines inside rectangles, lines
// through pixel centres, text from its top-left corner). PNG is not offered.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "../../src/Latin1Text.h"
#include "platform_drawing.h"

namespace {

void SetError(std::string* error, std::string message) {
  if (error != nullptr) {
    *error = std::move(message);
  }
}

std::string ColorText(COLORREF color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(color), GetGValue(color),
                GetBValue(color));
  return text;
}

// Single-byte text (Latin-1) as UTF-8, escaped for XML.
std::string XmlText(const std::string& text) {
  std::string out;
  for (char c : platform::Latin1ToUtf8(text)) {
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else {
      out += c;
    }
  }
  return out;
}

void WriteRectangle(std::ostream& out, const PlatformPrimitive& p, bool outline) {
  const long left = std::min(p.Bounds.left, p.Bounds.right);
  const long top = std::min(p.Bounds.top, p.Bounds.bottom);
  const long width = std::labs(p.Bounds.right - p.Bounds.left);
  const long height = std::labs(p.Bounds.bottom - p.Bounds.top);
  if (width <= 0 || height <= 0) {
    return;
  }
  if (!outline || p.BrushSolid) {
    out << "<rect x=\"" << left << "\" y=\"" << top << "\" width=\"" << width << "\" height=\""
        << height << "\" fill=\"" << ColorText(p.BrushColor) << "\"/>\n";
  }
  if (outline) {
    out << "<rect x=\"" << left + 0.5 << "\" y=\"" << top + 0.5 << "\" width=\""
        << std::max(width - 1, 0L) << "\" height=\"" << std::max(height - 1, 0L)
        << "\" fill=\"none\" stroke=\"" << ColorText(p.PenColor) << "\"/>\n";
  }
}

void WritePrimitive(std::ostream& out, const PlatformPrimitive& p) {
  switch (p.Kind) {
    case PlatformPrimitiveKind::Rectangle:
      WriteRectangle(out, p, true);
      break;
    case PlatformPrimitiveKind::FillRect:
      WriteRectangle(out, p, false);
      break;
    case PlatformPrimitiveKind::Line:
      out << "<line x1=\"" << p.Bounds.left + 0.5 << "\" y1=\"" << p.Bounds.top + 0.5 << "\" x2=\""
          << p.Bounds.right + 0.5 << "\" y2=\"" << p.Bounds.bottom + 0.5 << "\" stroke=\""
          << ColorText(p.PenColor) << "\"/>\n";
      break;
    case PlatformPrimitiveKind::Text:
      if (!p.Text.empty() && p.FontHeight > 0) {
        out << "<text x=\"" << p.Bounds.left << "\" y=\"" << p.Bounds.top
            << "\" dominant-baseline=\"text-before-edge\" font-family=\"sans-serif\" font-size=\""
            << p.FontHeight << "\" fill=\"" << ColorText(p.PenColor) << "\">" << XmlText(p.Text)
            << "</text>\n";
      }
      break;
  }
}

}  // namespace

bool PlatformSaveDrawingSvg(HWND hwnd, const char* path, std::string* error) {
  const std::optional<PlatformDrawing> drawing = PlatformGetDrawing(hwnd);
  if (!drawing) {
    SetError(error, "the window has no drawing");
    return false;
  }
  std::ostringstream svg;
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << drawing->Width << "\" height=\""
      << drawing->Height << "\" viewBox=\"0 0 " << drawing->Width << " " << drawing->Height
      << "\" stroke-width=\"1\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  for (const PlatformPrimitive& primitive : drawing->Primitives) {
    WritePrimitive(svg, primitive);
  }
  svg << "</svg>\n";
  // Written beside the target and renamed over it only when complete.
  const std::string temporary = std::string(path) + ".tmp-" + std::to_string(GetCurrentProcessId());
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << svg.str();
    file.close();
    if (!file) {
      std::remove(temporary.c_str());
      SetError(error, std::string("cannot write ") + temporary);
      return false;
    }
  }
  if (MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING) == FALSE) {
    std::remove(temporary.c_str());
    SetError(error, std::string("cannot write ") + path);
    return false;
  }
  return true;
}

bool PlatformSaveDrawingPng(HWND /*hwnd*/, const char* /*path*/, std::string* error) {
  SetError(error, "PNG pictures are not available in the Windows build; save an SVG picture");
  return false;
}
