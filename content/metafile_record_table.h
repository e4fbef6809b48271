// The enhanced-metafile record types and each one's rules, in one table: the fixed part that
// playback reads, what that part points at beyond itself, the handle-table slot it names, and
// which of its values the picture check limits. The record walk (content/metafile_records.cpp)
// and the picture check (content/metafile_picture.cpp) both read it.
//
// Compiled into the hook library too: constant data only.
#pragma once

#include <windows.h>

#include <cstddef>

#include "content/metafile_records.h"

namespace talo::metafile {

// EMR_SMALLTEXTOUT, which <wingdi.h> leaves among its reserved types: x, y, cChars, fuOptions,
// iGraphicsMode, exScale and eyScale, then a bounding rectangle unless ETO_NO_RECT, then cChars
// characters, single bytes under ETO_SMALL_CHARS.
inline constexpr DWORD kEmrSmallTextOut = EMR_RESERVED_108;
inline constexpr DWORD kSmallTextOutFixed = 36;
inline constexpr DWORD kSmallTextOutChars = 16;
inline constexpr DWORD kSmallTextOutOptions = 20;

// The smallest header: the one the first metafiles wrote, before the pixel format fields.
inline constexpr DWORD kMinHeaderSize = offsetof(ENHMETAHEADER, cbPixelFormat);

// What the fixed part promises beyond itself, which the record walk keeps inside the record:
// arrays, strings, bitmaps, regions and blocks of data, each named after the records that hold it.
enum class References : unsigned char {
  kNothing,
  kHeader,  // the description and the pixel format
  kPoints,
  kPoints16,
  kPolyPoints,  // a count per polygon, then the points
  kPolyPoints16,
  kDrawPoints,  // the points, then a type byte for each
  kDrawPoints16,
  kTextA,
  kTextW,
  kPolyTextA,
  kPolyTextW,
  kSmallText,
  kBitBlt,
  kStretchBlt,
  kMaskBlt,
  kPlgBlt,
  kSetDibits,
  kStretchDibits,
  kAlphaBlend,
  kTransparentBlt,
  kBrushBitmap,
  kPenStyle,  // the user style's entries and the optional bitmap
  kFillRegion,
  kFrameRegion,
  kPaintRegion,
  kClipRegion,
  kPalette,
  kPaletteEntries,
  kEndPalette,
  kGradient,
  kComment,
  kGlsRecord,
  kGlsBoundedRecord,
  kEscape,
  kNamedEscape,
  kIcmProfile,
  kColorMatch,
  kColorSpaceData,
};

// The handle-table slot that the record names (the first field after EMR, but for a region's
// brush). Index 0 is the metafile itself.
enum class Slot : unsigned char {
  kNone,
  kObject,       // a slot of the table or a stock object
  kTable,        // a slot of the table
  kRegionBrush,  // a slot of the table: playback looks a region's brush up there alone
};

// Which values the picture check limits (content/metafile_picture.h), and the records that change
// the magnification it follows.
enum class Values : unsigned char {
  kNothing,
  kPoint,           // one point after EMR
  kRectangle,       // two points after EMR
  kRoundRectangle,  // three
  kArc,             // four
  kAngleArc,
  kPoints,
  kPoints16,
  kPolyPoints,
  kPolyPoints16,
  kBitBlt,
  kStretchBlt,  // also the blends and transparent copies, which share its layout
  kMaskBlt,
  kPlgBlt,
  kStretchDibits,
  kSetDibits,
  kText,
  kFillRegion,
  kFrameRegion,
  kPaintRegion,
  kClipRegion,
  kGradient,
  kPen,
  kExtPen,
  kFont,
  kSetTransform,
  kModifyTransform,
  kMapMode,
  kWindowExtent,
  kViewportExtent,
  kScaleWindow,
  kScaleViewport,
  kMiterLimit,
};

struct RecordRule {
  DWORD type = 0;
  // The fixed part that playback acts on; 0 where the record only has to be whole.
  DWORD fixed_size = 0;
  References references = References::kNothing;
  Slot slot = Slot::kNone;
  Values values = Values::kNothing;
};

// Every type from EMR_HEADER to EMR_MAX, in order of its number.
inline constexpr RecordRule kRecordRules[] = {
    {EMR_HEADER, kMinHeaderSize, References::kHeader},
    {EMR_POLYBEZIER, offsetof(EMRPOLYLINE, aptl), References::kPoints, Slot::kNone,
     Values::kPoints},
    {EMR_POLYGON, offsetof(EMRPOLYLINE, aptl), References::kPoints, Slot::kNone, Values::kPoints},
    {EMR_POLYLINE, offsetof(EMRPOLYLINE, aptl), References::kPoints, Slot::kNone, Values::kPoints},
    {EMR_POLYBEZIERTO, offsetof(EMRPOLYLINE, aptl), References::kPoints, Slot::kNone,
     Values::kPoints},
    {EMR_POLYLINETO, offsetof(EMRPOLYLINE, aptl), References::kPoints, Slot::kNone,
     Values::kPoints},
    {EMR_POLYPOLYLINE, offsetof(EMRPOLYPOLYLINE, aPolyCounts), References::kPolyPoints, Slot::kNone,
     Values::kPolyPoints},
    {EMR_POLYPOLYGON, offsetof(EMRPOLYPOLYLINE, aPolyCounts), References::kPolyPoints, Slot::kNone,
     Values::kPolyPoints},
    {EMR_SETWINDOWEXTEX, sizeof(EMRSETWINDOWEXTEX), References::kNothing, Slot::kNone,
     Values::kWindowExtent},
    {EMR_SETWINDOWORGEX, sizeof(EMRSETVIEWPORTORGEX), References::kNothing, Slot::kNone,
     Values::kPoint},
    {EMR_SETVIEWPORTEXTEX, sizeof(EMRSETWINDOWEXTEX), References::kNothing, Slot::kNone,
     Values::kViewportExtent},
    {EMR_SETVIEWPORTORGEX, sizeof(EMRSETVIEWPORTORGEX), References::kNothing, Slot::kNone,
     Values::kPoint},
    {EMR_SETBRUSHORGEX, sizeof(EMRSETVIEWPORTORGEX), References::kNothing, Slot::kNone,
     Values::kPoint},
    {EMR_EOF, sizeof(EMREOF), References::kEndPalette},
    {EMR_SETPIXELV, sizeof(EMRSETPIXELV), References::kNothing, Slot::kNone, Values::kPoint},
    {EMR_SETMAPPERFLAGS, sizeof(EMRSETMAPPERFLAGS)},
    {EMR_SETMAPMODE, sizeof(EMRSETMAPMODE), References::kNothing, Slot::kNone, Values::kMapMode},
    {EMR_SETBKMODE, sizeof(EMRSETBKMODE)},
    {EMR_SETPOLYFILLMODE, sizeof(EMRSETPOLYFILLMODE)},
    {EMR_SETROP2, sizeof(EMRSETROP2)},
    {EMR_SETSTRETCHBLTMODE, sizeof(EMRSETSTRETCHBLTMODE)},
    {EMR_SETTEXTALIGN, sizeof(EMRSETTEXTALIGN)},
    {EMR_SETCOLORADJUSTMENT, sizeof(EMRSETCOLORADJUSTMENT)},
    {EMR_SETTEXTCOLOR, sizeof(EMRSETTEXTCOLOR)},
    {EMR_SETBKCOLOR, sizeof(EMRSETBKCOLOR)},
    {EMR_OFFSETCLIPRGN, sizeof(EMROFFSETCLIPRGN), References::kNothing, Slot::kNone,
     Values::kPoint},
    {EMR_MOVETOEX, sizeof(EMRMOVETOEX), References::kNothing, Slot::kNone, Values::kPoint},
    {EMR_SETMETARGN},
    {EMR_EXCLUDECLIPRECT, sizeof(EMREXCLUDECLIPRECT), References::kNothing, Slot::kNone,
     Values::kRectangle},
    {EMR_INTERSECTCLIPRECT, sizeof(EMRINTERSECTCLIPRECT), References::kNothing, Slot::kNone,
     Values::kRectangle},
    {EMR_SCALEVIEWPORTEXTEX, sizeof(EMRSCALEVIEWPORTEXTEX), References::kNothing, Slot::kNone,
     Values::kScaleViewport},
    {EMR_SCALEWINDOWEXTEX, sizeof(EMRSCALEWINDOWEXTEX), References::kNothing, Slot::kNone,
     Values::kScaleWindow},
    {EMR_SAVEDC},
    {EMR_RESTOREDC, sizeof(EMRRESTOREDC)},
    {EMR_SETWORLDTRANSFORM, sizeof(EMRSETWORLDTRANSFORM), References::kNothing, Slot::kNone,
     Values::kSetTransform},
    {EMR_MODIFYWORLDTRANSFORM, sizeof(EMRMODIFYWORLDTRANSFORM), References::kNothing, Slot::kNone,
     Values::kModifyTransform},
    {EMR_SELECTOBJECT, sizeof(EMRSELECTOBJECT), References::kNothing, Slot::kObject},
    {EMR_CREATEPEN, sizeof(EMRCREATEPEN), References::kNothing, Slot::kTable, Values::kPen},
    {EMR_CREATEBRUSHINDIRECT, sizeof(EMRCREATEBRUSHINDIRECT), References::kNothing, Slot::kTable},
    {EMR_DELETEOBJECT, sizeof(EMRDELETEOBJECT), References::kNothing, Slot::kTable},
    {EMR_ANGLEARC, sizeof(EMRANGLEARC), References::kNothing, Slot::kNone, Values::kAngleArc},
    {EMR_ELLIPSE, sizeof(EMRELLIPSE), References::kNothing, Slot::kNone, Values::kRectangle},
    {EMR_RECTANGLE, sizeof(EMRRECTANGLE), References::kNothing, Slot::kNone, Values::kRectangle},
    {EMR_ROUNDRECT, sizeof(EMRROUNDRECT), References::kNothing, Slot::kNone,
     Values::kRoundRectangle},
    {EMR_ARC, sizeof(EMRARC), References::kNothing, Slot::kNone, Values::kArc},
    {EMR_CHORD, sizeof(EMRCHORD), References::kNothing, Slot::kNone, Values::kArc},
    {EMR_PIE, sizeof(EMRPIE), References::kNothing, Slot::kNone, Values::kArc},
    {EMR_SELECTPALETTE, sizeof(EMRSELECTPALETTE), References::kNothing, Slot::kObject},
    {EMR_CREATEPALETTE, offsetof(EMRCREATEPALETTE, lgpl.palPalEntry), References::kPalette,
     Slot::kTable},
    {EMR_SETPALETTEENTRIES, offsetof(EMRSETPALETTEENTRIES, aPalEntries),
     References::kPaletteEntries, Slot::kTable},
    {EMR_RESIZEPALETTE, sizeof(EMRRESIZEPALETTE), References::kNothing, Slot::kTable},
    {EMR_REALIZEPALETTE},
    {EMR_EXTFLOODFILL, sizeof(EMREXTFLOODFILL), References::kNothing, Slot::kNone, Values::kPoint},
    {EMR_LINETO, sizeof(EMRLINETO), References::kNothing, Slot::kNone, Values::kPoint},
    {EMR_ARCTO, sizeof(EMRARCTO), References::kNothing, Slot::kNone, Values::kArc},
    {EMR_POLYDRAW, offsetof(EMRPOLYDRAW, aptl), References::kDrawPoints, Slot::kNone,
     Values::kPoints},
    {EMR_SETARCDIRECTION, sizeof(EMRSETARCDIRECTION)},
    {EMR_SETMITERLIMIT, sizeof(EMRSETMITERLIMIT), References::kNothing, Slot::kNone,
     Values::kMiterLimit},
    {EMR_BEGINPATH},
    {EMR_ENDPATH},
    {EMR_CLOSEFIGURE},
    {EMR_FILLPATH, sizeof(EMRFILLPATH)},
    {EMR_STROKEANDFILLPATH, sizeof(EMRSTROKEANDFILLPATH)},
    {EMR_STROKEPATH, sizeof(EMRSTROKEPATH)},
    {EMR_FLATTENPATH},
    {EMR_WIDENPATH},
    {EMR_SELECTCLIPPATH, sizeof(EMRSELECTCLIPPATH)},
    {EMR_ABORTPATH},
    {EMR_ABORTPATH + 1},  // no record has this number
    {EMR_GDICOMMENT, offsetof(EMRGDICOMMENT, Data), References::kComment},
    {EMR_FILLRGN, offsetof(EMRFILLRGN, RgnData), References::kFillRegion, Slot::kRegionBrush,
     Values::kFillRegion},
    {EMR_FRAMERGN, offsetof(EMRFRAMERGN, RgnData), References::kFrameRegion, Slot::kRegionBrush,
     Values::kFrameRegion},
    {EMR_INVERTRGN, offsetof(EMRINVERTRGN, RgnData), References::kPaintRegion, Slot::kNone,
     Values::kPaintRegion},
    {EMR_PAINTRGN, offsetof(EMRPAINTRGN, RgnData), References::kPaintRegion, Slot::kNone,
     Values::kPaintRegion},
    {EMR_EXTSELECTCLIPRGN, offsetof(EMREXTSELECTCLIPRGN, RgnData), References::kClipRegion,
     Slot::kNone, Values::kClipRegion},
    {EMR_BITBLT, sizeof(EMRBITBLT), References::kBitBlt, Slot::kNone, Values::kBitBlt},
    {EMR_STRETCHBLT, sizeof(EMRSTRETCHBLT), References::kStretchBlt, Slot::kNone,
     Values::kStretchBlt},
    {EMR_MASKBLT, sizeof(EMRMASKBLT), References::kMaskBlt, Slot::kNone, Values::kMaskBlt},
    {EMR_PLGBLT, sizeof(EMRPLGBLT), References::kPlgBlt, Slot::kNone, Values::kPlgBlt},
    {EMR_SETDIBITSTODEVICE, sizeof(EMRSETDIBITSTODEVICE), References::kSetDibits, Slot::kNone,
     Values::kSetDibits},
    {EMR_STRETCHDIBITS, sizeof(EMRSTRETCHDIBITS), References::kStretchDibits, Slot::kNone,
     Values::kStretchDibits},
    // The font may be a plain LOGFONTW rather than the whole EXTLOGFONTW.
    {EMR_EXTCREATEFONTINDIRECTW, offsetof(EMREXTCREATEFONTINDIRECTW, elfw) + sizeof(LOGFONTW),
     References::kNothing, Slot::kTable, Values::kFont},
    {EMR_EXTTEXTOUTA, sizeof(EMREXTTEXTOUTA), References::kTextA, Slot::kNone, Values::kText},
    {EMR_EXTTEXTOUTW, sizeof(EMREXTTEXTOUTW), References::kTextW, Slot::kNone, Values::kText},
    {EMR_POLYBEZIER16, offsetof(EMRPOLYLINE16, apts), References::kPoints16, Slot::kNone,
     Values::kPoints16},
    {EMR_POLYGON16, offsetof(EMRPOLYLINE16, apts), References::kPoints16, Slot::kNone,
     Values::kPoints16},
    {EMR_POLYLINE16, offsetof(EMRPOLYLINE16, apts), References::kPoints16, Slot::kNone,
     Values::kPoints16},
    {EMR_POLYBEZIERTO16, offsetof(EMRPOLYLINE16, apts), References::kPoints16, Slot::kNone,
     Values::kPoints16},
    {EMR_POLYLINETO16, offsetof(EMRPOLYLINE16, apts), References::kPoints16, Slot::kNone,
     Values::kPoints16},
    {EMR_POLYPOLYLINE16, offsetof(EMRPOLYPOLYLINE16, aPolyCounts), References::kPolyPoints16,
     Slot::kNone, Values::kPolyPoints16},
    {EMR_POLYPOLYGON16, offsetof(EMRPOLYPOLYLINE16, aPolyCounts), References::kPolyPoints16,
     Slot::kNone, Values::kPolyPoints16},
    {EMR_POLYDRAW16, offsetof(EMRPOLYDRAW16, apts), References::kDrawPoints16, Slot::kNone,
     Values::kPoints16},
    {EMR_CREATEMONOBRUSH, sizeof(EMRCREATEMONOBRUSH), References::kBrushBitmap, Slot::kTable},
    {EMR_CREATEDIBPATTERNBRUSHPT, sizeof(EMRCREATEDIBPATTERNBRUSHPT), References::kBrushBitmap,
     Slot::kTable},
    {EMR_EXTCREATEPEN, offsetof(ExtCreatePenRecord, elp.elpStyleEntry), References::kPenStyle,
     Slot::kTable, Values::kExtPen},
    {EMR_POLYTEXTOUTA, offsetof(EMRPOLYTEXTOUTA, aemrtext), References::kPolyTextA},
    {EMR_POLYTEXTOUTW, offsetof(EMRPOLYTEXTOUTW, aemrtext), References::kPolyTextW},
    {EMR_SETICMMODE, sizeof(EMRSETICMMODE)},
    {EMR_CREATECOLORSPACE, sizeof(EMRCREATECOLORSPACE), References::kNothing, Slot::kTable},
    {EMR_SETCOLORSPACE, sizeof(EMRSETCOLORSPACE), References::kNothing, Slot::kTable},
    {EMR_DELETECOLORSPACE, sizeof(EMRDELETECOLORSPACE), References::kNothing, Slot::kTable},
    {EMR_GLSRECORD, offsetof(EMRGLSRECORD, Data), References::kGlsRecord},
    {EMR_GLSBOUNDEDRECORD, offsetof(EMRGLSBOUNDEDRECORD, Data), References::kGlsBoundedRecord},
    {EMR_PIXELFORMAT, sizeof(EMRPIXELFORMAT)},
    {EMR_RESERVED_105, offsetof(EMREXTESCAPE, EscData), References::kEscape},  // draw escape
    {EMR_RESERVED_106, offsetof(EMREXTESCAPE, EscData), References::kEscape},  // extended escape
    {EMR_RESERVED_107},
    {kEmrSmallTextOut, kSmallTextOutFixed, References::kSmallText},
    {EMR_RESERVED_109},
    {EMR_RESERVED_110, offsetof(EMRNAMEDESCAPE, EscData),
     References::kNamedEscape},  // named escape
    {EMR_COLORCORRECTPALETTE, sizeof(EMRCOLORCORRECTPALETTE), References::kNothing, Slot::kTable},
    {EMR_SETICMPROFILEA, offsetof(EMRSETICMPROFILEA, Data), References::kIcmProfile},
    {EMR_SETICMPROFILEW, offsetof(EMRSETICMPROFILEW, Data), References::kIcmProfile},
    {EMR_ALPHABLEND, sizeof(EMRALPHABLEND), References::kAlphaBlend, Slot::kNone,
     Values::kStretchBlt},
    {EMR_SETLAYOUT, sizeof(EMRSETLAYOUT)},
    {EMR_TRANSPARENTBLT, sizeof(EMRTRANSPARENTBLT), References::kTransparentBlt, Slot::kNone,
     Values::kStretchBlt},
    {EMR_RESERVED_117},
    {EMR_GRADIENTFILL, offsetof(EMRGRADIENTFILL, Ver), References::kGradient, Slot::kNone,
     Values::kGradient},
    {EMR_RESERVED_119},
    {EMR_RESERVED_120},
    {EMR_COLORMATCHTOTARGETW, offsetof(EMRCOLORMATCHTOTARGET, Data), References::kColorMatch},
    {EMR_CREATECOLORSPACEW, offsetof(EMRCREATECOLORSPACEW, Data), References::kColorSpaceData,
     Slot::kTable},
};

constexpr bool RulesInOrderOfType() {
  DWORD type = EMR_MIN;
  for (const RecordRule& rule : kRecordRules)
    if (rule.type != type++) return false;
  return type == EMR_MAX + 1;
}
static_assert(RulesInOrderOfType(), "a record type's rules are found by its number");

// A type outside the table is a record without rules: it only has to be whole.
inline constexpr RecordRule kNoRules = {};

constexpr const RecordRule& RuleOf(DWORD type) {
  return type >= EMR_MIN && type <= EMR_MAX ? kRecordRules[type - EMR_MIN] : kNoRules;
}

}  // namespace talo::metafile
