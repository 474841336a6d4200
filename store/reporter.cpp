#include "store/reporter.h"

#include <cstdio>

namespace store {

namespace {
class StderrReporter final : public Reporter {
 public:
  void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

StderrReporter g_default;
Reporter* g_current = &g_default;
}  // namespace

Reporter& CurrentReporter() { return *g_current; }
void SetReporter(Reporter* reporter) { g_current = reporter ? reporter : &g_default; }

}  // namespace store
