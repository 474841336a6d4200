// The formats of the file commands: the group exchange file (".sted"), text files written from
// items and read in as items, the names that pass between items and files, and where the copy for
// the outside editor goes. File paths are the platform's bytes (UTF-8 on Linux); texts and names of
// entries are code page 932.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/colors.h"

namespace mainwin {

// ---- group exchange file
// L (32 bits, little-endian: the name's length + 1), the name and its NUL, the name colour
// (32 bits), then the group's item file byte for byte. The name's font style is not kept.
inline constexpr const char* kExchangeExtension = ".sted";

std::string ExchangeHeader(std::string_view nameCp932, store::TColor colour);

struct ExchangeGroup {
  std::string name;  // code page 932
  store::TColor colour = 0;
  std::string itemFile;  // the item file's bytes
};

// Reads and checks a whole exchange file before anything is made of it. A file too short for its
// header, an L of 0, or a rest that is not a readable item file throws store::StreamError with the
// reader's message. The name is the bytes before the first NUL of the L name bytes.
ExchangeGroup ParseExchangeFile(std::string_view bytes);

// Reads and checks the exchange file at `path`; errors name the file.
ExchangeGroup ReadExchangeFile(const std::string& path);

// Throws the reader's store::StreamError unless `bytes` read whole as an item file (order header,
// the items record, the group's editor settings record).
void CheckItemFile(std::string_view bytes);

// The chosen export file with its extension replaced by ".sted" (added when it has none).
std::string ExchangeFilePath(std::string_view chosen);

// ---- text files
// Every line followed by CR LF: the editor's lines, or the texts of a group's items.
std::string JoinLines(const std::vector<std::string>& lines);

// A file's bytes as an item text. Like the editor's loading, a Ctrl-Z ends the text. UTF-8 text
// (a byte-order mark, or valid UTF-8 with a multi-byte character) is converted to code page 932;
// `replaced` counts the characters code page 932 cannot hold, which became "?". Anything else is
// taken as code page 932 bytes, unchanged.
struct ItemTextFromFile {
  std::string text;
  int replaced = 0;
  bool fromUtf8 = false;
};
ItemTextFromFile TextForItem(std::string_view fileBytes);

// A regular file (or a link to one): folders, devices and missing paths are not.
bool IsFile(const std::string& path);
// The whole file; throws store::StreamError ("ファイル %s は開けません" or the read error).
std::string ReadFileBytes(const std::string& path);
// Replaces the file atomically; throws store::StreamError.
void WriteFileBytes(const std::string& path, std::string_view bytes);

// ---- names
// The last component of a path.
std::string FileNameOf(std::string_view path);
// The item name a file gets: its name with extension, converted to code page 932; `replaced`
// counts the characters that became "?".
struct ItemNameFromFile {
  std::string name;
  int replaced = 0;
};
ItemNameFromFile ItemNameForFile(std::string_view path);
// The file name offered for an item (UTF-8). A "/" would name a folder; it becomes "_".
std::string FileNameForItem(std::string_view itemNameCp932);
// A shortcut among dropped files: the extension ".lnk" in any case.
bool IsShortcut(std::string_view path);

// ---- the outside editor
inline constexpr const char* kOutsideEditorFileName = "$temp.txt";
// "$temp.txt" in the folder that holds the data folder: beside the executable for a portable
// copy, ~/.local/share/sorametext/ otherwise, so an installed program never writes beside
// itself. A folder the user cannot write gives the data folder instead. `dataFolder` ends
// with "/".
std::string OutsideEditorFile(const std::string& dataFolder);

}  // namespace mainwin
