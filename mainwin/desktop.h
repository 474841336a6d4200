// What the program asks of the Linux desktop without a toolkit: where its data folder is, and which
// icon the program that opens text files has.
#pragma once

#include <string>

namespace mainwin {

// Where the notes live: `named` when it is not empty (the user's --data-dir, or the environment's
// SORAMETEXT_DATA_DIR); else "UserData/" beside the executable where something of that name
// already exists (a portable copy, or data brought from another machine); else
// "$XDG_DATA_HOME/sorametext/UserData/" (XDG_DATA_HOME defaults to ~/.local/share). Only looks:
// nothing is created or moved. The result ends with "/". `xdgDataHome` and `home` are the
// environment's values (may be empty).
std::string ChooseDataFolder(const std::string& named, const std::string& executableDir, const std::string& xdgDataHome,
                             const std::string& home);

// Makes the chosen data folder ready: creates it (and its parents) when missing. Returns why it
// cannot be used (UTF-8, for the user), or an empty string. A symbolic link whose target is gone
// (a sync folder that is not mounted) is never replaced by a new folder.
std::string PrepareDataFolder(const std::string& folder);

// Whether `folder` exists or can be created, and a file can be created in it.
bool FolderUsable(const std::string& folder);

// The icon name of the desktop's default application for text/plain, from the mimeapps.list and
// .desktop files of the XDG directories; empty when none is found. `configHome`, `configDirs`,
// `dataHome` and `dataDirs` are the XDG variables' values (colon-separated lists for the *Dirs).
std::string DefaultTextEditorIcon(const std::string& configHome, const std::string& configDirs,
                                  const std::string& dataHome, const std::string& dataDirs);

}  // namespace mainwin
