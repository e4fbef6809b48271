// Clipboard objects: which clipboard formats are stored, capturing the clipboard into an object
// file and restoring it from one.
//
// An object file is a run of records from offset 0 to its end, in the clipboard's own order:
// format id (u32), byte count n (u32, never 0), then n bytes of data: the metafile bits for
// CF_ENHMETAFILE, the global memory block for every other format.
//
// IsStorableFormat and RestoreClipboard are compiled into the hook library too: they throw
// nothing, use no C++ runtime and keep nothing.
#pragma once

#include <windows.h>

namespace talo {

// False for format 0, for handles and display formats that mean nothing once written down
// (CF_BITMAP, CF_METAFILEPICT, CF_PALETTE, the CF_DSP... and owner-display formats, the private
// and GDI object ranges 0x200-0x3FF), and for the registered formats "DaliSprites", "DataObject"
// and "OwnerLink" in any letter case.
bool IsStorableFormat(unsigned int format);

// True when the clipboard holds at least one storable format with data of non-zero size.
bool HasStorableClipboard();

// Writes every storable clipboard format into the file, replacing it; a format that would take the
// file past kMaxObjectFileSize is left out. A failed capture leaves no file behind.
bool CaptureClipboard(const char* file_name);

// Empties the clipboard and puts the file's formats on it, stopping quietly at the first record
// that is not storable or not whole; the formats before it stay. True when the clipboard holds
// something afterwards. A file larger than kMaxObjectFileSize fails without touching the clipboard.
bool RestoreClipboard(const char* file_name);
// The same for an open file, read from its current position (its start, when just opened).
bool RestoreClipboardFrom(HANDLE file);

}  // namespace talo
