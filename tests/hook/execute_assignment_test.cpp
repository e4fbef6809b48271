// ExecuteAssignment, CopyTextFileToClipboard and ExecuteAndReport with real files, the real
// clipboard and real message boxes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "base/unique.h"
#include "content/content_limits.h"
#include "hook/library/assignment_execution.h"
#include "tests/support/temp_folder.h"
#include "tests/support/win_driver.h"

namespace talo {
namespace {

using test::ReadClipboardText;
using test::TempFolder;
using test::WriteClipboardText;
using test::WriteFileBytes;

constexpr char kSentinel[] = "clipboard before";
constexpr int kCode = 0x674;  // Ctrl + Alt + F5: its files are 0674.*

// The raw CF_TEXT block the clipboard holds: every byte, with its size.
std::string ClipboardTextBlock() {
  std::string bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto* chars = static_cast<const char*>(GlobalLock(data))) {
      bytes.assign(chars, GlobalSize(data));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return bytes;
}

// An object file with one CF_TEXT record.
std::string TextRecord(const std::string& text) {
  std::string record(8, '\0');
  record[0] = CF_TEXT;
  const unsigned size = unsigned(text.size() + 1);
  std::memcpy(&record[4], &size, 4);
  return record + text + '\0';
}

class Execution : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteClipboardText(kSentinel)); }
  std::string Folder() const { return folder_.Path(); }
  TempFolder folder_;
};

TEST_F(Execution, ATextAssignmentPutsTheFileOnTheClipboardUnchanged) {
  const std::string text = "line one\r\nline two\n\xE9t\xE9 \x01";
  ASSERT_TRUE(WriteFileBytes(folder_.File("0674.txt"), text));
  EXPECT_TRUE(ExecuteAssignment(Folder().c_str(), kCode, 0x18, false));
  EXPECT_EQ(ReadClipboardText(), text);
}

TEST_F(Execution, ATextOf32BytesGetsABlockOf64BytesEndingInZeros) {
  const std::string text(32, 'x');
  ASSERT_TRUE(WriteFileBytes(folder_.File("0674.txt"), text));
  ASSERT_TRUE(CopyTextFileToClipboard(folder_.File("0674.txt").c_str()));
  EXPECT_EQ(ClipboardTextBlock(), text + std::string(32, '\0'));

  ASSERT_TRUE(WriteFileBytes(folder_.File("short.txt"), "abc"));
  ASSERT_TRUE(CopyTextFileToClipboard(folder_.File("short.txt").c_str()));
  EXPECT_EQ(ClipboardTextBlock(), "abc" + std::string(29, '\0'));
}

// The walk with real keys pastes a whole UTF-8 file into a Unicode edit. Here: the code-page copy
// beside it; a file that is not UTF-8 after the mark (a cut sequence, an overlong form, a
// surrogate) is a code-page text that goes as it stands; the mark alone fails like an empty file.
TEST_F(Execution, AUtf8TextGoesWithACodePageCopyAndADamagedOneAsCodePageText) {
  const std::string valid =
      "\xEF\xBB\xBF"
      "caf\xC3\xA9 \xE4\xB8\xAD";  // café 中
  ASSERT_TRUE(WriteFileBytes(folder_.File("0674.txt"), valid + "tail"));
  ASSERT_TRUE(CopyTextFileToClipboard(folder_.File("0674.txt").c_str()));
  EXPECT_EQ(ReadClipboardText(), "caf\xE9 ?tail");
  for (const char* damage : {"\xE4\xB8", "\xE0\x80\xAF", "\xED\xA0\x80"}) {
    ASSERT_TRUE(WriteFileBytes(folder_.File("0674.txt"), valid + damage + "tail"));
    ASSERT_TRUE(CopyTextFileToClipboard(folder_.File("0674.txt").c_str()));
    EXPECT_EQ(ReadClipboardText(), valid + damage + "tail");
  }
  ASSERT_TRUE(WriteClipboardText(kSentinel));
  ASSERT_TRUE(WriteFileBytes(folder_.File("0674.txt"), "\xEF\xBB\xBF"));
  EXPECT_FALSE(CopyTextFileToClipboard(folder_.File("0674.txt").c_str()));
  EXPECT_EQ(ReadClipboardText(), kSentinel);
}

TEST_F(Execution, AnEmptyOrMissingTextFailsWithoutTouchingTheClipboard) {
  ASSERT_TRUE(WriteFileBytes(folder_.File("0674.txt"), ""));
  EXPECT_FALSE(ExecuteAssignment(Folder().c_str(), kCode, 0x18, true));
  EXPECT_FALSE(CopyTextFileToClipboard(folder_.File("missing.txt").c_str()));
  EXPECT_FALSE(CopyTextFileToClipboard(nullptr));
  EXPECT_EQ(ReadClipboardText(), kSentinel);
}

TEST_F(Execution, ABusyClipboardFailsTheTextAtOnce) {
  ASSERT_TRUE(WriteFileBytes(folder_.File("0674.txt"), "text"));
  std::atomic<bool> opened{false}, tried{false}, done{false};
  std::thread holder([&] {
    // Another program's window holds the clipboard open.
    HWND window =
        CreateWindowA("STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    opened = OpenClipboard(window) != FALSE;
    tried = true;
    while (!done) Sleep(5);
    if (opened) CloseClipboard();
    DestroyWindow(window);
  });
  while (!tried) Sleep(5);
  ASSERT_TRUE(opened);
  EXPECT_FALSE(ExecuteAssignment(Folder().c_str(), kCode, 0x18, false));
  done = true;
  holder.join();
  EXPECT_EQ(ReadClipboardText(), kSentinel);
}

TEST_F(Execution, AnObjectAssignmentRestoresItsFile) {
  ASSERT_TRUE(WriteFileBytes(folder_.File("0674.obj"), TextRecord("from the object")));
  EXPECT_TRUE(ExecuteAssignment(Folder().c_str(), kCode, 0x1C, false));
  EXPECT_EQ(ReadClipboardText(), "from the object");
}

TEST_F(Execution, KindsWithoutAContentFileAndMissingFilesFail) {
  // Every content file exists under the wrong kind's extension only.
  for (const char* name : {"0674.lnk", "0674.txt", "0674.obj"})
    ASSERT_TRUE(WriteFileBytes(folder_.File(name), TextRecord("x")));
  for (unsigned char status : {0x10, 0x14, 0x1F, 0x00, 0x04}) {
    SCOPED_TRACE(int(status));
    EXPECT_FALSE(ExecuteAssignment(Folder().c_str(), kCode, status, false));
  }
  EXPECT_FALSE(ExecuteAssignment(Folder().c_str(), kCode, 0x12, false)) << "no 0674.pif";
  EXPECT_FALSE(ExecuteAssignment(Folder().c_str(), kCode, 0x13, false)) << "no 0674.url";
  EXPECT_FALSE(ExecuteAssignment(Folder().c_str(), 0x675, 0x18, false)) << "no 0675.txt";
  EXPECT_FALSE(ExecuteAssignment(nullptr, kCode, 0x18, false));
  EXPECT_FALSE(ExecuteAssignment(Folder().c_str(), 2048, 0x18, false));
  EXPECT_EQ(ReadClipboardText(), kSentinel);
}

// A file of `size` bytes without writing them: its end is set, the rest reads as zeros.
bool WriteFileOfSize(const std::string& path, DWORD size) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && SetFilePointer(file.get(), LONG(size), nullptr, FILE_BEGIN) == size &&
         SetEndOfFile(file.get());
}

TEST_F(Execution, AContentFileTheEditorWouldNotWriteIsRefusedWithoutTouchingTheClipboard) {
  struct Refused {
    unsigned char status;
    const char* name;
    std::string bytes;  // empty: a file of `size` zeros
    DWORD size;
  };
  const Refused cases[] = {
      {0x18, "0674.txt", std::string(kMaxTextFileSize + 1, 'a'), 0},
      {0x1C, "0674.obj", "", kMaxObjectFileSize + 1},
      {0x11, "0674.lnk", std::string("L\0\0\0\x01\x14\x02\0", 8) + std::string(100, '\xFF'), 0},
      {0x12, "0674.pif", std::string(400, 'p'), 0},
      {0x13, "0674.url", "MZ[InternetShortcut]\r\nURL=http://example.invalid/\r\n", 0},
      {0x13, "0674.url", "[InternetShortcut]\r\nURL=http://example.invalid/\r\n" +
                             std::string(kMaxInternetShortcutFileSize, ';'), 0},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder_.File(c.name);
    ASSERT_TRUE(c.bytes.empty() ? WriteFileOfSize(path, c.size) : WriteFileBytes(path, c.bytes));
    EXPECT_EQ(CarryOutAssignment(Folder().c_str(), kCode, c.status, Paste::kNone),
              talo::Execution::kRefused);
    EXPECT_EQ(ReadClipboardText(), kSentinel);
    DeleteFileA(path.c_str());
  }
  // The largest text the editor writes still goes: a full box of three-byte characters.
  std::string largest = "\xEF\xBB\xBF";
  for (DWORD i = 0; i < kMaxTextLength; ++i) largest += "\xE4\xB8\xAD";
  ASSERT_EQ(largest.size(), kMaxTextFileSize);
  ASSERT_TRUE(WriteFileBytes(folder_.File("0674.txt"), largest));
  EXPECT_TRUE(ExecuteAssignment(Folder().c_str(), kCode, 0x18, false));
  EXPECT_NE(ReadClipboardText(), kSentinel);
}

struct BoxContent {
  std::string caption, text;
  std::vector<std::string> buttons;
  LPCSTR icon = nullptr;  // IDI_EXCLAMATION, IDI_ASTERISK or null
};

BOOL CALLBACK CollectBoxChild(HWND child, LPARAM param) {
  auto* content = reinterpret_cast<BoxContent*>(param);
  char class_name[64] = {}, text[1024] = {};
  GetClassNameA(child, class_name, sizeof class_name);
  GetWindowTextA(child, text, sizeof text);
  if (lstrcmpiA(class_name, "Button") == 0) {
    content->buttons.push_back(text);
  } else if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    for (LPCSTR id : {IDI_EXCLAMATION, IDI_ASTERISK, IDI_HAND, IDI_QUESTION})
      if (icon && icon == LoadIconA(nullptr, id)) content->icon = id;
  } else if (lstrcmpiA(class_name, "Static") == 0 && text[0]) {
    content->text = text;
  }
  return TRUE;
}

// Reads, then closes with OK, the message box that the code under test shows on this thread.
class BoxWatcher {
 public:
  BoxWatcher()
      : thread_([this] {
          while (!stop_) {
            HWND box = test::WaitForWindow("#32770", nullptr, 0, GetCurrentProcessId());
            if (box && IsWindowVisible(box)) {
              char caption[256] = {};
              GetWindowTextA(box, caption, sizeof caption);
              content_.caption = caption;
              EnumChildWindows(box, CollectBoxChild, reinterpret_cast<LPARAM>(&content_));
              shown_ = true;
              test::PressDialogButton(box, IDOK);
              return;
            }
            Sleep(20);
          }
        }) {}
  ~BoxWatcher() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool Shown() {
    Stop();
    return shown_;
  }
  const BoxContent& Content() const { return content_; }

 private:
  std::atomic<bool> stop_{false};
  bool shown_ = false;
  BoxContent content_;
  std::thread thread_;
};

struct ReportCase {
  unsigned char status;
  const char* file;  // the content file written first, or null
  bool paste;
  bool result;
  const char* caption;  // null: no message
  const char* text;
  LPCSTR icon;
};

TEST_F(Execution, ExecuteAndReportTellsTheResultByKind) {
  const ReportCase cases[] = {
      {0x18, "0674.txt", false, true, "Text copied.",
       "The text, which has been assigned to key combination,\n'Ctrl + Alt + F5', has been "
       "copied to the clipboard for pasting.",
       IDI_ASTERISK},
      {0x18, nullptr, false, false, "Text copy error.",
       "Unable to copy the text, which has been assigned to key combination,\n'Ctrl + Alt + "
       "F5', to the clipboard.",
       IDI_EXCLAMATION},
      {0x1C, "0674.obj", false, true, "Object copied.",
       "The object, which has been assigned to key combination,\n'Ctrl + Alt + F5', has been "
       "copied to the clipboard for pasting.",
       IDI_ASTERISK},
      {0x1C, nullptr, false, false, "Object copy error.",
       "Unable to copy the object, which has been assigned to key combination,\n'Ctrl + Alt + "
       "F5', to the clipboard.",
       IDI_EXCLAMATION},
      {0x11, nullptr, false, false, "Shortcut execution error.",
       "Unable to execute the shortcut for the key combination,\n'Ctrl + Alt + F5'.",
       IDI_EXCLAMATION},
      {0x18, "0674.txt", true, true, nullptr, nullptr, nullptr},
      {0x1C, "0674.obj", true, true, nullptr, nullptr, nullptr},
      {0x14, "0674.txt", false, false, nullptr, nullptr, nullptr},
      {0x10, nullptr, false, false, nullptr, nullptr, nullptr},
  };
  for (const ReportCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "status " << int(c.status) << " paste " << c.paste);
    TempFolder folder;
    if (c.file) {
      ASSERT_TRUE(WriteFileBytes(folder.File(c.file), TextRecord("content")));
    }
    BoxWatcher watcher;
    EXPECT_EQ(ExecuteAndReport(nullptr, folder.Path().c_str(), kCode, "Ctrl + Alt + F5", c.status,
                               c.paste),
              c.result);
    const bool shown = watcher.Shown();
    ASSERT_EQ(shown, c.caption != nullptr);
    if (!c.caption) continue;
    EXPECT_EQ(watcher.Content().caption, c.caption);
    EXPECT_EQ(watcher.Content().text, c.text);
    EXPECT_EQ(watcher.Content().buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(watcher.Content().icon, c.icon);
  }
}

TEST_F(Execution, ExecuteAndReportWithoutANameShowsNothing) {
  BoxWatcher watcher;
  EXPECT_FALSE(ExecuteAndReport(nullptr, Folder().c_str(), kCode, nullptr, 0x18, false));
  EXPECT_FALSE(watcher.Shown());
}

}  // namespace
}  // namespace talo
