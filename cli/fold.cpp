// sorametext-cli fold: cuts text into rows exactly as the editor wraps it, one row per line.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "codec/cp932.h"
#include "editor/wrap.h"
#include "editor/wrapoption.h"

namespace {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageLine =
    "fold [--width N] [--word-break] [--hang-punctuation] [--kinsoku] [--no-empty-row] [--tab N] [FILE]";

void PrintHelp() {
  std::printf(
      "usage: sorametext-cli %s\n\n"
      "Folds text into rows exactly as the editor's word wrap cuts it, and writes one row per line.\n"
      "FILE is code page 932 text, or UTF-8 (then the output is UTF-8 too); without FILE, or with -,\n"
      "the text is read from standard input.\n\n"
      "  --width N           row width in display columns, 20 to 250 (default 80)\n"
      "  --word-break        keep English words whole\n"
      "  --hang-punctuation  let 、。，．,.｡､ hang up to two columns past the width\n"
      "  --kinsoku           no opening bracket at a row end, no closing punctuation at a row start\n"
      "  --no-empty-row      a line that fills its last row exactly gets no empty row after it\n"
      "  --tab N             tab width, 2 to 8; odd widths round down as in the editor (default 8)\n\n"
      "Double-byte characters take two columns and are never split. Every row ends with the input's\n"
      "line end (CR LF when the input's first line break is CR LF, else LF); the last row gets none\n"
      "when the input does not end with a line break.\n",
      kUsageLine);
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "sorametext-cli fold: %s\nusage: sorametext-cli %s\n", message.c_str(), kUsageLine);
  return kUsage;
}

int IoError(const std::string& message) {
  std::fprintf(stderr, "sorametext-cli fold: %s\n", message.c_str());
  return kFailure;
}

bool ParseNumber(const char* s, int& out) {
  if (s == nullptr || *s == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(s, &end, 10);
  if (errno != 0 || *end != '\0' || v < -1000000 || v > 1000000) return false;
  out = static_cast<int>(v);
  return true;
}

bool ReadAll(std::FILE* f, std::string& out) {
  char buf[65536];
  for (;;) {
    const size_t got = std::fread(buf, 1, sizeof buf, f);
    out.append(buf, got);
    if (got < sizeof buf) return !std::ferror(f);
  }
}

}  // namespace

int RunFold(int argc, char** argv) {
  editor::TEditorWrapOption option;
  int width = editor::TEditorWrapOption::kDefaultWrapByte;
  int tab = 8;
  const char* file = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--help" || a == "-h") {
      PrintHelp();
      return kOk;
    } else if (a == "--width" || a == "--tab") {
      int v = 0;
      if (i + 1 >= argc) return UsageError(std::string(a) + " needs a number");
      if (!ParseNumber(argv[++i], v)) return UsageError(std::string(a) + ": not a number: " + argv[i]);
      if (a == "--width") {
        if (v < editor::TEditorWrapOption::kMinWrapByte || v > editor::TEditorWrapOption::kMaxWrapByte)
          return UsageError("--width must be 20 to 250, not " + std::to_string(v));
        width = v;
      } else {
        if (v < 2 || v > 8) return UsageError("--tab must be 2 to 8, not " + std::to_string(v));
        tab = v & ~1;  // the editor's tab widths are even
      }
    } else if (a == "--word-break") {
      option.SetWordBreak(true);
    } else if (a == "--hang-punctuation") {
      option.SetFollowPunctuation(true);
    } else if (a == "--kinsoku") {
      option.SetLeading(true);
    } else if (a == "--no-empty-row") {
      option.SetFollowRetMark(true);
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      return UsageError("unknown option " + std::string(a));
    } else if (file != nullptr) {
      return UsageError("only one FILE can be folded");
    } else {
      file = argv[i];
    }
  }
  option.SetWrapByte(width);

  std::string input;
  if (file == nullptr || std::string_view(file) == "-") {
    if (!ReadAll(stdin, input)) return IoError(std::string("cannot read standard input: ") + std::strerror(errno));
  } else {
    std::FILE* f = std::fopen(file, "rb");
    if (f == nullptr) return IoError(std::string("cannot open ") + file + ": " + std::strerror(errno));
    const bool ok = ReadAll(f, input);
    const int err = errno;
    std::fclose(f);
    if (!ok) return IoError(std::string("cannot read ") + file + ": " + std::strerror(err));
  }

  // UTF-8 is folded as code page 932 (the editor's columns) and written back as UTF-8.
  static constexpr std::string_view kBom = "\xEF\xBB\xBF";
  const bool bom = std::string_view(input).substr(0, 3) == kBom;
  const bool utf8 = bom || codec::LooksLikeUtf8(input);
  std::string text;
  if (utf8) {
    codec::Encoded e = codec::Utf8ToCp932(std::string_view(input).substr(bom ? 3 : 0));
    if (e.replaced > 0) {
      std::fprintf(stderr, "sorametext-cli fold: %d character%s that code page 932 cannot hold became \"?\"\n",
                   e.replaced, e.replaced == 1 ? "" : "s");
    }
    text = std::move(e.bytes);
  } else {
    text = std::move(input);
  }

  const size_t first_break = text.find_first_of("\r\n");
  const bool crlf = first_break != std::string::npos && text.compare(first_break, 2, "\r\n") == 0;
  const std::string_view eol = crlf ? "\r\n" : "\n";
  const bool final_break = !text.empty() && (text.back() == '\n' || text.back() == '\r');

  editor::WrapEngine engine(editor::WrapRules::From(option, /*word_wrap=*/true, tab));
  std::string out;
  out.reserve(text.size() + text.size() / static_cast<size_t>(width) * eol.size() + 16);
  if (bom) out.append(kBom);
  std::vector<editor::RowCut> cuts;
  if (!text.empty()) {
    editor::ForEachRawLine(text, [&](std::string_view line) {
      cuts.clear();
      engine.CutLine(line, cuts);
      for (const editor::RowCut& c : cuts) {
        const std::string_view row = line.substr(c.offset, c.length);
        if (utf8) {
          out.append(codec::Cp932ToUtf8(row));
        } else {
          out.append(row);
        }
        out.append(eol);
      }
    });
    if (!final_break) out.resize(out.size() - eol.size());
  }

  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
    return IoError(std::string("cannot write standard output: ") + std::strerror(errno));
  return kOk;
}
