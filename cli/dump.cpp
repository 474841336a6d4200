// dump: any data-folder file, readably: the order header if present, then every record.
#include <cinttypes>
#include <cstdio>

#include "cli/cli.h"
#include "store/bytestream.h"
#include "store/colors.h"
#include "store/errors.h"
#include "store/stream.h"

namespace cli {
namespace {

std::string Quote(std::string_view cp932) {
  std::string text = ToTerminal(cp932);
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\x%02X", c);
          out += buf;
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  return out + "\"";
}

std::string Hex(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", c);
    out += buf;
  }
  return out;
}

void Indent(int depth) {
  for (int i = 0; i < depth; ++i) std::fputs("  ", stdout);
}

void PrintValue(const store::StreamValue& v, int depth);

void PrintProperties(const std::vector<store::StreamProperty>& props, int depth) {
  for (const auto& p : props) {
    Indent(depth);
    std::printf("%s: ", p.path.c_str());
    PrintValue(p.value, depth);
  }
}

void PrintValue(const store::StreamValue& v, int depth) {
  using namespace store;
  std::string kind(ValueTagName(v.tag));
  switch (v.tag) {
    case vtInt8:
    case vtInt16:
    case vtInt32:
    case vtInt64: std::printf("%s %" PRId64 "\n", kind.c_str(), v.integer); break;
    case vtString:
    case vtLString: std::printf("%s %s\n", kind.c_str(), Quote(v.bytes).c_str()); break;
    case vtIdent: std::printf("%s %s\n", kind.c_str(), v.bytes.c_str()); break;
    case vtFalse:
    case vtTrue:
    case vtNil:
    case vtNull: std::printf("%s\n", kind.c_str()); break;
    case vtSet: {
      std::string members;
      for (const auto& n : v.names) members += (members.empty() ? "" : ", ") + n;
      std::printf("%s [%s]\n", kind.c_str(), members.c_str());
      break;
    }
    case vtList:
      std::printf("%s (%zu)\n", kind.c_str(), v.list.size());
      for (size_t i = 0; i < v.list.size(); ++i) {
        Indent(depth + 1);
        std::printf("[%zu] ", i);
        PrintValue(v.list[i], depth + 1);
      }
      break;
    case vtCollection:
      std::printf("%s (%zu items)\n", kind.c_str(), v.items.size());
      for (size_t i = 0; i < v.items.size(); ++i) {
        Indent(depth + 1);
        std::printf("item %zu\n", i);
        PrintProperties(v.items[i], depth + 2);
      }
      break;
    default: std::printf("%s %s\n", kind.c_str(), Hex(v.bytes).c_str());
  }
}

void PrintRecord(const store::StreamRecord& r, int depth) {
  Indent(depth);
  std::printf("object %s %s\n", r.className.c_str(), Quote(r.objectName).c_str());
  PrintProperties(r.properties, depth + 1);
  for (const auto& c : r.children) PrintRecord(c, depth + 1);
}

int32_t Int32At(const std::string& bytes, size_t at) {
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
  return static_cast<int32_t>(u);
}

int RunDump(const std::vector<std::string>& args);
const Command kDump{"dump", "dump FILE",
                    "any data-folder file, readably: order header, then each record's class and properties "
                    "(path, value kind, value)",
                    RunDump};
SORAME_CLI_COMMAND(dump, kDump.name, kDump.usage, kDump.summary, kDump.run);

int RunDump(const std::vector<std::string>& args) {
  if (args.size() != 2) return UsageError(kDump, "expected FILE");
  std::string bytes, error;
  if (!ReadFile(args[1], bytes, error)) return Fail(kFailure, error);
  size_t start = 0;
  if (bytes.size() >= 4 && bytes.compare(0, 4, "TPF0") != 0) {
    // Group and item files begin with their order header.
    int32_t n = Int32At(bytes, 0);
    if (n < 0 || (static_cast<uint64_t>(n) * 4 + 4) > bytes.size())
      return Fail(kFailure, args[1] + ": neither a record nor an order header (count " + std::to_string(n) + ")");
    std::printf("order header: %d entries:", n);
    for (int32_t i = 0; i < n; ++i) std::printf(" %d", Int32At(bytes, 4 + static_cast<size_t>(i) * 4));
    std::printf("\n");
    start = 4 + static_cast<size_t>(n) * 4;
  }
  store::MemoryInput in(std::string_view(bytes).substr(start));
  int records = 0;
  try {
    while (in.Remaining() > 0) {
      store::StreamRecord r = store::ReadRecord(in);
      std::printf("record %d:\n", ++records);
      PrintRecord(r, 1);
    }
  } catch (const store::Error& e) {
    std::fflush(stdout);
    return Fail(kFailure, args[1] + ": at byte " + std::to_string(start + in.Position()) + ": " + e.what());
  }
  if (records == 0) return Fail(kFailure, args[1] + ": no record");
  return kOk;
}

}  // namespace
}  // namespace cli
