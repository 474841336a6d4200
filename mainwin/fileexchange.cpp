#include "mainwin/fileexchange.h"

#include <sys/stat.h>

#include <cstdint>

#include "codec/cp932.h"
#include "editorsettings/editorpropdat.h"
#include "mainwin/desktop.h"
#include "store/bytestream.h"
#include "store/datafolder.h"
#include "store/entries.h"
#include "store/errors.h"

namespace mainwin {

namespace {

void PutUint32(std::string& out, uint32_t v) {
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
}

uint32_t GetUint32(store::InputStream& in) {
  uint8_t b[4];
  in.Read(b, 4);
  return uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
}

[[noreturn]] void InvalidFormat() { throw store::StreamError(std::string(store::msg::kInvalidStreamFormat)); }

}  // namespace

// ---- group exchange file

std::string ExchangeHeader(std::string_view nameCp932, store::TColor colour) {
  std::string out;
  out.reserve(8 + nameCp932.size() + 1);
  PutUint32(out, static_cast<uint32_t>(nameCp932.size() + 1));
  out.append(nameCp932);
  out.push_back('\0');
  PutUint32(out, static_cast<uint32_t>(colour));
  return out;
}

ExchangeGroup ParseExchangeFile(std::string_view bytes) {
  store::MemoryInput in(bytes);
  const uint32_t length = GetUint32(in);
  // Without even the NUL there is no name to take: not a file this program wrote.
  if (length == 0) InvalidFormat();
  in.Require(length);
  ExchangeGroup g;
  std::string name;
  in.ReadInto(name, length);
  g.name = name.substr(0, name.find('\0'));
  g.colour = static_cast<store::TColor>(GetUint32(in));
  g.itemFile = std::string(bytes.substr(static_cast<size_t>(in.Position())));
  CheckItemFile(g.itemFile);
  return g;
}

ExchangeGroup ReadExchangeFile(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  try {
    return ParseExchangeFile(bytes);
  } catch (const store::StreamError& e) {
    throw store::StreamError(store::FileReadErrorMessage(path, e.what()));
  }
}

void CheckItemFile(std::string_view bytes) {
  store::DataFolder nowhere("");
  store::TRootComponent_Item scratch(nowhere, editorsettings::EditorSettingsFactory());
  std::vector<int> order;
  store::MemoryInput in(bytes);
  store::ReadListStream(in, scratch, *scratch.EditorSettings, order);
}

std::string ExchangeFilePath(std::string_view chosen) {
  const size_t slash = chosen.rfind('/');
  const size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  const size_t dot = chosen.rfind('.');
  std::string out(chosen);
  if (dot != std::string_view::npos && dot >= nameStart) out.resize(dot);
  return out + kExchangeExtension;
}

// ---- text files

std::string JoinLines(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const auto& l : lines) size += l.size() + 2;
  std::string out;
  out.reserve(size);
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

ItemTextFromFile TextForItem(std::string_view bytes) {
  const size_t ctrlZ = bytes.find('\x1A');
  if (ctrlZ != std::string_view::npos) bytes = bytes.substr(0, ctrlZ);
  static constexpr std::string_view kBom = "\xEF\xBB\xBF";
  const bool bom = bytes.substr(0, kBom.size()) == kBom;
  ItemTextFromFile r;
  if (bom || codec::LooksLikeUtf8(bytes)) {
    codec::Encoded e = codec::Utf8ToCp932(bytes.substr(bom ? kBom.size() : 0));
    r.text = std::move(e.bytes);
    r.replaced = e.replaced;
    r.fromUtf8 = true;
  } else {
    r.text = std::string(bytes);
  }
  return r;
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ReadFileBytes(const std::string& path) {
  const int fd = store::OpenForReading(path);
  if (fd < 0) throw store::StreamError(store::CannotOpenMessage(path));
  store::FileInput in(fd);
  std::string bytes;
  in.ReadInto(bytes, static_cast<size_t>(in.Remaining()));
  return bytes;
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
  store::AtomicFileOutput out(path);
  out.Write(bytes);
  out.Commit();
}

// ---- names

std::string FileNameOf(std::string_view path) {
  const size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

ItemNameFromFile ItemNameForFile(std::string_view path) {
  codec::Encoded e = codec::Utf8ToCp932(FileNameOf(path));
  return {std::move(e.bytes), e.replaced};
}

std::string FileNameForItem(std::string_view itemNameCp932) {
  std::string name = codec::Cp932ToUtf8(itemNameCp932);
  for (char& c : name)
    if (c == '/' || c == '\0') c = '_';
  return name;
}

bool IsShortcut(std::string_view path) {
  const std::string name = FileNameOf(path);
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext == ".lnk";
}

// ---- the outside editor

std::string OutsideEditorFile(const std::string& dataFolder) {
  std::string dir = dataFolder;
  while (!dir.empty() && dir.back() == '/') dir.pop_back();
  dir.erase(dir.find_last_of('/') + 1);  // "" when there is no "/": the data folder then
  return (!dir.empty() && FolderUsable(dir) ? dir : dataFolder) + kOutsideEditorFileName;
}

}  // namespace mainwin
