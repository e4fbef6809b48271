// Shell link files (".lnk", and ".pif" as the shell writes them) made, changed and read through
// the shell's link object.
#pragma once

#include <string>

namespace talo {

// Link text fields and the icon path are read into buffers of this size: each is shorter.
inline constexpr int kLinkTextCapacity = 4096;

// COM is initialised per call. Fields left empty (or 0) are not set.
struct ShellLinkFields {
  std::string path;
  std::string arguments;
  std::string working_directory;
  std::string description;
  std::string icon_path;
  int icon_index = 0;
};
// A new link file; needs the file name and a target path.
bool CreateShellLink(const char* link_file, const ShellLinkFields& fields);
// Loads the link, sets the given fields (at least one) and saves it again.
bool ModifyShellLink(const char* link_file, const ShellLinkFields& fields);
// All text fields of a link; a link whose target path cannot be resolved reads an empty path.
// On failure every field is emptied.
bool ReadShellLink(const char* link_file, ShellLinkFields& fields);
// The description alone, which also tells that the link can be read; emptied on failure.
bool ReadShellLinkDescription(const char* link_file, std::string& description);

}  // namespace talo
