// The record walk that every enhanced metafile from a file passes before GDI sees it.
//
// Compiled into the hook library too: no exceptions, no heap, no runtime.
#pragma once

#include <windows.h>

namespace talo {

// EMR_EXTCREATEPEN as files hold it: <wingdi.h> gives its pen a pointer-sized hatch, which moves
// the fields after it in a 64-bit build.
struct ExtCreatePenRecord {
  EMR emr;
  DWORD ihPen;
  DWORD offBmi;
  DWORD cbBmi;
  DWORD offBits;
  DWORD cbBits;
  EXTLOGPEN32 elp;
};

// True when `data` holds exactly one enhanced metafile of `count` bytes that GDI can play without
// reading outside it: the header first and EMR_EOF last, as many records as the header says,
// each of them whole, 4-byte sized and at least as long as its type's fixed part, and every
// count, offset and handle index in them that playback follows staying inside the record or the
// handle table.
bool IsWellFormedEnhMetafile(const void* data, unsigned long count);

}  // namespace talo
