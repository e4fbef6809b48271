// Reads a report list view of another process: its column headers and rows as the user sees them.
// The control answers pointers only inside its own process, so the reader lends itself memory
// there for each question.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace talo::test {

struct ListViewRow {
  bool checked = false;
  RECT bounds = {};                // on the screen
  std::vector<std::string> texts;  // one per column
};

struct ListViewContent {
  std::vector<RECT> headers;  // the column headers on the screen
  std::vector<ListViewRow> rows;
};

// False when the list cannot be read (no such window, no access to its process).
bool ReadRemoteListView(HWND list, ListViewContent& content);

}  // namespace talo::test
