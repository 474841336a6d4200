// search: finds a text in every item (or in group and item names) of a data folder, grep-style.
#include <cstdio>

#include "cli/cli.h"
#include "search/itemsearch.h"
#include "store/errors.h"

namespace cli {
namespace {

// One hit is one line: line breaks and tabs inside a field would break the columns.
std::string Field(std::string_view cp932) {
  std::string s = ToTerminal(cp932);
  for (char& c : s)
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  return s;
}

constexpr const char* kHelp =
    "usage: sorametext-cli search DATADIR PATTERN [--match-case] [--whole-word] [--ignore-width]\n"
    "                             [--ignore-breaks-spaces] [--names] [--]\n"
    "\n"
    "Searches the texts of all items of all groups, in group-list order, and prints one line per\n"
    "hit, tab-separated:\n"
    "  group position, item position, byte offset of the match, group name, item name, and up to\n"
    "  120 bytes of the text from the match (cut before a double-byte character that would not fit).\n"
    "Positions are display positions counted from 0; the byte offset counts Shift-JIS bytes. Text\n"
    "and names are printed as UTF-8, with every CR, LF and TAB shown as a space, so a hit is always\n"
    "one line. The search resumes after each match, so overlapping occurrences count once.\n"
    "\n"
    "  --match-case            letters compare case-sensitively\n"
    "  --whole-word            the match must be a whole word\n"
    "  --ignore-width          full-width and half-width forms compare equal\n"
    "  --ignore-breaks-spaces  line breaks, tabs and spaces inside the text may be skipped\n"
    "  --names                 search group and item names instead; a matching group prints\n"
    "                          item position 0 (-1 when it has no items), offset -1 and the item\n"
    "                          name \"*** （グループ名一致） ***\"; a matching item prints offset 0\n"
    "                          and the first 120 bytes of its text\n"
    "  --                      ends the options, for a PATTERN that begins with \"--\"\n"
    "\n"
    "PATTERN is UTF-8 and must be expressible in Shift-JIS (code page 932).\n"
    "A group whose item file cannot be read is reported on stderr and skipped; the other groups\n"
    "are still searched. Exit status: 0 when something was found and every file was read, 1 when\n"
    "nothing was found or some file could not be read, 2 for a usage error.\n";

int RunSearch(const std::vector<std::string>& args);
const Command kSearch{"search",
                      "search DATADIR PATTERN [--match-case] [--whole-word] [--ignore-width] "
                      "[--ignore-breaks-spaces] [--names]",
                      "one tab-separated line per hit in all item texts (or names): group, item, byte offset, "
                      "group name, item name, text; exit 1 when nothing is found (search --help for more)",
                      RunSearch};
SORAME_CLI_COMMAND(search, kSearch.name, kSearch.usage, kSearch.summary, kSearch.run);

int RunSearch(const std::vector<std::string>& args) {
  std::vector<std::string> pos;
  search::TSearchOptions options = search::soForward;
  search::SearchScope scope = search::SearchScope::Texts;
  bool optionsEnded = false;
  for (std::size_t k = 1; k < args.size(); ++k) {
    const std::string& a = args[k];
    if (optionsEnded || !a.starts_with("--")) {
      pos.push_back(a);
    } else if (a == "--") {
      optionsEnded = true;
    } else if (a == "--help") {
      std::fputs(kHelp, stdout);
      return kOk;
    } else if (a == "--match-case") {
      options |= search::soMatchCase;
    } else if (a == "--whole-word") {
      options |= search::soWholeWord;
    } else if (a == "--ignore-width") {
      options |= search::soIgnoreWidth;
    } else if (a == "--ignore-breaks-spaces") {
      options |= search::soIgnoreLineBreaks | search::soIgnoreSpaces;
    } else if (a == "--names") {
      scope = search::SearchScope::Names;
    } else {
      return UsageError(kSearch, "unknown option " + a);
    }
  }
  if (pos.size() != 2) return UsageError(kSearch, "expected DATADIR PATTERN");
  std::string pattern;
  if (!FromTerminal(pos[1], pattern))
    return UsageError(kSearch, "the pattern holds characters Shift-JIS cannot hold (or is not UTF-8)");
  if (pattern.empty()) return UsageError(kSearch, "the pattern is empty");

  auto f = OpenFolder(pos[0]);
  bool unreadable = false;
  int total = search::SearchAllGroups(
      f->groups, scope, pattern, options,
      [](int, const std::vector<search::SearchHit>& hits) {
        for (const auto& h : hits) {
          std::printf("%d\t%d\t%d\t%s\t%s\t%s\n", h.GroupIndex, h.ItemIndex, h.Position, Field(h.GroupName).c_str(),
                      Field(h.ItemName).c_str(), Field(h.Text).c_str());
        }
      },
      [&](int g, const store::Error& e) {
        unreadable = true;
        std::fflush(stdout);  // keep the report after the hits printed so far
        Warn("group " + std::to_string(g) + " (" + Field(f->groups.EntryAt(g).Name) + ") skipped: " + e.what());
        return true;
      });
  std::fflush(stdout);
  if (std::ferror(stdout)) return Fail(kFailure, "cannot write to standard output");
  return total > 0 && !unreadable ? kOk : kFailure;
}

}  // namespace
}  // namespace cli
