// The record walk that every enhanced metafile from a file passes before GDI sees it.
#include "content/metafile_records.h"

#include <windows.h>

#include <cstddef>

namespace talo {
namespace {

// EMR_SMALLTEXTOUT, which <wingdi.h> leaves among its reserved types: x, y, cChars, fuOptions,
// iGraphicsMode, exScale and eyScale, then a bounding rectangle unless ETO_NO_RECT, then cChars
// characters, single bytes under ETO_SMALL_CHARS.
constexpr DWORD kEmrSmallTextOut = 108;
constexpr DWORD kSmallTextOutFixed = 36;
constexpr DWORD kSmallTextOutChars = 16;
constexpr DWORD kSmallTextOutOptions = 20;
constexpr DWORD kEtoNoRect = 0x100;
constexpr DWORD kEtoSmallChars = 0x200;

// The smallest header: the one the first metafiles wrote, before the pixel format fields.
constexpr DWORD kMinHeaderSize = offsetof(ENHMETAHEADER, cbPixelFormat);

// Offsets inside a bitmap's info may be at any byte.
DWORD DwordAt(const BYTE* at) {
  return DWORD(at[0]) | DWORD(at[1]) << 8 | DWORD(at[2]) << 16 | DWORD(at[3]) << 24;
}
DWORD WordAt(const BYTE* at) { return DWORD(at[0]) | DWORD(at[1]) << 8; }

bool Inside(DWORD offset, DWORD length, DWORD size) {
  return offset <= size && length <= size - offset;
}

bool ArrayInside(DWORD offset, DWORD count, DWORD item_size, DWORD size) {
  return offset <= size && count <= (size - offset) / item_size;
}

// Index 0 of the handle table is the metafile itself; records create objects after it.
bool IsTableIndex(DWORD index, DWORD handles) { return index != 0 && index < handles; }

bool IsObjectIndex(DWORD index, DWORD handles) {
  return (index & ENHMETA_STOCK_OBJECT) != 0 || IsTableIndex(index, handles);
}

// The records that create, select or delete one object name its handle-table slot first.
DWORD SlotOf(const BYTE* record) {
  return reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject;
}

// The fixed part of each record type that playback acts on; 0 for the rest, which only have to
// be whole records.
DWORD FixedSize(DWORD type) {
  switch (type) {
    case EMR_HEADER:
      return kMinHeaderSize;
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
      return offsetof(EMRPOLYLINE, aptl);
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
      return offsetof(EMRPOLYPOLYLINE, aPolyCounts);
    case EMR_SETWINDOWEXTEX:
    case EMR_SETVIEWPORTEXTEX:
      return sizeof(EMRSETWINDOWEXTEX);
    case EMR_SETWINDOWORGEX:
    case EMR_SETVIEWPORTORGEX:
    case EMR_SETBRUSHORGEX:
      return sizeof(EMRSETVIEWPORTORGEX);
    case EMR_EOF:
      return sizeof(EMREOF);
    case EMR_SETPIXELV:
      return sizeof(EMRSETPIXELV);
    case EMR_SETMAPPERFLAGS:
      return sizeof(EMRSETMAPPERFLAGS);
    case EMR_SETMAPMODE:
    case EMR_SETBKMODE:
    case EMR_SETPOLYFILLMODE:
    case EMR_SETROP2:
    case EMR_SETSTRETCHBLTMODE:
    case EMR_SETTEXTALIGN:
    case EMR_SELECTCLIPPATH:
    case EMR_SETICMMODE:
    case EMR_SETLAYOUT:
      return sizeof(EMRSELECTCLIPPATH);
    case EMR_SETCOLORADJUSTMENT:
      return sizeof(EMRSETCOLORADJUSTMENT);
    case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR:
      return sizeof(EMRSETTEXTCOLOR);
    case EMR_OFFSETCLIPRGN:
      return sizeof(EMROFFSETCLIPRGN);
    case EMR_MOVETOEX:
    case EMR_LINETO:
      return sizeof(EMRLINETO);
    case EMR_EXCLUDECLIPRECT:
    case EMR_INTERSECTCLIPRECT:
      return sizeof(EMREXCLUDECLIPRECT);
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX:
      return sizeof(EMRSCALEVIEWPORTEXTEX);
    case EMR_RESTOREDC:
      return sizeof(EMRRESTOREDC);
    case EMR_SETWORLDTRANSFORM:
      return sizeof(EMRSETWORLDTRANSFORM);
    case EMR_MODIFYWORLDTRANSFORM:
      return sizeof(EMRMODIFYWORLDTRANSFORM);
    case EMR_SELECTOBJECT:
    case EMR_DELETEOBJECT:
      return sizeof(EMRSELECTOBJECT);
    case EMR_CREATEPEN:
      return sizeof(EMRCREATEPEN);
    case EMR_CREATEBRUSHINDIRECT:
      return sizeof(EMRCREATEBRUSHINDIRECT);
    case EMR_ANGLEARC:
      return sizeof(EMRANGLEARC);
    case EMR_ELLIPSE:
    case EMR_RECTANGLE:
      return sizeof(EMRRECTANGLE);
    case EMR_ROUNDRECT:
      return sizeof(EMRROUNDRECT);
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
    case EMR_ARCTO:
      return sizeof(EMRARC);
    case EMR_SELECTPALETTE:
      return sizeof(EMRSELECTPALETTE);
    case EMR_CREATEPALETTE:
      return offsetof(EMRCREATEPALETTE, lgpl.palPalEntry);
    case EMR_SETPALETTEENTRIES:
      return offsetof(EMRSETPALETTEENTRIES, aPalEntries);
    case EMR_RESIZEPALETTE:
      return sizeof(EMRRESIZEPALETTE);
    case EMR_EXTFLOODFILL:
      return sizeof(EMREXTFLOODFILL);
    case EMR_POLYDRAW:
      return offsetof(EMRPOLYDRAW, aptl);
    case EMR_SETARCDIRECTION:
      return sizeof(EMRSETARCDIRECTION);
    case EMR_SETMITERLIMIT:
      return sizeof(EMRSETMITERLIMIT);
    case EMR_FILLPATH:
    case EMR_STROKEANDFILLPATH:
    case EMR_STROKEPATH:
      return sizeof(EMRFILLPATH);
    case EMR_GDICOMMENT:
      return offsetof(EMRGDICOMMENT, Data);
    case EMR_FILLRGN:
      return offsetof(EMRFILLRGN, RgnData);
    case EMR_FRAMERGN:
      return offsetof(EMRFRAMERGN, RgnData);
    case EMR_INVERTRGN:
    case EMR_PAINTRGN:
      return offsetof(EMRINVERTRGN, RgnData);
    case EMR_EXTSELECTCLIPRGN:
      return offsetof(EMREXTSELECTCLIPRGN, RgnData);
    case EMR_BITBLT:
      return sizeof(EMRBITBLT);
    case EMR_STRETCHBLT:
      return sizeof(EMRSTRETCHBLT);
    case EMR_MASKBLT:
      return sizeof(EMRMASKBLT);
    case EMR_PLGBLT:
      return sizeof(EMRPLGBLT);
    case EMR_SETDIBITSTODEVICE:
      return sizeof(EMRSETDIBITSTODEVICE);
    case EMR_STRETCHDIBITS:
      return sizeof(EMRSTRETCHDIBITS);
    case EMR_EXTCREATEFONTINDIRECTW:
      // The font may be a plain LOGFONTW rather than the whole EXTLOGFONTW.
      return offsetof(EMREXTCREATEFONTINDIRECTW, elfw) + sizeof(LOGFONTW);
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW:
      return sizeof(EMREXTTEXTOUTW);
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
      return offsetof(EMRPOLYLINE16, apts);
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
      return offsetof(EMRPOLYPOLYLINE16, aPolyCounts);
    case EMR_POLYDRAW16:
      return offsetof(EMRPOLYDRAW16, apts);
    case EMR_CREATEMONOBRUSH:
      return sizeof(EMRCREATEMONOBRUSH);
    case EMR_CREATEDIBPATTERNBRUSHPT:
      return sizeof(EMRCREATEDIBPATTERNBRUSHPT);
    case EMR_EXTCREATEPEN:
      return offsetof(ExtCreatePenRecord, elp.elpStyleEntry);
    case EMR_POLYTEXTOUTA:
    case EMR_POLYTEXTOUTW:
      return offsetof(EMRPOLYTEXTOUTW, aemrtext);
    case EMR_CREATECOLORSPACE:
      return sizeof(EMRCREATECOLORSPACE);
    case EMR_SETCOLORSPACE:
    case EMR_DELETECOLORSPACE:
      return sizeof(EMRSETCOLORSPACE);
    case EMR_GLSRECORD:
      return offsetof(EMRGLSRECORD, Data);
    case EMR_GLSBOUNDEDRECORD:
      return offsetof(EMRGLSBOUNDEDRECORD, Data);
    case EMR_PIXELFORMAT:
      return sizeof(EMRPIXELFORMAT);
    case EMR_RESERVED_105:  // draw escape
    case EMR_RESERVED_106:  // extended escape
      return offsetof(EMREXTESCAPE, EscData);
    case kEmrSmallTextOut:
      return kSmallTextOutFixed;
    case EMR_RESERVED_110:  // named escape
      return offsetof(EMRNAMEDESCAPE, EscData);
    case EMR_COLORCORRECTPALETTE:
      return sizeof(EMRCOLORCORRECTPALETTE);
    case EMR_SETICMPROFILEA:
    case EMR_SETICMPROFILEW:
      return offsetof(EMRSETICMPROFILE, Data);
    case EMR_ALPHABLEND:
      return sizeof(EMRALPHABLEND);
    case EMR_TRANSPARENTBLT:
      return sizeof(EMRTRANSPARENTBLT);
    case EMR_GRADIENTFILL:
      return offsetof(EMRGRADIENTFILL, Ver);
    case EMR_COLORMATCHTOTARGETW:
      return offsetof(EMRCOLORMATCHTOTARGET, Data);
    case EMR_CREATECOLORSPACEW:
      return offsetof(EMRCREATECOLORSPACEW, Data);
    default:
      return 0;
  }
}

// A bitmap carried in a record: the info and the pixels lie inside the record, the colour table
// inside the info, and the pixels hold every row the info promises, or the `scans` rows that the
// record draws where it draws only some (for compressed pixels, the image size the info gives,
// which is where the decoder stops).
bool DibInside(const BYTE* record, DWORD size, DWORD usage, DWORD info, DWORD info_size, DWORD bits,
               DWORD bits_size, DWORD scans = 0xFFFFFFFF) {
  if (!Inside(info, info_size, size) || !Inside(bits, bits_size, size) || info_size < sizeof(DWORD))
    return false;
  const BYTE* header = record + info;
  const DWORD header_size = DwordAt(header);
  if (header_size > info_size) return false;
  DWORD entry_size = usage == DIB_PAL_COLORS ? sizeof(WORD) : sizeof(RGBQUAD);
  DWORD width, rows, bit_count, colors = 0, compression = BI_RGB, image_size = 0;
  DWORD table = header_size;
  if (header_size == sizeof(BITMAPCOREHEADER)) {
    width = WordAt(header + offsetof(BITMAPCOREHEADER, bcWidth));
    rows = WordAt(header + offsetof(BITMAPCOREHEADER, bcHeight));
    bit_count = WordAt(header + offsetof(BITMAPCOREHEADER, bcBitCount));
    if (usage != DIB_PAL_COLORS) entry_size = sizeof(RGBTRIPLE);
  } else if (header_size >= sizeof(BITMAPINFOHEADER)) {
    width = DwordAt(header + offsetof(BITMAPINFOHEADER, biWidth));
    const DWORD height = DwordAt(header + offsetof(BITMAPINFOHEADER, biHeight));
    if (width & 0x80000000) return false;
    rows = height & 0x80000000 ? 0 - height : height;  // negative heights run top-down
    bit_count = WordAt(header + offsetof(BITMAPINFOHEADER, biBitCount));
    compression = DwordAt(header + offsetof(BITMAPINFOHEADER, biCompression));
    image_size = DwordAt(header + offsetof(BITMAPINFOHEADER, biSizeImage));
    colors = DwordAt(header + offsetof(BITMAPINFOHEADER, biClrUsed));
    // The colour masks follow a plain info header.
    if (compression == BI_BITFIELDS && header_size == sizeof(BITMAPINFOHEADER))
      table += 3 * sizeof(DWORD);
  } else {
    return false;
  }
  if (colors == 0 && bit_count >= 1 && bit_count <= 8) colors = 1u << bit_count;
  if (!ArrayInside(table, colors, entry_size, info_size)) return false;
  if (compression == BI_RLE8 || compression == BI_RLE4 || compression == BI_JPEG ||
      compression == BI_PNG)
    return image_size <= bits_size;
  if (rows > scans) rows = scans;
  const unsigned long long stride =
      (static_cast<unsigned long long>(width) * bit_count + 31) / 32 * 4;
  if (stride > bits_size) return false;
  return stride == 0 || rows <= bits_size / static_cast<DWORD>(stride);
}

// The record's optional bitmap: none when its info has no bytes.
bool OptionalDibInside(const BYTE* record, DWORD size, DWORD usage, DWORD info, DWORD info_size,
                       DWORD bits, DWORD bits_size) {
  return info_size == 0 || DibInside(record, size, usage, info, info_size, bits, bits_size);
}

// A blit's source or mask bitmap: none only when both its info offset and size are 0. Playback
// reads an info wherever a non-zero offset points, whatever the size says (Wine's did, far outside
// the record).
bool BlitDibInside(const BYTE* record, DWORD size, DWORD usage, DWORD info, DWORD info_size,
                   DWORD bits, DWORD bits_size) {
  return (info == 0 && info_size == 0) ||
         DibInside(record, size, usage, info, info_size, bits, bits_size);
}

bool TextInside(DWORD size, const EMRTEXT& text, DWORD char_size) {
  if (text.nChars == 0) return true;
  if (!ArrayInside(text.offString, text.nChars, char_size, size)) return false;
  // Under ETO_PDY every character has a vertical advance after its horizontal one.
  const DWORD advance_size = text.fOptions & ETO_PDY ? 2 * sizeof(INT) : sizeof(INT);
  return text.offDx == 0 || ArrayInside(text.offDx, text.nChars, advance_size, size);
}

// An ANSI string given as glyph indices is read as 16-bit values.
DWORD AnsiCharSize(const EMRTEXT& text) {
  return text.fOptions & ETO_GLYPH_INDEX ? sizeof(WORD) : sizeof(char);
}

bool RegionInside(const BYTE* record, DWORD size, DWORD offset, DWORD region_size) {
  if (!Inside(offset, region_size, size) || region_size < sizeof(RGNDATAHEADER)) return false;
  const auto* header = reinterpret_cast<const RGNDATAHEADER*>(record + offset);
  return header->dwSize == sizeof(RGNDATAHEADER) &&
         header->nCount <= (region_size - sizeof(RGNDATAHEADER)) / sizeof(RECT);
}

// A poly-polygon's counts, then its points; the counts add up to no more than the points.
bool PolyPolyInside(const BYTE* record, DWORD size, DWORD counts_offset, DWORD polys, DWORD points,
                    DWORD point_size) {
  if (!ArrayInside(counts_offset, polys, sizeof(DWORD), size) ||
      !ArrayInside(counts_offset + polys * sizeof(DWORD), points, point_size, size))
    return false;
  const auto* counts = reinterpret_cast<const DWORD*>(record + counts_offset);
  DWORD left = points;
  for (DWORD i = 0; i < polys; ++i) {
    if (counts[i] > left) return false;
    left -= counts[i];
  }
  return true;
}

// Vertices, then triangles or rectangles naming vertices by index.
bool GradientInside(const BYTE* record, DWORD size) {
  const auto* fill = reinterpret_cast<const EMRGRADIENTFILL*>(record);
  const DWORD corners = fill->ulMode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
  const DWORD vertices = offsetof(EMRGRADIENTFILL, Ver);
  if (!ArrayInside(vertices, fill->nVer, sizeof(TRIVERTEX), size)) return false;
  const DWORD shapes = vertices + fill->nVer * sizeof(TRIVERTEX);
  if (!ArrayInside(shapes, fill->nTri, corners * sizeof(ULONG), size)) return false;
  const auto* index = reinterpret_cast<const ULONG*>(record + shapes);
  for (DWORD i = 0; i < fill->nTri * corners; ++i)
    if (index[i] >= fill->nVer) return false;
  return true;
}

// What the fixed part of a record promises beyond itself: arrays, strings, bitmaps, regions and
// handle-table slots.
bool PartsInside(const BYTE* record, DWORD type, DWORD size, DWORD handles) {
  switch (type) {
    case EMR_HEADER: {
      const auto* header = reinterpret_cast<const ENHMETAHEADER*>(record);
      if (header->nDescription != 0 &&
          !ArrayInside(header->offDescription, header->nDescription, sizeof(WCHAR), size))
        return false;
      return size < offsetof(ENHMETAHEADER, bOpenGL) || header->cbPixelFormat == 0 ||
             Inside(header->offPixelFormat, header->cbPixelFormat, size);
    }
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
      return ArrayInside(offsetof(EMRPOLYLINE, aptl),
                         reinterpret_cast<const EMRPOLYLINE*>(record)->cptl, sizeof(POINTL), size);
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
      return ArrayInside(offsetof(EMRPOLYLINE16, apts),
                         reinterpret_cast<const EMRPOLYLINE16*>(record)->cpts, sizeof(POINTS),
                         size);
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON: {
      const auto* poly = reinterpret_cast<const EMRPOLYPOLYLINE*>(record);
      return PolyPolyInside(record, size, offsetof(EMRPOLYPOLYLINE, aPolyCounts), poly->nPolys,
                            poly->cptl, sizeof(POINTL));
    }
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16: {
      const auto* poly = reinterpret_cast<const EMRPOLYPOLYLINE16*>(record);
      return PolyPolyInside(record, size, offsetof(EMRPOLYPOLYLINE16, aPolyCounts), poly->nPolys,
                            poly->cpts, sizeof(POINTS));
    }
    // A point, then a type byte for each point after all the points.
    case EMR_POLYDRAW:
      return ArrayInside(offsetof(EMRPOLYDRAW, aptl),
                         reinterpret_cast<const EMRPOLYDRAW*>(record)->cptl, sizeof(POINTL) + 1,
                         size);
    case EMR_POLYDRAW16:
      return ArrayInside(offsetof(EMRPOLYDRAW16, apts),
                         reinterpret_cast<const EMRPOLYDRAW16*>(record)->cpts, sizeof(POINTS) + 1,
                         size);

    case EMR_EXTTEXTOUTA: {
      const EMRTEXT& text = reinterpret_cast<const EMREXTTEXTOUTA*>(record)->emrtext;
      return TextInside(size, text, AnsiCharSize(text));
    }
    case EMR_EXTTEXTOUTW:
      return TextInside(size, reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext,
                        sizeof(WCHAR));
    case EMR_POLYTEXTOUTA:
    case EMR_POLYTEXTOUTW: {
      const auto* poly = reinterpret_cast<const EMRPOLYTEXTOUTW*>(record);
      const DWORD strings = static_cast<DWORD>(poly->cStrings);
      if (!ArrayInside(offsetof(EMRPOLYTEXTOUTW, aemrtext), strings, sizeof(EMRTEXT), size))
        return false;
      for (DWORD i = 0; i < strings; ++i) {
        const EMRTEXT& text = poly->aemrtext[i];
        if (!TextInside(size, text, type == EMR_POLYTEXTOUTW ? sizeof(WCHAR) : AnsiCharSize(text)))
          return false;
      }
      return true;
    }
    case kEmrSmallTextOut: {
      const DWORD options = DwordAt(record + kSmallTextOutOptions);
      const DWORD text = kSmallTextOutFixed + (options & kEtoNoRect ? 0 : sizeof(RECTL));
      return ArrayInside(text, DwordAt(record + kSmallTextOutChars),
                         options & kEtoSmallChars ? sizeof(char) : sizeof(WCHAR), size);
    }

    case EMR_BITBLT: {
      const auto* blt = reinterpret_cast<const EMRBITBLT*>(record);
      return BlitDibInside(record, size, blt->iUsageSrc, blt->offBmiSrc, blt->cbBmiSrc,
                           blt->offBitsSrc, blt->cbBitsSrc);
    }
    case EMR_STRETCHBLT: {
      const auto* blt = reinterpret_cast<const EMRSTRETCHBLT*>(record);
      return BlitDibInside(record, size, blt->iUsageSrc, blt->offBmiSrc, blt->cbBmiSrc,
                           blt->offBitsSrc, blt->cbBitsSrc);
    }
    case EMR_MASKBLT: {
      const auto* blt = reinterpret_cast<const EMRMASKBLT*>(record);
      return DibInside(record, size, blt->iUsageSrc, blt->offBmiSrc, blt->cbBmiSrc, blt->offBitsSrc,
                       blt->cbBitsSrc) &&
             BlitDibInside(record, size, blt->iUsageMask, blt->offBmiMask, blt->cbBmiMask,
                           blt->offBitsMask, blt->cbBitsMask);
    }
    case EMR_PLGBLT: {
      const auto* blt = reinterpret_cast<const EMRPLGBLT*>(record);
      return DibInside(record, size, blt->iUsageSrc, blt->offBmiSrc, blt->cbBmiSrc, blt->offBitsSrc,
                       blt->cbBitsSrc) &&
             BlitDibInside(record, size, blt->iUsageMask, blt->offBmiMask, blt->cbBmiMask,
                           blt->offBitsMask, blt->cbBitsMask);
    }
    case EMR_SETDIBITSTODEVICE: {
      const auto* set = reinterpret_cast<const EMRSETDIBITSTODEVICE*>(record);
      return DibInside(record, size, set->iUsageSrc, set->offBmiSrc, set->cbBmiSrc, set->offBitsSrc,
                       set->cbBitsSrc, set->cScans);
    }
    case EMR_STRETCHDIBITS: {
      const auto* stretch = reinterpret_cast<const EMRSTRETCHDIBITS*>(record);
      return DibInside(record, size, stretch->iUsageSrc, stretch->offBmiSrc, stretch->cbBmiSrc,
                       stretch->offBitsSrc, stretch->cbBitsSrc);
    }
    case EMR_ALPHABLEND: {
      const auto* blend = reinterpret_cast<const EMRALPHABLEND*>(record);
      return DibInside(record, size, blend->iUsageSrc, blend->offBmiSrc, blend->cbBmiSrc,
                       blend->offBitsSrc, blend->cbBitsSrc);
    }
    case EMR_TRANSPARENTBLT: {
      const auto* blt = reinterpret_cast<const EMRTRANSPARENTBLT*>(record);
      return DibInside(record, size, blt->iUsageSrc, blt->offBmiSrc, blt->cbBmiSrc, blt->offBitsSrc,
                       blt->cbBitsSrc);
    }
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT: {
      const auto* brush = reinterpret_cast<const EMRCREATEDIBPATTERNBRUSHPT*>(record);
      return IsTableIndex(brush->ihBrush, handles) &&
             DibInside(record, size, brush->iUsage, brush->offBmi, brush->cbBmi, brush->offBits,
                       brush->cbBits);
    }
    case EMR_EXTCREATEPEN: {
      const auto* pen = reinterpret_cast<const ExtCreatePenRecord*>(record);
      return IsTableIndex(pen->ihPen, handles) &&
             ArrayInside(offsetof(ExtCreatePenRecord, elp.elpStyleEntry), pen->elp.elpNumEntries,
                         sizeof(DWORD), size) &&
             OptionalDibInside(record, size, DIB_RGB_COLORS, pen->offBmi, pen->cbBmi, pen->offBits,
                               pen->cbBits);
    }

    // Playback looks a region's brush up in the handle table alone: a stock brush index there
    // reads far outside the table (it crashed Wine).
    case EMR_FILLRGN: {
      const auto* fill = reinterpret_cast<const EMRFILLRGN*>(record);
      return IsTableIndex(fill->ihBrush, handles) &&
             RegionInside(record, size, offsetof(EMRFILLRGN, RgnData), fill->cbRgnData);
    }
    case EMR_FRAMERGN: {
      const auto* frame = reinterpret_cast<const EMRFRAMERGN*>(record);
      return IsTableIndex(frame->ihBrush, handles) &&
             RegionInside(record, size, offsetof(EMRFRAMERGN, RgnData), frame->cbRgnData);
    }
    case EMR_INVERTRGN:
    case EMR_PAINTRGN:
      return RegionInside(record, size, offsetof(EMRINVERTRGN, RgnData),
                          reinterpret_cast<const EMRINVERTRGN*>(record)->cbRgnData);
    case EMR_EXTSELECTCLIPRGN: {
      // No region data selects the default clipping.
      const DWORD region_size = reinterpret_cast<const EMREXTSELECTCLIPRGN*>(record)->cbRgnData;
      return region_size == 0 ||
             RegionInside(record, size, offsetof(EMREXTSELECTCLIPRGN, RgnData), region_size);
    }

    case EMR_SELECTOBJECT:
    case EMR_SELECTPALETTE:
      return IsObjectIndex(SlotOf(record), handles);
    case EMR_DELETEOBJECT:
    case EMR_SETCOLORSPACE:
    case EMR_DELETECOLORSPACE:
    case EMR_RESIZEPALETTE:
    case EMR_CREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_CREATECOLORSPACE:
    case EMR_COLORCORRECTPALETTE:
      return IsTableIndex(SlotOf(record), handles);
    case EMR_CREATECOLORSPACEW: {
      const auto* space = reinterpret_cast<const EMRCREATECOLORSPACEW*>(record);
      return IsTableIndex(space->ihCS, handles) &&
             Inside(offsetof(EMRCREATECOLORSPACEW, Data), space->cbData, size);
    }
    case EMR_CREATEPALETTE: {
      const auto* palette = reinterpret_cast<const EMRCREATEPALETTE*>(record);
      return IsTableIndex(palette->ihPal, handles) &&
             ArrayInside(offsetof(EMRCREATEPALETTE, lgpl.palPalEntry), palette->lgpl.palNumEntries,
                         sizeof(PALETTEENTRY), size);
    }
    case EMR_SETPALETTEENTRIES: {
      const auto* entries = reinterpret_cast<const EMRSETPALETTEENTRIES*>(record);
      return IsTableIndex(entries->ihPal, handles) &&
             ArrayInside(offsetof(EMRSETPALETTEENTRIES, aPalEntries), entries->cEntries,
                         sizeof(PALETTEENTRY), size);
    }
    case EMR_EOF: {
      const auto* end = reinterpret_cast<const EMREOF*>(record);
      return end->nPalEntries == 0 ||
             ArrayInside(end->offPalEntries, end->nPalEntries, sizeof(PALETTEENTRY), size);
    }
    case EMR_GRADIENTFILL:
      return GradientInside(record, size);

    case EMR_GDICOMMENT:
      return Inside(offsetof(EMRGDICOMMENT, Data),
                    reinterpret_cast<const EMRGDICOMMENT*>(record)->cbData, size);
    case EMR_GLSRECORD:
      return Inside(offsetof(EMRGLSRECORD, Data),
                    reinterpret_cast<const EMRGLSRECORD*>(record)->cbData, size);
    case EMR_GLSBOUNDEDRECORD:
      return Inside(offsetof(EMRGLSBOUNDEDRECORD, Data),
                    reinterpret_cast<const EMRGLSBOUNDEDRECORD*>(record)->cbData, size);
    case EMR_RESERVED_105:
    case EMR_RESERVED_106:
      return Inside(offsetof(EMREXTESCAPE, EscData),
                    static_cast<DWORD>(reinterpret_cast<const EMREXTESCAPE*>(record)->cbEscData),
                    size);
    case EMR_RESERVED_110: {
      const auto* escape = reinterpret_cast<const EMRNAMEDESCAPE*>(record);
      const DWORD driver = static_cast<DWORD>(escape->cbDriver);
      return Inside(offsetof(EMRNAMEDESCAPE, EscData), driver, size) &&
             Inside(offsetof(EMRNAMEDESCAPE, EscData) + driver,
                    static_cast<DWORD>(escape->cbEscData), size);
    }
    case EMR_SETICMPROFILEA:
    case EMR_SETICMPROFILEW: {
      const auto* profile = reinterpret_cast<const EMRSETICMPROFILE*>(record);
      return Inside(offsetof(EMRSETICMPROFILE, Data), profile->cbName, size) &&
             Inside(offsetof(EMRSETICMPROFILE, Data) + profile->cbName, profile->cbData, size);
    }
    case EMR_COLORMATCHTOTARGETW: {
      const auto* match = reinterpret_cast<const EMRCOLORMATCHTOTARGET*>(record);
      return Inside(offsetof(EMRCOLORMATCHTOTARGET, Data), match->cbName, size) &&
             Inside(offsetof(EMRCOLORMATCHTOTARGET, Data) + match->cbName, match->cbData, size);
    }
    default:
      return true;
  }
}

}  // namespace

bool IsWellFormedEnhMetafile(const void* data, unsigned long count) {
  if (!data || count < kMinHeaderSize) return false;
  const auto* bytes = static_cast<const BYTE*>(data);
  const auto* header = static_cast<const ENHMETAHEADER*>(data);
  if (header->dSignature != ENHMETA_SIGNATURE || header->nBytes != count) return false;
  const DWORD handles = header->nHandles;
  DWORD records = 0;
  DWORD offset = 0;
  DWORD type = 0;
  // Stops after the first EMR_EOF, which must then end the data.
  while (offset < count && type != EMR_EOF) {
    if (count - offset < sizeof(EMR)) return false;
    const BYTE* record = bytes + offset;
    const auto* emr = reinterpret_cast<const EMR*>(record);
    type = emr->iType;
    const DWORD size = emr->nSize;
    if (size < sizeof(EMR) || size % 4 != 0 || size > count - offset ||
        (records == 0 && type != EMR_HEADER) || size < FixedSize(type) ||
        !PartsInside(record, type, size, handles))
      return false;
    ++records;
    offset += size;
  }
  return type == EMR_EOF && offset == count && records == header->nRecords;
}

}  // namespace talo
