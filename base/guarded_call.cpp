// GuardedCall: a frame-based structured exception handler around one call. The compiler has no
// __try/__except, so the frame and its handler are written here, once per architecture.
#include "base/guarded_call.h"

#include <windows.h>

// Calls step(context) with this frame's handler in place: 1 or 0 as the step returned, 0 when an
// exception left the step.
extern "C" int talo_RunGuarded(bool (*step)(void*), void* context);

#if defined(__x86_64__)

// Table-based: the frame's unwind information names talo_GuardHandler for the search pass only
// (@except), so the dispatcher asks it once an exception would leave the step.
extern "C" void talo_GuardRecovery();

extern "C" EXCEPTION_DISPOSITION talo_GuardHandler(EXCEPTION_RECORD* exception, void* frame,
                                                   CONTEXT*, DISPATCHER_CONTEXT* dispatcher) {
  if (IS_UNWINDING(exception->ExceptionFlags)) return ExceptionContinueSearch;
  // Runs the unwind handlers of the frames in between, then continues at talo_GuardRecovery with
  // rsp as it was in the guarded frame, the non-volatile registers the frames in between had saved
  // restored, and rax = 0 (the return value given here). It does not return.
  RtlUnwindEx(frame, reinterpret_cast<void*>(talo_GuardRecovery), exception, nullptr,
              dispatcher->ContextRecord, dispatcher->HistoryTable);
  return ExceptionContinueSearch;
}

asm(R"(
        .text
        .globl  talo_RunGuarded
        .def    talo_RunGuarded; .scl 2; .type 32; .endef
        .seh_proc talo_RunGuarded
talo_RunGuarded:
        # 32 bytes of home space for the step's register arguments, and 8 more: rsp is 8 off a
        # multiple of 16 on entry and must be a multiple again at the call.
        subq    $40, %rsp
        .seh_stackalloc 40
        .seh_endprologue
        movq    %rcx, %rax
        movq    %rdx, %rcx              # step(context)
        call    *%rax
        movzbl  %al, %eax               # the step's bool, as the int result
        # Where the unwind lands with rsp back at this frame's and eax 0; the non-volatile
        # registers need no saving here, the unwind restores them from the frames in between.
        .globl  talo_GuardRecovery
talo_GuardRecovery:
        addq    $40, %rsp
        ret
        .seh_handler talo_GuardHandler, @except
        .seh_endproc
)");

#elif defined(__i386__)

// Chained: an EXCEPTION_REGISTRATION record {previous, handler} on this frame's stack, linked in
// at fs:[0], the head of the thread's handler list, for the time of the call.
asm(R"(
        .text
        .globl  _talo_RunGuarded
        .def    _talo_RunGuarded; .scl 2; .type 32; .endef
_talo_RunGuarded:
        pushl   %ebp
        movl    %esp, %ebp
        # After a fault the callee-saved registers hold what the step's code left in them, so both
        # ways out restore the caller's from here (ebp - 4, - 8, - 12).
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        # The record {previous, handler} at ebp - 20, linked in as the thread's first handler: its
        # address alone gives the handler this frame back.
        pushl   $_talo_GuardHandler
        pushl   %fs:0
        movl    %esp, %fs:0
        pushl   12(%ebp)                # step(context), cdecl
        call    *8(%ebp)
        movzbl  %al, %eax               # the step's bool, as the int result
.Ltalo_leave:
        movl    -20(%ebp), %ecx         # unlinks the record: the one before it is first again
        movl    %ecx, %fs:0
        leal    -12(%ebp), %esp
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret

# EXCEPTION_DISPOSITION __cdecl (ExceptionRecord, EstablisherFrame, ContextRecord, DispatcherContext)
_talo_GuardHandler:
        movl    4(%esp), %ecx
        # ExceptionFlags & EXCEPTION_UNWIND: a handler further out is unwinding past this frame,
        # which has nothing to undo.
        testl   $0x66, 4(%ecx)
        jnz     .Ltalo_search_on
        # The exception would leave the step. RtlUnwind calls the handlers of the records linked
        # in after ours with EXCEPTION_UNWINDING, unlinks them and returns. The frame is then
        # resumed the way compilers' __except resumes one, never by ExceptionContinueExecution,
        # which a noncontinuable exception refuses; the dispatcher's frames below, and the ebx it
        # expects back, are abandoned.
        movl    8(%esp), %ebx           # EstablisherFrame: our record
        pushl   $0                      # ReturnValue
        pushl   %ecx                    # ExceptionRecord
        pushl   $.Ltalo_unwound         # TargetIp: where RtlUnwind returns anyway
        pushl   %ebx                    # TargetFrame: unwinds up to our record, not including it
        call    _RtlUnwind@16
.Ltalo_unwound:
        leal    20(%ebx), %ebp          # the guarded frame; .Ltalo_leave takes esp from it
        xorl    %eax, %eax
        jmp     .Ltalo_leave
.Ltalo_search_on:
        movl    $1, %eax                # ExceptionContinueSearch
        ret
)");

#else
#error "GuardedCall has a frame for x86 and x86-64 only"
#endif

namespace talo {

bool GuardedCall(bool (*step)(void* context), void* context) {
  return talo_RunGuarded(step, context) != 0;
}

}  // namespace talo
