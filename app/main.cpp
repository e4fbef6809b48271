// Entry of Talowick.exe: start, run the loop, and always tear down; the exit code is 0.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (talo::StartApplication()) talo::RunApplication();
  talo::StopApplication();
  return 0;
}
