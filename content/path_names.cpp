// The parts of a path: name, title, extension, and a folder with its trailing backslash.
#include "content/path_names.h"

#include "data/folder_path.h"

namespace talo {
namespace {

std::string TrimmedText(const std::string& text) {
  const char* start = nullptr;
  const int length = TrimmedRange(text.c_str(), &start);
  return std::string(start, length);
}

}  // namespace

std::string FileNamePart(const char* path) {
  if (!path) return std::string();
  std::string name = path;
  // Without a separator, npos + 1 wraps to 0 and nothing is erased.
  name.erase(0, name.find_last_of('\\') + 1);
  name.erase(0, name.find_last_of(':') + 1);
  return TrimmedText(name);
}

std::string FileTitle(const char* path) {
  const std::string name = FileNamePart(path);
  const std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : TrimmedText(name.substr(0, dot));
}

std::string FileExtension(const char* path) {
  const std::string name = FileNamePart(path);
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return std::string();
  const std::string extension = TrimmedText(name.substr(dot + 1));
  return extension.empty() ? std::string() : "." + extension;
}

std::string AddTrailingBackslash(const char* folder, bool keep_empty) {
  const int length = TrimmedRange(folder, nullptr);
  if (length == 0 && keep_empty) return std::string();
  std::string result(length + 2, '\0');
  result.resize(NormaliseFolderPath(result.data(), length + 2, folder));
  return result;
}

}  // namespace talo
