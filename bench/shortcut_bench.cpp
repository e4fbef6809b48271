// shortcut_bench.exe: making a link to a dropped folder and reading the editor's preview of it,
// against the bare shell link calls that any program must make for the same, in the same run.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "content/shortcut_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_settings.h"

namespace {

// Saving a link is slow under Wine (it starts its menu builder for every saved link), so the
// creation rounds make fewer calls than the preview rounds.
constexpr int kCreateCallsPerRound = 5;
constexpr int kPreviewCallsPerRound = 20;
constexpr int kRounds = 51;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

template <typename Work>
double MicrosecondsPerCall(int calls, Work work) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < calls; ++i) work();
  QueryPerformanceCounter(&end);
  return Seconds(start, end) * 1e6 / calls;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The product initialises COM around each link call; `per_call` does the same here, so that the
// ratio compares like with like. Without it the caller holds COM around the whole loop.
void BareSave(const std::wstring& file, const char* target, const char* description,
              bool per_call) {
  const HRESULT com = per_call ? CoInitialize(nullptr) : E_FAIL;
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    link->SetPath(target);
    link->SetDescription(description);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
      persist->Save(file.c_str(), FALSE);
      persist->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

void BareLoadDescription(const std::wstring& file, bool per_call) {
  const HRESULT com = per_call ? CoInitialize(nullptr) : E_FAIL;
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
      char description[4096] = {};
      if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ)))
        link->GetDescription(description, sizeof description);
      persist->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

std::wstring Wide(const std::string& text) {
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
  return wide;
}

// COM initialised once around a whole measured loop, for the second bare figure: the product's
// own per-call initialisation would then be no more than a count.
template <typename Work>
double HoldingCom(Work work) {
  CoInitialize(nullptr);
  const double result = work();
  CoUninitialize();
  return result;
}

void Report(const char* what, double product_us, double bare_us, double bare_once_us) {
  std::printf("%s\n", what);
  std::printf("  product:                      %8.1f us\n", product_us);
  std::printf("  bare, COM per call:           %8.1f us   ratio %.2f (budget 1.50)\n", bare_us,
              product_us / bare_us);
  std::printf("  bare, COM held around loop:   %8.1f us   ratio %.2f\n", bare_once_us,
              product_us / bare_once_us);
}

// The two ways the preview finds its picture, bare: the associated icon, and the shell's own.
void BareExtractIcon(const char* file) {
  char buffer[4096];
  lstrcpynA(buffer, file, sizeof buffer);
  WORD index = 0;
  if (HICON icon = ExtractAssociatedIconA(nullptr, buffer, &index)) DestroyIcon(icon);
}

void BareShellIcon(const char* file) {
  const HRESULT com = CoInitialize(nullptr);
  SHFILEINFOA info = {};
  if (SHGetFileInfoA(file, 0, &info, sizeof info, SHGFI_ICON)) DestroyIcon(info.hIcon);
  if (SUCCEEDED(com)) CoUninitialize();
}

// The folder picture by the attribute alone, as the preview asks for a folder target's.
void BareFolderIcon(const char* folder) {
  SHFILEINFOA info = {};
  if (SHGetFileInfoA(folder, FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                     SHGFI_ICON | SHGFI_USEFILEATTRIBUTES))
    DestroyIcon(info.hIcon);
}

}  // namespace

int main() {
  talo::test::TestSettings settings;
  talo::test::TempFolder folder;
  const std::string tools = folder.File("Tools");
  const std::string base = settings.WorkingFile("");
  const std::string working = base + ".lnk";
  if (!CreateDirectoryA(tools.c_str(), nullptr) ||
      talo::CreateShortcutFile(base.c_str(), tools.c_str(), true) != talo::kShellLink ||
      !talo::CommitShortcut(0x674, talo::kShellLink)) {
    std::fprintf(stderr, "cannot make the link to %s\n", tools.c_str());
    return 1;
  }
  const std::wstring bare_wide = Wide(folder.File("bare.lnk")), working_wide = Wide(working);

  // The two phases run apart, so that no link saved by the first is still being looked at by
  // Wine while the second measures.
  std::vector<double> create, create_bare, create_bare_once;
  for (int round = 0; round < kRounds; ++round) {
    create.push_back(MicrosecondsPerCall(kCreateCallsPerRound, [&] {
      talo::CreateShortcutFile(base.c_str(), tools.c_str(), true);
    }));
    create_bare.push_back(MicrosecondsPerCall(
        kCreateCallsPerRound, [&] { BareSave(bare_wide, tools.c_str(), "Tools", true); }));
    create_bare_once.push_back(HoldingCom([&] {
      return MicrosecondsPerCall(kCreateCallsPerRound,
                                 [&] { BareSave(bare_wide, tools.c_str(), "Tools", false); });
    }));
  }

  std::vector<double> preview, preview_stored, preview_bare, preview_bare_once;
  std::vector<double> icon, description, extract_icon, shell_icon, folder_icon;
  const int n = kPreviewCallsPerRound;
  for (int round = 0; round < kRounds; ++round) {
    preview.push_back(MicrosecondsPerCall(n, [&] {
      talo::IconHandle picture;
      std::string name;
      talo::ReadShortcutPreview(talo::kShellLink, talo::kWorkingCopy, picture, name);
    }));
    preview_stored.push_back(MicrosecondsPerCall(n, [&] {
      talo::IconHandle picture;
      std::string name;
      talo::ReadShortcutPreview(talo::kShellLink, 0x674, picture, name);
    }));
    preview_bare.push_back(
        MicrosecondsPerCall(n, [&] { BareLoadDescription(working_wide, true); }));
    preview_bare_once.push_back(HoldingCom(
        [&] { return MicrosecondsPerCall(n, [&] { BareLoadDescription(working_wide, false); }); }));
    icon.push_back(MicrosecondsPerCall(
        n, [&] { talo::IconHandle picture(talo::GetAssociatedIcon(working.c_str(), 0)); }));
    description.push_back(MicrosecondsPerCall(n, [&] {
      std::string name;
      talo::GetShortcutDescription(name, talo::kShellLink);
    }));
    extract_icon.push_back(MicrosecondsPerCall(n, [&] { BareExtractIcon(working.c_str()); }));
    shell_icon.push_back(MicrosecondsPerCall(n, [&] { BareShellIcon(working.c_str()); }));
    folder_icon.push_back(MicrosecondsPerCall(n, [&] { BareFolderIcon(tools.c_str()); }));
  }

  std::printf("medians of %d rounds (%d calls a round for creation, %d for the preview)\n", kRounds,
              kCreateCallsPerRound, kPreviewCallsPerRound);
  Report("CreateShortcutFile (folder) vs create + SetPath + SetDescription + Save:", Median(create),
         Median(create_bare), Median(create_bare_once));
  Report("ReadShortcutPreview (working link) vs load + GetDescription:", Median(preview),
         Median(preview_bare), Median(preview_bare_once));
  std::printf("  breakdown: GetAssociatedIcon   %8.1f us\n", Median(icon));
  std::printf("               bare ExtractAssociatedIconA (finds none under Wine) %8.1f us\n",
              Median(extract_icon));
  std::printf("               bare SHGetFileInfoA(SHGFI_ICON), COM per call       %8.1f us\n",
              Median(shell_icon));
  std::printf("               bare SHGetFileInfoA of a folder by its attribute    %8.1f us\n",
              Median(folder_icon));
  std::printf("             description alone %8.1f us   ratio %.2f to bare, COM per call\n",
              Median(description), Median(description) / Median(preview_bare));
  std::printf("ReadShortcutPreview (stored link, copied over the working one): %.1f us\n",
              Median(preview_stored));
  return 0;
}
