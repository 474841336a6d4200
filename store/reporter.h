// Where the store's message boxes go. The window installs one that shows them; tests record them.
#pragma once

#include <string>

namespace store {

class Reporter {
 public:
  virtual ~Reporter() = default;
  // A message box with an OK button; the text is UTF-8 and may hold "\r\n".
  virtual void ShowMessage(const std::string& text) = 0;
};

// The installed reporter; by default messages go to standard error.
Reporter& CurrentReporter();
// Installs a reporter (nullptr restores the default). The caller keeps ownership.
void SetReporter(Reporter* reporter);

inline void ShowMessage(const std::string& text) { CurrentReporter().ShowMessage(text); }

}  // namespace store
