#pragma once

#include <string>
#include <string_view>

// Small string and file-name helpers shared by the framework and the plug-in. Texts inside the
// plug-in are single-byte strings; the host interfaces carry wide strings (see WidenText /
// NarrowText).

// True for the characters that trimming removes: codes 0 to 32 (controls and the blank).
bool IsBlankOrControl(char c);

// `text` without the leading and trailing characters for which `trimmed` holds.
std::string_view TrimWhere(std::string_view text, bool (*trimmed)(char));

// `text` without leading and trailing characters of codes 0 to 32.
std::string_view TrimBlanks(std::string_view text);

// Equal ignoring the case of the ASCII letters a-z / A-Z; every other byte must be identical.
bool SameText(std::string_view a, std::string_view b);

// Identical, or equal by SameText once both are trimmed of codes 0 to 32 at both ends.
bool SameTextTrimmed(std::string_view a, std::string_view b);

// Replaces the extension of `fileName` (from the last "." after the last "\", "/" or ":") by
// `extension`, or appends `extension` when the name has none. `extension` includes its dot.
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);

// Single-byte text to the wide form used across the host interfaces: every byte becomes the code
// unit of the same value (0..255), so NarrowText(WidenText(s)) == s for every byte string.
std::wstring WidenText(std::string_view text);

// The inverse of WidenText: code units 0..255 become the byte of the same value; any other code
// unit, which a single byte cannot hold, becomes "?".
std::string NarrowText(std::wstring_view text);
