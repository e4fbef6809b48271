// One reader of untrusted input as the fuzz program drives it, and the list of all of them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace talo::fuzz {

class FuzzReader {
 public:
  virtual ~FuzzReader() = default;
  // Valid inputs made by the program's own writers, to be damaged. False (with the reason on the
  // standard error) when the reader cannot run here.
  virtual bool MakeSeeds(std::vector<std::string>& seeds) = 0;
  // Reads one input; true when the reader accepted it, false when it refused it.
  virtual bool Read(const std::string& input) = 0;
  // The longest input worth making.
  virtual std::size_t MaxSize() const { return 16 * 1024; }
};

struct ReaderEntry {
  const char* name;
  std::unique_ptr<FuzzReader> (*make)();
};

// Every reader, in the order a whole run takes them.
const std::vector<ReaderEntry>& AllReaders();

// A scratch folder of the fuzz run (Windows path ending in '\'), and a whole-file writer for
// readers that only take a file name.
const std::string& ScratchFolder();
bool WriteInputFile(const std::string& path, const std::string& bytes);
std::string ReadWholeFile(const std::string& path);
// Removes the scratch folder with everything the readers left in it.
void RemoveScratchFolder();

std::unique_ptr<FuzzReader> MakeSystemDataReader();
std::unique_ptr<FuzzReader> MakeUserDataReader();
std::unique_ptr<FuzzReader> MakeGraphDataReader();
std::unique_ptr<FuzzReader> MakePictureReader();
std::unique_ptr<FuzzReader> MakeTitleReader();
std::unique_ptr<FuzzReader> MakeObjectBitmapReader();
std::unique_ptr<FuzzReader> MakeObjectMetafileReader();
std::unique_ptr<FuzzReader> MakeObjectFileListReader();
std::unique_ptr<FuzzReader> MakeObjectTextReader();
std::unique_ptr<FuzzReader> MakePreviewReader();
std::unique_ptr<FuzzReader> MakeClipboardRestoreReader();
std::unique_ptr<FuzzReader> MakeTextCopyReader();
std::unique_ptr<FuzzReader> MakeKeyboardProcReader();
std::unique_ptr<FuzzReader> MakeSettingsReader();
std::unique_ptr<FuzzReader> MakeCommandLineReader();
std::unique_ptr<FuzzReader> MakeShellLinkReader();
std::unique_ptr<FuzzReader> MakeInternetShortcutReader();
std::unique_ptr<FuzzReader> MakeShortcutPreviewReader();
std::unique_ptr<FuzzReader> MakeHookShortcutReader();
std::unique_ptr<FuzzReader> MakeFileListPasteReader();
std::unique_ptr<FuzzReader> MakeTextAssignmentReader();

}  // namespace talo::fuzz
