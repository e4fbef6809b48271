// The object box's preview of an object file.
#pragma once

#include "ui/image.h"
#include "ui/label.h"

namespace talo {

// Shows the object file of combination `code` (kWorkingCopy: the working object) in `picture`: its
// bitmap, else its enhanced metafile, else its file list or its text drawn as lines. When none of
// these exists `placeholder` ("No image is available...") shows instead. A combination's file is
// then copied over the working object, on which the editor goes on. False when there is no file
// or the copy failed; the picture is then cleared and both are hidden.
bool ShowObjectPreview(ui::TImage& picture, ui::TLabel& placeholder, int code);

// Clears the picture and hides both.
void ClearObjectPreview(ui::TImage& picture, ui::TLabel& placeholder);

}  // namespace talo
