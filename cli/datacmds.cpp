// ls, cat, new-group, add-text, set-text: reading and extending a data folder.
#include <cstdio>

#include "cli/cli.h"
#include "codec/cp932.h"
#include "store/datafolder.h"
#include "store/entries.h"
#include "store/errors.h"
#include "store/settings.h"

namespace cli {
namespace {

bool GroupPosition(const Command& cmd, Folder& f, const std::string& arg, int& g, int& code) {
  if (!ParseInt(arg, g)) {
    code = UsageError(cmd, "not a group position: " + arg);
    return false;
  }
  if (g < 0 || g >= f.groups.Count()) {
    code = Fail(kFailure,
                "no group at position " + arg + " (the folder has " + std::to_string(f.groups.Count()) + " groups)");
    return false;
  }
  return true;
}

void LoadGroupItems(Folder& f, int g, store::TRootComponent_Item& items) {
  if (f.folder.Exists(f.groups.ItemFileName(g))) f.groups.LoadItems(g, &items);
}

// ---- ls

int RunLs(const std::vector<std::string>& args);
const Command kLs{"ls", "ls DATADIR [G]",
                  "the groups (position, NameID, item count, name), or the items of group G "
                  "(position, Line, text bytes, name)",
                  RunLs};
SORAME_CLI_COMMAND(ls, kLs.name, kLs.usage, kLs.summary, kLs.run);

int RunLs(const std::vector<std::string>& args) {
  if (args.size() < 2 || args.size() > 3) return UsageError(kLs, "expected DATADIR [G]");
  auto f = OpenFolder(args[1]);
  if (args.size() == 2) {
    for (int g = 0; g < f->groups.Count(); ++g) {
      store::TRootComponent_Item items(f->folder, nullptr);
      LoadGroupItems(*f, g, items);
      const auto& e = f->groups.EntryAt(g);
      std::printf("%d\t%08X\t%d\t%s\n", g, static_cast<uint32_t>(e.NameID), items.Count(), ToTerminal(e.Name).c_str());
    }
    return kOk;
  }
  int g = 0, code = 0;
  if (!GroupPosition(kLs, *f, args[2], g, code)) return code;
  store::TRootComponent_Item items(f->folder, nullptr);
  LoadGroupItems(*f, g, items);
  for (int i = 0; i < items.Count(); ++i) {
    const auto& item = items.ItemAt(i);
    std::printf("%d\t%d\t%zu\t%s\n", i, item.Line, item.ItemText.size(), ToTerminal(item.Name).c_str());
  }
  return kOk;
}

// ---- cat

int RunCat(const std::vector<std::string>& args);
const Command kCat{"cat", "cat DATADIR G I [--raw]",
                   "the text of item I of group G as UTF-8 (--raw: the stored code page 932 bytes)", RunCat};
SORAME_CLI_COMMAND(cat, kCat.name, kCat.usage, kCat.summary, kCat.run);

int RunCat(const std::vector<std::string>& args) {
  std::vector<std::string> pos;
  bool raw = false;
  for (size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "--raw") {
      raw = true;
    } else if (args[k].starts_with("--")) {
      return UsageError(kCat, "unknown option " + args[k]);
    } else {
      pos.push_back(args[k]);
    }
  }
  if (pos.size() != 3) return UsageError(kCat, "expected DATADIR G I");
  auto f = OpenFolder(pos[0]);
  int g = 0, i = 0, code = 0;
  if (!GroupPosition(kCat, *f, pos[1], g, code)) return code;
  if (!ParseInt(pos[2], i)) return UsageError(kCat, "not an item position: " + pos[2]);
  store::TRootComponent_Item items(f->folder, nullptr);
  LoadGroupItems(*f, g, items);
  if (i < 0 || i >= items.Count())
    return Fail(kFailure,
                "no item at position " + pos[2] + " (the group has " + std::to_string(items.Count()) + " items)");
  const std::string& text = items.ItemAt(i).ItemText;
  std::string out = raw ? text : ToTerminal(text);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::ferror(stdout) ? Fail(kFailure, "cannot write to standard output") : kOk;
}

// ---- new-group

int RunNewGroup(const std::vector<std::string>& args);
const Command kNewGroup{"new-group", "new-group DATADIR NAME",
                        "adds a group named NAME at the end of the group list; prints its position", RunNewGroup};
SORAME_CLI_COMMAND(new_group, kNewGroup.name, kNewGroup.usage, kNewGroup.summary, kNewGroup.run);

int RunNewGroup(const std::vector<std::string>& args) {
  if (args.size() != 3) return UsageError(kNewGroup, "expected DATADIR NAME");
  std::string name;
  if (!FromTerminal(args[2], name)) return Fail(kFailure, "the name holds characters Shift-JIS cannot hold");
  if (name.empty()) return Fail(kFailure, "the name is empty");
  int code = 0;
  store::FolderLock lock(args[1]);
  if (!LockForWriting(lock, code)) return code;
  auto f = OpenFolder(args[1]);
  // New entries take the list's default font colour, as in the window.
  store::TMainDataClass settings;
  settings.Load(f->folder);
  int s = f->groups.Add(f->groups.Count(), -1, 0, settings.GroupFontColor, name);
  if (s < 0) return Fail(kFailure, "the group list is damaged; nothing was added");
  f->groups.SaveToFile(kGroupFile);
  std::printf("%d\n", f->groups.DisplayIndexOf(s));
  return kOk;
}

// ---- add-text

int RunAddText(const std::vector<std::string>& args);
const Command kAddText{"add-text", "add-text DATADIR G FILE...",
                       "adds each FILE as an item of group G, named after the file (UTF-8 files are converted)",
                       RunAddText};
SORAME_CLI_COMMAND(add_text, kAddText.name, kAddText.usage, kAddText.summary, kAddText.run);

// Line ends become CR LF and a Ctrl-Z ends the text, as when the editor loads a file.
std::string AsItemText(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 32);
  for (size_t k = 0; k < bytes.size(); ++k) {
    char c = bytes[k];
    if (c == '\x1A') break;
    if (c == '\r') {
      out += "\r\n";
      if (k + 1 < bytes.size() && bytes[k + 1] == '\n') ++k;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

bool ItemTextOfFile(const std::string& path, std::string& text, int& code);

int RunAddText(const std::vector<std::string>& args) {
  if (args.size() < 4) return UsageError(kAddText, "expected DATADIR G FILE...");
  int code = 0;
  // Locked before anything is read, so nothing read can change before it is written back.
  store::FolderLock lock(args[1]);
  if (!LockForWriting(lock, code)) return code;
  auto f = OpenFolder(args[1]);
  int g = 0;
  if (!GroupPosition(kAddText, *f, args[2], g, code)) return code;
  // Read every file first, so that a missing one adds nothing.
  struct Entry {
    std::string name, text;
  };
  std::vector<Entry> entries;
  for (size_t k = 3; k < args.size(); ++k) {
    std::string text;
    if (!ItemTextOfFile(args[k], text, code)) return code;
    std::string base =
        args[k].substr(args[k].find_last_of('/') == std::string::npos ? 0 : args[k].find_last_of('/') + 1);
    std::string name;
    FromTerminal(base, name);
    entries.push_back({name, std::move(text)});
  }
  store::TMainDataClass settings;
  settings.Load(f->folder);
  store::TRootComponent_Item items(f->folder, nullptr);
  LoadGroupItems(*f, g, items);
  for (auto& e : entries) {
    int s = items.Add(items.Count(), -1, 0, settings.ItemFontColor, e.name);
    if (s < 0) return Fail(kFailure, "the item list is damaged; nothing was added");
    static_cast<store::TItemsCollectionItem&>(*items.Collection[static_cast<size_t>(s)]).ItemText = std::move(e.text);
    std::printf("%d\n", items.DisplayIndexOf(s));
  }
  f->groups.SaveItems(g, &items);
  return kOk;
}

// A file's text as an item holds it: UTF-8 converted (with a warning for what became "?"), line
// ends CR LF.
bool ItemTextOfFile(const std::string& path, std::string& text, int& code) {
  std::string bytes, error;
  if (!ReadFile(path, bytes, error)) {
    code = Fail(kFailure, error);
    return false;
  }
  if (codec::LooksLikeUtf8(bytes)) {
    codec::Encoded e = codec::Utf8ToCp932(bytes);
    if (e.replaced > 0)
      std::fprintf(stderr, "sorametext-cli: warning: %s: %d characters Shift-JIS cannot hold became \"?\"\n",
                   path.c_str(), e.replaced);
    bytes = std::move(e.bytes);
  }
  text = AsItemText(bytes);
  return true;
}

// ---- set-text

int RunSetText(const std::vector<std::string>& args);
const Command kSetText{"set-text", "set-text DATADIR G I FILE",
                       "replaces the text of item I of group G by FILE's (read as add-text reads it)", RunSetText};
SORAME_CLI_COMMAND(set_text, kSetText.name, kSetText.usage, kSetText.summary, kSetText.run);

int RunSetText(const std::vector<std::string>& args) {
  if (args.size() != 5) return UsageError(kSetText, "expected DATADIR G I FILE");
  int code = 0;
  store::FolderLock lock(args[1]);
  if (!LockForWriting(lock, code)) return code;
  auto f = OpenFolder(args[1]);
  int g = 0, i = 0;
  if (!GroupPosition(kSetText, *f, args[2], g, code)) return code;
  if (!ParseInt(args[3], i)) return UsageError(kSetText, "not an item position: " + args[3]);
  std::string text;
  if (!ItemTextOfFile(args[4], text, code)) return code;
  store::TRootComponent_Item items(f->folder, nullptr);
  LoadGroupItems(*f, g, items);
  if (i < 0 || i >= items.Count())
    return Fail(kFailure,
                "no item at position " + args[3] + " (the group has " + std::to_string(items.Count()) + " items)");
  items.ItemAt(i).ItemText = std::move(text);
  f->groups.SaveItems(g, &items);
  return kOk;
}

}  // namespace
}  // namespace cli
