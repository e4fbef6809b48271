// TBinaryData: a view that holds a data file with the common 1024-byte header, and its header
// template.
#include "data/binary_data.h"

#include <cstddef>
#include <cstring>

#include "base/text.h"
#include "data/file_version.h"

namespace talo {
namespace {

constexpr char kMagic[8] = {'Q', 'V', 'D', 'F', 0, 0, 0, 0};
constexpr char kProgramTag[8] = {'T', 'A', 'L', 'O', 'W', 'I', 'C', 'K'};
constexpr char kCompanyText[] = "Quintavel Software";
constexpr char kProductText[] = "Quintavel Tallowick";
constexpr char kVersionPrefix[] = "Version ";
// "Version " and the version text together stay within 47 characters.
constexpr int kVersionFieldVersionChars = 39;
// The texts of the version resource are read with room for 511 characters.
constexpr int kVersionResourceTextCapacity = 512;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads until `count` bytes have arrived; false when the file ends or a read fails first.
bool ReadExactly(HANDLE file, unsigned char* target, int count) {
  while (count > 0) {
    DWORD arrived = 0;
    if (!ReadFile(file, target, static_cast<DWORD>(count), &arrived, nullptr) || arrived == 0)
      return false;
    target += arrived;
    count -= static_cast<int>(arrived);
  }
  return true;
}

}  // namespace

int ParseProductVersion(const char* text, unsigned short (&numbers)[4]) {
  for (unsigned short& number : numbers) number = 0;
  if (!text) return 0;
  int found = 0;
  for (const char* at = text; *at && found < 4;) {
    if (!IsDigit(*at)) {
      ++at;
      continue;
    }
    bool negative = at > text && at[-1] == '-';
    // Reducing at every step gives the value modulo 65536 without ever overflowing.
    unsigned int value = 0;
    for (; IsDigit(*at); ++at) value = (value * 10 + static_cast<unsigned int>(*at - '0')) & 0xFFFF;
    numbers[found++] = static_cast<unsigned short>(negative ? (0x10000 - value) & 0xFFFF : value);
  }
  return found;
}

void FillHeaderTemplate(DataHeaderTemplate& header, const DataFileKind& kind,
                        const char* product_version, const char* legal_notice) {
  std::memset(&header, 0, sizeof header);
  std::memcpy(header.magic, kMagic, sizeof kMagic);
  std::memcpy(header.program_tag, kProgramTag, sizeof kProgramTag);
  int kind_length = BoundedLength(kind.kind_tag, sizeof header.kind_tag);
  std::memcpy(header.kind_tag + sizeof header.kind_tag - kind_length, kind.kind_tag, kind_length);
  ParseProductVersion(product_version, header.version);

  CopyText(header.company, kHeaderTextSize, kCompanyText);
  CopyText(header.product, kHeaderTextSize, kProductText);
  CopyText(header.version_text, kHeaderTextSize, kVersionPrefix);
  AppendText(header.version_text, kHeaderTextSize, product_version, kVersionFieldVersionChars);
  CopyText(header.legal_notice, kHeaderTextSize, legal_notice);
  CopyText(header.description, kHeaderTextSize, kind.description_prefix);
  AppendText(header.description, kHeaderTextSize, product_version, kind.version_text_limit);
}

bool ProgramHeaderTemplate(DataHeaderTemplate& header, const DataFileKind& kind) {
  std::memset(&header, 0, sizeof header);
  char program[kPathCapacity];
  DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  if (length == 0 || length >= sizeof program) return false;

  char product_version[kVersionResourceTextCapacity];
  char legal_notice[kVersionResourceTextCapacity];
  int product_version_length = 0;
  int legal_notice_length = 0;
  VersionStringRequest requests[kVersionStringCount] = {};
  requests[kProductVersion] = {product_version, sizeof product_version, &product_version_length};
  requests[kLegalCopyright] = {legal_notice, sizeof legal_notice, &legal_notice_length};
  if (!GetFileVersionStrings(program, requests)) return false;

  FillHeaderTemplate(header, kind, product_version, legal_notice);
  return true;
}

bool TBinaryData::CreateWithHeader(const char* name, int size, const DataHeaderTemplate* header) {
  // Checked before anything is created: a block no larger than the header has no body, and one
  // smaller would be overrun by the header.
  if (!header || size <= kDataHeaderSize) {
    Close();
    return false;
  }
  if (!Create(name, size)) return false;
  unsigned char* bytes = View();
  std::memset(bytes, 0, kDataHeaderSize);
  std::memcpy(bytes, header, kHeaderIdentityAndVersionSize);
  const char* texts[] = {header->company, header->product, header->version_text,
                         header->legal_notice, header->description};
  int offset = offsetof(DataHeaderTemplate, company);
  for (const char* text : texts) {
    // A template text that fills its whole field is cut so that the header's copy is terminated.
    CopyText(reinterpret_cast<char*>(bytes + offset), kHeaderTextSize, text, kHeaderTextSize - 1);
    offset += kHeaderTextSize;
  }
  return ClearBody();
}

bool TBinaryData::ClearBody() {
  if (!View() || Size() <= kDataHeaderSize) return false;
  std::memset(View() + kDataHeaderSize, 0, Size() - kDataHeaderSize);
  return true;
}

bool TBinaryData::Load(const char* path, bool check_header, bool identity_only) {
  if (!View() || !path || !path[0]) return false;
  FileHandle file(
      CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;

  int offset = 0;
  if (check_header && Size() >= kDataHeaderSize) {
    // The file's header reaches the view only once it is known to be ours.
    unsigned char header[kDataHeaderSize];
    if (!ReadExactly(file.get(), header, kDataHeaderSize)) return false;
    if (!HeaderMatches(header, identity_only)) return false;
    std::memcpy(View(), header, kDataHeaderSize);
    offset = kDataHeaderSize;
  }
  return ReadExactly(file.get(), View() + offset, Size() - offset);
}

bool TBinaryData::Save(const char* path) const {
  if (!View() || !path || !path[0]) return false;
  FileHandle file(
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), View(), static_cast<DWORD>(Size()), &written, nullptr) &&
         written == static_cast<DWORD>(Size());
}

bool TBinaryData::HeaderMatches(const unsigned char* header, bool identity_only) const {
  int length = identity_only ? kHeaderIdentitySize : kHeaderIdentityAndVersionSize;
  if (!header || !View() || Size() < length) return false;
  return std::memcmp(header, View(), length) == 0;
}

bool TBinaryData::CreateProgramView(const char* name, int size, const DataFileKind& kind) {
  Close();
  DataHeaderTemplate header;
  if (!ProgramHeaderTemplate(header, kind)) return false;
  return CreateWithHeader(name, size, &header);
}

bool TBinaryData::LoadFromFolder(const char* folder, const char* file_name, bool identity_only) {
  char path[kPathCapacity];
  if (FolderFilePath(path, folder, file_name) == 0) return false;
  return Load(path, true, identity_only);
}

int TBinaryData::FolderFilePath(char (&path)[kPathCapacity], const char* folder,
                                const char* file_name) {
  path[0] = '\0';
  if (!folder || !folder[0] || !file_name || !file_name[0]) return 0;
  if (BoundedLength(folder, kPathCapacity) + BoundedLength(file_name, kPathCapacity) >=
      kPathCapacity)
    return 0;
  CopyText(path, kPathCapacity, folder);
  return AppendText(path, kPathCapacity, file_name);
}

}  // namespace talo
