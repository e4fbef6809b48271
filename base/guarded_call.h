// GuardedCall: a step run so that a fault escaping it ends the step, not the thread.
#pragma once

namespace talo {

// Runs step(context) and returns its result. When a structured exception (an access violation, an
// in-page error, anything the step's own code leaves unhandled) would leave the step, the frames
// in between are unwound, their structured unwind handlers running (the system's own __finally
// blocks), and the result is false. An exception that code inside the step handles never reaches
// the guard. The guard is this call's frame alone: nothing is installed for the process or kept
// after the call.
//
// This compiler's C++ destructors do not run on that way out (and the hook library, built without
// exceptions, has no cleanups at all): what a step holds when it faults (an open clipboard, a file
// handle) is still held afterwards.
// A C++ exception must not leave the step: the 32-bit build does not raise those as structured
// exceptions.
bool GuardedCall(bool (*step)(void* context), void* context);

}  // namespace talo
