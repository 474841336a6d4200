// sorametext-cli: command registry and the helpers every command shares.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/datafolder.h"
#include "store/entries.h"
#include "store/folderlock.h"

namespace cli {

struct Command {
  const char* name;
  const char* usage;                                 // one line, after "sorametext-cli "
  const char* summary;                               // one line
  int (*run)(const std::vector<std::string>& args);  // args[0] is the command name
};

// Called from a static initializer in each command's file.
bool Register(const Command& command);
const std::vector<Command>& Commands();

// Exit codes.
inline constexpr int kOk = 0;
inline constexpr int kFailure = 1;  // I/O, damaged file, refused
inline constexpr int kUsage = 2;

// Prints "sorametext-cli: <message>" on stderr; returns `code`.
int Fail(int code, const std::string& message);
int UsageError(const Command& command, const std::string& message);

// Code page 932 text for a terminal: UTF-8.
std::string ToTerminal(std::string_view cp932);
// Text typed on the command line (UTF-8) as code page 932; false when some character cannot be held.
bool FromTerminal(std::string_view utf8, std::string& cp932);

bool ParseInt(const std::string& s, int& out);
bool ReadFile(const std::string& path, std::string& bytes, std::string& error);

// Prints "sorametext-cli: warning: <text>" on stderr, its line breaks as spaces.
void Warn(const std::string& text);

inline constexpr const char* kGroupFile = "group.bin";

// A data folder and its group list.
struct Folder {
  explicit Folder(const std::string& dir) : folder(dir), items(folder, nullptr), groups(folder, nullptr, items) {}
  store::DataFolder folder;
  store::TRootComponent_Item items;
  store::TRootComponent_Group groups;
};

// The folder at `dir` with its group list loaded, when there is one. The store's repair notices
// become warnings. Creates nothing; throws store::Error when there is no folder at `dir`.
std::unique_ptr<Folder> OpenFolder(const std::string& dir);

// For a command that writes: creates the folder when missing and takes its lock. False (with
// the one-line message printed and `code` set) when sorametext or another command is using the
// folder, or the folder cannot be created or locked. Reading commands take no lock.
bool LockForWriting(store::FolderLock& lock, int& code);

}  // namespace cli

#define SORAME_CLI_COMMAND(ident, ...) \
  static const bool ident##_registered = ::cli::Register(::cli::Command{__VA_ARGS__})
