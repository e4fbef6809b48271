// A shell extension that faults as soon as the shell asks it for its class object, the way a
// damaged one faults inside whatever process called ShellExecute.
#include <windows.h>

namespace {
int* volatile nowhere = nullptr;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID, REFIID, void** object) {
  *object = nullptr;
  *nowhere = 0;
  return E_UNEXPECTED;
}
