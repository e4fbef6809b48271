// A shell extension that faults as soon as the shell asks it for its class object, the way a
// damaged one faults inside whatever process called ShellExecute.
#include <windows.h>

namespace {
int* volatile nowhere = nullptr;
}

// Exported as the library's one global function (the linker exports all of them when none is
// marked), its stdcall decoration cut off by --kill-at.
extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID, void** object) {
  *object = nullptr;
  *nowhere = 0;
  return E_UNEXPECTED;
}
