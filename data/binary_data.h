// TBinaryData: a view that holds a data file with the common 1024-byte header, and its header
// template.
#pragma once

#include "base/text.h"
#include "data/mapped_view.h"

namespace talo {

inline constexpr int kDataHeaderSize = 1024;
// Magic, program tag and kind tag: what the file is.
inline constexpr int kHeaderIdentitySize = 24;
// The identity and the product version that wrote the file.
inline constexpr int kHeaderIdentityAndVersionSize = 32;
inline constexpr int kHeaderTextSize = 64;

// The first 384 header bytes as a data class wants them; bytes 32-63 and 384-1023 of a header are
// always zero. Numbers are little-endian, as the x86 stores them.
struct DataHeaderTemplate {
  char magic[8];        // "QVDF" and four zero bytes
  char program_tag[8];  // "TALOWICK", no terminator
  char kind_tag[8];     // right-aligned, zero-padded on the left
  unsigned short version[4];
  unsigned char reserved[32];
  char company[kHeaderTextSize];
  char product[kHeaderTextSize];
  char version_text[kHeaderTextSize];
  char legal_notice[kHeaderTextSize];
  char description[kHeaderTextSize];
};
static_assert(sizeof(DataHeaderTemplate) == 384, "the template mirrors header bytes 0-383");

// What tells the three data files apart in their headers.
struct DataFileKind {
  const char* kind_tag;            // at most 8 characters
  const char* description_prefix;  // "System Data File " and the like
  int version_text_limit;          // characters of the version text after the prefix
};

// The first four runs of decimal digits of a product version text ("1, 2, 0, 15", "1.2.0.15"),
// each modulo 65536; a '-' right before a run negates it; missing numbers are 0. Returns the
// number of runs found, 0 to 4.
int ParseProductVersion(const char* text, unsigned short (&numbers)[4]);

// Fills `header` for `kind` from the given product version and legal notice texts.
void FillHeaderTemplate(DataHeaderTemplate& header, const DataFileKind& kind,
                        const char* product_version, const char* legal_notice);

// Fills `header` for `kind` from the running program's own version resource; fails, zeroing the
// header, when the program's path or its ProductVersion or LegalCopyright cannot be read.
bool ProgramHeaderTemplate(DataHeaderTemplate& header, const DataFileKind& kind);

class TBinaryData : public TMappedView {
 public:
  // Creates the view with the template's header and a zero body. Fails, creating nothing, without
  // a template or when the size leaves no room for a body after the header.
  bool CreateWithHeader(const char* name, int size, const DataHeaderTemplate* header);

  // Zeroes everything after the header; fails when there is no body.
  bool ClearBody();

  // Reads the file into the view. With `check_header`, a view of at least a header's size takes
  // the file's header only when HeaderMatches holds for it, and the body follows; otherwise the
  // whole view is read from the start. A file shorter than the view fails (the bytes that did
  // arrive stay); a longer one is read up to the view's size.
  bool Load(const char* path, bool check_header, bool identity_only);

  // Writes the whole view to the file, replacing it.
  bool Save(const char* path) const;

  // Compares the first 24 (identity only) or 32 bytes of `header` with the view's header.
  bool HeaderMatches(const unsigned char* header, bool identity_only) const;

 protected:
  // CreateWithHeader with the running program's header for `kind`.
  bool CreateProgramView(const char* name, int size, const DataFileKind& kind);

  // Load of folder + file_name; fails when the path would not fit in kPathCapacity.
  bool LoadFromFolder(const char* folder, const char* file_name, bool identity_only);

  // folder + file_name into a kPathCapacity buffer; 0 and an empty path when it would not fit.
  static int FolderFilePath(char (&path)[kPathCapacity], const char* folder, const char* file_name);
};

}  // namespace talo
