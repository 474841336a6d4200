// What the program asks of the Linux desktop without a toolkit: where its data folder is, and which
// icon the program that opens text files has.
#pragma once

#include <string>

namespace mainwin {

// "UserData/" beside the executable when it exists or can be created, and can be written;
// otherwise "$XDG_DATA_HOME/sorametext/UserData/" (XDG_DATA_HOME defaults to ~/.local/share).
// Both end with "/". `xdgDataHome` and `home` are the environment's values (may be empty).
std::string ChooseDataFolder(const std::string& executableDir, const std::string& xdgDataHome, const std::string& home);

// Whether `folder` exists or can be created, and a file can be created in it.
bool FolderUsable(const std::string& folder);

// The icon name of the desktop's default application for text/plain, from the mimeapps.list and
// .desktop files of the XDG directories; empty when none is found. `configHome`, `configDirs`,
// `dataHome` and `dataDirs` are the XDG variables' values (colon-separated lists for the *Dirs).
std::string DefaultTextEditorIcon(const std::string& configHome, const std::string& configDirs,
                                  const std::string& dataHome, const std::string& dataDirs);

}  // namespace mainwin
