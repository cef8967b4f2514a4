#include "PlacerSidecar.h"

#include <filesystem>

#include "BoardFile.h"
#include "BoardSettingsJson.h"
#include "FileAccess.h"
#include "StrictJson.h"

namespace Tarnix {

namespace {

constexpr const char* SidecarFormat = "placer-options";
constexpr int SidecarVersion = 1;

}  // namespace

std::string SidecarFileName(const std::string& boardFileName) {
  std::filesystem::path path(boardFileName);
  path.replace_extension(".placer.json");
  return path.string();
}

std::optional<TBoardSettings> ReadSidecar(const std::string& boardFileName) {
  const std::string name = SidecarFileName(boardFileName);
  std::error_code error;
  if (!std::filesystem::exists(name, error))
    return std::nullopt;
  const std::string text = ReadFileText(name);
  const BoardJson::TJson root = ParseStrictJson(text, name);
  const bool known = root.is_object() && root.size() == 3 && root.contains("board") &&
                     root.value("format", "") == SidecarFormat && root.contains("version") &&
                     root["version"] == SidecarVersion;
  if (!known)
    throw EBoardFile(name + ": expected {\"format\": \"" + SidecarFormat +
                     "\", \"version\": 1, \"board\": {...}}");
  return ReadBoardSettingsJson(root["board"], name, "board");
}

std::string SidecarText(const TBoardSettings& settings) {
  BoardJson::TJson root = BoardJson::TJson::object();
  root["format"] = SidecarFormat;
  root["version"] = SidecarVersion;
  root["board"] = BoardSettingsJson(settings);
  return BoardJson::Layout(root);
}

void WriteSidecar(const std::string& boardFileName, const TBoardSettings& settings) {
  WriteFileAtomically(SidecarFileName(boardFileName), SidecarText(settings));
}

}  // namespace Tarnix
