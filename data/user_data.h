// TTaloUserData: the user's status byte per combination in its shared view, kept in "User.dat".
#pragma once

#include <vector>

#include "data/binary_data.h"

namespace talo {

// The hook library opens this view by name at this size.
inline constexpr char kUserDataViewName[] = "TALLOWWICKUSERDATA";
inline constexpr int kUserDataViewSize = 3072;
inline constexpr char kUserDataFileName[] = "User.dat";
inline constexpr char kUserBackupFileName[] = "User.bak";
// Programs that save one folder's "User.dat" take turns through a lock on this file.
inline constexpr char kUserLockFileName[] = "User.lck";
// How long a start-up waits for a "User.dat" that another program holds, and a save for its turn.
inline constexpr int kUserFileWaitMs = 3000;
inline constexpr DataFileKind kUserDataKind = {"USER", "User Data File ", 32};

// User status byte: the assignment kind in the low four bits, 0x10 enabled.
inline constexpr unsigned char kStatusEnabled = 0x10;
// Enabled and of some kind: the hook carries such an assignment out.
constexpr bool IsActiveStatus(unsigned char status) { return status > kStatusEnabled; }

class TTaloUserData : public TBinaryData {
 public:
  // Creates the shared view with the program's own header and every status byte 0.
  bool CreateView();
  // What opening a folder's "User.dat" found.
  enum class Opened {
    kLoaded,    // "User.dat" is in the view
    kRestored,  // "User.dat" is damaged and "User.bak" is in the view instead
    kMissing,   // there is no "User.dat"; the view is as it was
    kHeld,      // "User.dat" could not be opened, even after waiting; the view is as it was
    kDamaged,   // neither "User.dat" nor "User.bak" reads; the view is as it was
  };

  // Loads "User.dat" from the user data folder; the view changes only when a whole file of ours
  // arrived. Only the identity is checked: a file written by any product version is accepted
  // and keeps its header. A file that another program holds for a moment is waited for.
  Opened OpenFile(const char* folder);
  bool LoadFile(const char* folder) { return OpenFile(folder) == Opened::kLoaded; }

  // Saves into "User.dat" the bytes that this program changed since its last load or save, over
  // what the file holds now: another program's changes to other bytes stay, and come into the
  // view. Programs on one folder take turns; the file read before is copied to "User.bak" when
  // it is whole; the new file replaces the old in one step. Before any load the whole view is
  // saved. A "User.dat" that exists but cannot be read is never written over.
  bool SaveFile(const char* folder);
  // Takes the view as it is now for what is stored: a new empty table before its first save.
  void MarkSaved();
  // When "User.dat" was written since the last look (by another program on the folder), takes
  // its bytes into the view wherever this program has no unsaved change: the hook acts on the
  // other program's assignments at once. True when the view changed. Cheap while nothing
  // changed: one look at the file's time.
  bool Refresh(const char* folder);

  // The view and what the program last loaded or saved: put back when opening another folder's
  // data failed.
  struct Copy {
    std::vector<unsigned char> view;
    std::vector<unsigned char> saved;
  };
  Copy TakeCopy() const;
  void PutBack(const Copy& copy);

  // The status byte of `code`; 0 and false unless the view is open at its size.
  bool GetStatus(unsigned char& status, int code) const;
  // Stores the byte in the shared view: the hook sees it at once, the disk with SaveFile.
  bool SetStatus(unsigned char status, int code);

 private:
  struct FolderFiles {
    char data[kPathCapacity];
    char backup[kPathCapacity];
    char lock[kPathCapacity];
  };
  // The folder's "User.dat", "User.bak" and "User.lck"; false while the view is closed or when a
  // name would not fit.
  bool NameFiles(const char* folder, FolderFiles& files) const;
  enum class FileRead { kRead, kMissing, kHeld, kDamaged };
  // Reads the first `bytes.size()` bytes of the file; waits up to `wait_ms` while another
  // program holds it open without sharing.
  static FileRead ReadFileStart(const char* path, std::vector<unsigned char>& bytes, int wait_ms);
  // Reads the first Size() bytes of the file at `path` into `bytes`; a file that is not ours
  // reads as damaged.
  FileRead ReadOurs(const char* path, std::vector<unsigned char>& bytes, int wait_ms) const;

  // The view's bytes as last loaded or saved; empty before the first.
  std::vector<unsigned char> saved_;
  // The time of "User.dat" at the last look of Refresh.
  FILETIME seen_write_time_ = {};
};

// The program's user data of this run; set at start-up, null before and in other code's
// tests.
extern TTaloUserData* TaloUserData;

}  // namespace talo
