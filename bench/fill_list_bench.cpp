// fill_list_bench.exe: the cost of FillList with every available combination of the shipped
// System.dat assigned and titled, against inserting the same rows, already in order, into the
// same list view with no comparisons, measured in the same run. Prints the medians of the times
// and of the rounds' ratios.
//   fill_list_bench.exe [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/globals.h"
#include "data/combination.h"
#include "data/sys_data.h"
#include "data/title_file.h"
#include "data/user_data.h"
#include "forms/form_list.h"
#include "tests/support/test_settings.h"
#include "tests/support/win_driver.h"
#include "ui/application.h"

namespace {

using talo::TFormList;

// The kinds the assignments take in turn, enabled and not.
constexpr unsigned char kStatuses[] = {0x11, 0x02, 0x13, 0x18, 0x1C, 0x01, 0x12, 0x03, 0x08, 0x0C};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

template <typename Work>
double Time(Work work) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Assigns every available combination, each with a title file as the editor writes it.
int AssignEverything() {
  int assigned = 0;
  for (int code = 0; code <= talo::kMaxCombinationCode; ++code) {
    bool available = false;
    if (!talo::IsAvailable(*talo::TaloSysData, code, available) || !available) continue;
    const unsigned char status = kStatuses[assigned % (sizeof kStatuses)];
    char title[64];
    std::snprintf(title, sizeof title, "Assignment %d of kind %d", code, status & 0x0F);
    if (!talo::TaloUserData->SetStatus(status, code) || !talo::WriteTitle(code, title)) return -1;
    ++assigned;
  }
  return assigned;
}

// The rows as the list shows them, to be inserted again in this order.
std::vector<talo::ui::TListRow> ListedRows(const TFormList& form) {
  std::vector<talo::ui::TListRow> rows;
  for (int index = 0; index < form.lstvMain.Count(); ++index)
    rows.push_back(form.lstvMain.Row(index));
  return rows;
}

bool InCodeTextOrder(const std::vector<talo::ui::TListRow>& rows) {
  for (size_t i = 1; i < rows.size(); ++i) {
    if (std::strcmp(rows[i - 1].sub_items[talo::kCodeText].c_str(),
                    rows[i].sub_items[talo::kCodeText].c_str()) >= 0)
      return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
  talo::ui::TApplication application;
  application.Initialize();
  talo::test::TestSettings settings;
  CreateDirectoryA(settings.UserDir().c_str(), nullptr);
  talo::TTaloSysData system_data;
  talo::TTaloUserData user_data;
  if (!system_data.CreateView() || !user_data.CreateView()) {
    std::fprintf(stderr, "the data views exist already: is Talowick.exe running?\n");
    return 1;
  }
  if (!system_data.LoadFile(talo::test::InstallFolder().c_str())) {
    std::fprintf(stderr, "cannot load the shipped System.dat\n");
    return 1;
  }
  talo::TaloSysData = &system_data;
  talo::TaloUserData = &user_data;
  const int assigned = AssignEverything();
  if (assigned <= 0) {
    std::fprintf(stderr, "cannot assign the combinations\n");
    return 1;
  }

  TFormList form;
  form.Show();
  form.FillList(talo::kSortByCode, true);
  PumpMessages();
  const std::vector<talo::ui::TListRow> listed = ListedRows(form);
  auto insert = [&] {
    std::vector<talo::ui::TListRow> rows = listed;
    const double ms = Time([&] {
      form.lstvMain.BeginUpdate();
      form.lstvMain.Clear();
      for (talo::ui::TListRow& row : rows) form.InsertRow(form.lstvMain.Count(), std::move(row));
      form.lstvMain.EndUpdate();
    });
    PumpMessages();
    return ms;
  };
  auto fill = [&](int key) {
    const double ms = Time([&] { form.FillList(key, true); });
    PumpMessages();
    return ms;
  };
  // Each round times the three next to one another, in turns, so that the machine's load weighs
  // on them alike; the ratios are taken per round.
  std::vector<double> insert_times, fill_times, ratios, type_ratios;
  for (int round = 0; round < rounds; ++round) {
    double inserted, filled;
    if (round % 2) {
      inserted = insert();
      filled = fill(talo::kSortByCode);
    } else {
      filled = fill(talo::kSortByCode);
      inserted = insert();
    }
    // By type most rows tie on the first key and compare on the second too.
    const double filled_by_type = fill(talo::kSortByType);
    insert_times.push_back(inserted);
    fill_times.push_back(filled);
    ratios.push_back(filled / inserted);
    type_ratios.push_back(filled_by_type / inserted);
  }
  const HWND list = form.lstvMain.Handle();
  const double message_us = Time([&] {
    for (int i = 0; i < 1000; ++i) SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
  });
  std::printf("assigned combinations: %d, listed rows: %zu, in code-text order: %s\n", assigned,
              listed.size(), InCodeTextOrder(listed) ? "yes" : "NO");
  std::printf("one message to the list view:      %.1f us\n", message_us);
  std::printf("insert the rows, already in order: %.2f ms (median of %d)\n", Median(insert_times),
              rounds);
  std::printf("FillList by code:                  %.2f ms\n", Median(fill_times));
  std::printf("ratio by code: %.2f, by type: %.2f (medians of the rounds' ratios; budget 1.50)\n",
              Median(ratios), Median(type_ratios));
  talo::TaloSysData = nullptr;
  talo::TaloUserData = nullptr;
  return 0;
}
