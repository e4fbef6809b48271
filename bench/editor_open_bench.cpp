// editor_open_bench.exe [ROUNDS]: opening the assignment editor for a combination that holds a
// shortcut, a text and a 1024 x 768 picture, from EditCombination until the editor is idle
// (loaded, laid out and painted), in the same run against
//   - the same editor opened for a combination without any assignment: the form of the same
//     size and design, empty;
//   - a bare form of the same size, border and colour without any control.
// and the whole cycle of a save as the user makes it: the editor opened, a new title, OK and the
// overwrite question answered Yes, until the editor is gone (built from an earlier version of the
// program, the same source measures that version's cycle).
// Prints the medians and the ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/globals.h"
#include "content/clipboard_object.h"
#include "content/shortcut_file.h"
#include "content/text_assignment.h"
#include "data/graph_data.h"
#include "data/sys_data.h"
#include "data/title_file.h"
#include "data/user_data.h"
#include "forms/form_assign.h"
#include "tests/support/dialog_answerer.h"
#include "tests/support/object_records.h"
#include "tests/support/test_settings.h"
#include "tests/support/win_driver.h"
#include "ui/application.h"

namespace {

constexpr int kCode = 0x674;       // Ctrl + Alt + F5: the full assignment
constexpr int kEmptyCode = 0x675;  // Ctrl + Alt + F6: no assignment

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The opening ends when the program has nothing more to do: nothing posted or sent is pending,
// and what waits to be painted has been painted. (Input is left out: the system's own mouse move
// over a new window would stay pending behind the re-posted look.) A message to a window of the
// benchmark's own looks at the queue from inside the modal loop: it paints what waits to be painted
// at once (a re-posted message would come before painting forever, and a window of no size never
// stops waiting), and while anything else is pending it looks again later.
constexpr UINT kLookAtQueue = WM_APP + 77;
talo::ui::TForm* measured_form = nullptr;
// When set, the idle editor gets a new title and OK instead of being cancelled.
talo::TFormAssign* saving_editor = nullptr;
int saves = 0;
double idle_at = 0;
HWND watcher = nullptr;

BOOL CALLBACK PaintNow(HWND window, LPARAM) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return TRUE;
}

LRESULT CALLBACK WatcherProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != kLookAtQueue || !measured_form)
    return DefWindowProcA(window, message, wparam, lparam);
  EnumThreadWindows(GetCurrentThreadId(), PaintNow, 0);
  if (HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE))) {
    PostMessageA(window, kLookAtQueue, 0, 0);
    return 0;
  }
  idle_at = Now();
  if (saving_editor) {
    saving_editor->edtTitle.Text("Saved title " + std::to_string(++saves));
    saving_editor->btnOKCloseClick();  // the answerer says Yes to the question
  } else {
    measured_form->SetModalResult(talo::ui::mrCancel);
  }
  return 0;
}

HWND CreateWatcher() {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = WatcherProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "EditorOpenBenchWatcher";
  RegisterClassA(&window_class);
  return CreateWindowExA(0, window_class.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         window_class.hInstance, nullptr);
}

template <typename Open>
double MillisecondsToIdle(talo::ui::TForm& form, Open open) {
  measured_form = &form;
  idle_at = 0;
  PostMessageA(watcher, kLookAtQueue, 0, 0);
  const double start = Now();
  open();
  measured_form = nullptr;
  return idle_at - start;
}

// From the opening until the editor is gone after OK.
double MillisecondsToSave(talo::TFormAssign& editor) {
  saving_editor = &editor;
  measured_form = &editor;
  PostMessageA(watcher, kLookAtQueue, 0, 0);
  const double start = Now();
  editor.EditCombination(kCode);
  const double end = Now();
  saving_editor = nullptr;
  measured_form = nullptr;
  return end - start;
}

// The combination's stored contents: a shortcut to a file, a text, a title and a
// picture object, enabled as a text assignment.
bool PrepareAssignment(const talo::test::TestSettings& settings) {
  using talo::test::ObjectFileBytes;
  const std::string target = settings.UserFile("User.dat");
  return talo::CreateWorkingShortcut(target.c_str()) != 0 &&
         talo::CommitShortcut(kCode, talo::kShellLink) &&
         talo::SaveTextAssignment(L"A text of a few words.\r\nAnd a second line.", kCode) &&
         talo::WriteTitle(kCode, "The benchmark's assignment") &&
         talo::test::WriteFileBytes(
             settings.UserFile("0674.obj"),
             ObjectFileBytes({{CF_DIB, talo::test::SampleDib(1024, 768, 24)}})) &&
         talo::TaloUserData->SetStatus(0x18, kCode);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 21;
  talo::ui::TApplication application;
  application.Initialize();
  talo::test::TestSettings settings;
  const std::string install = talo::test::InstallFolder();
  talo::TTaloSysData system_data;
  talo::TTaloGraphData graph_data;
  talo::TTaloUserData user_data;
  if (!system_data.CreateView() || !system_data.LoadFile(install.c_str()) ||
      !graph_data.CreateView() || !graph_data.LoadFile(install.c_str()) ||
      !user_data.CreateView()) {
    std::fprintf(stderr, "cannot load the shipped data from %s\n", install.c_str());
    return 1;
  }
  talo::TaloSysData = &system_data;
  talo::TaloGraphData = &graph_data;
  talo::TaloUserData = &user_data;
  if (!PrepareAssignment(settings)) {
    std::fprintf(stderr, "cannot prepare the assignment\n");
    return 1;
  }

  watcher = CreateWatcher();
  if (!watcher) {
    std::fprintf(stderr, "no watcher window\n");
    return 1;
  }
  talo::TFormAssign editor;
  talo::ui::FormDesign design;
  design.class_name = "TFormBare";
  design.width = 648;
  design.height = 442;
  design.border = talo::ui::BorderStyle::Single;
  design.icons.maximize = false;
  design.centred = true;
  talo::ui::TForm bare(design);
  // Both forms exist before the measured openings, as the program's forms do.
  try {
    editor.Handle();
    bare.Handle();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s (%lu)\n", error.what(), GetLastError());
    return 1;
  }

  std::vector<double> editor_ms, empty_editor_ms, bare_ms, save_ms;
  for (int round = 0; round < rounds; ++round) {
    bare_ms.push_back(MillisecondsToIdle(bare, [&] { bare.ShowModal(); }));
    empty_editor_ms.push_back(
        MillisecondsToIdle(editor, [&] { editor.EditCombination(kEmptyCode); }));
    editor_ms.push_back(MillisecondsToIdle(editor, [&] { editor.EditCombination(kCode); }));
  }
  {
    talo::test::DialogAnswerer yes(IDYES);
    for (int round = 0; round < rounds; ++round) save_ms.push_back(MillisecondsToSave(editor));
  }
  char title[talo::kTitleCapacity] = "";
  talo::ReadTitle(kCode, title);
  if (std::string(title) != "Saved title " + std::to_string(saves)) {
    std::fprintf(stderr, "the editor did not save the title: %s\n", title);
    return 1;
  }
  if (!editor.HasObjectNow() || editor.ShortcutKindNow() != talo::kShellLink) {
    std::fprintf(stderr, "the editor did not load the object and the shortcut\n");
    return 1;
  }
  const double editor_median = Median(editor_ms);
  const double empty_median = Median(empty_editor_ms);
  const double bare_median = Median(bare_ms);
  std::printf("rounds %d (medians)\n", rounds);
  std::printf("bare form of the same size       %8.2f ms\n", bare_median);
  std::printf("editor, combination without one  %8.2f ms\n", empty_median);
  std::printf("editor, shortcut+text+picture    %8.2f ms\n", editor_median);
  std::printf("ratio to the empty editor        %8.2f (budget 2.0)\n",
              editor_median / empty_median);
  std::printf("ratio to the bare form           %8.2f\n", editor_median / bare_median);
  std::printf("cycle: open, new title, OK, Yes  %8.2f ms\n", Median(save_ms));
  talo::TaloSysData = nullptr;
  talo::TaloGraphData = nullptr;
  talo::TaloUserData = nullptr;
  return 0;
}
