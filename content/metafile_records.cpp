// The record walk that every enhanced metafile from a file passes before GDI sees it.
#include "content/metafile_records.h"

#include <windows.h>

#include <cstddef>

#include "content/metafile_record_table.h"

namespace talo {
namespace {

using metafile::kMinHeaderSize;
using metafile::kSmallTextOutChars;
using metafile::kSmallTextOutFixed;
using metafile::kSmallTextOutOptions;
using metafile::RecordRule;
using metafile::References;
using metafile::Slot;

// The options of EMR_SMALLTEXTOUT (content/metafile_record_table.h).
constexpr DWORD kEtoNoRect = 0x100;
constexpr DWORD kEtoSmallChars = 0x200;

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

// The records whose slot has a name of its own keep it where SlotOf reads it (a region's brush
// apart).
static_assert(offsetof(EMRCREATEDIBPATTERNBRUSHPT, ihBrush) ==
                  offsetof(EMRSELECTOBJECT, ihObject) &&
              offsetof(ExtCreatePenRecord, ihPen) == offsetof(EMRSELECTOBJECT, ihObject) &&
              offsetof(EMRCREATECOLORSPACEW, ihCS) == offsetof(EMRSELECTOBJECT, ihObject) &&
              offsetof(EMRCREATEPALETTE, ihPal) == offsetof(EMRSELECTOBJECT, ihObject) &&
              offsetof(EMRSETPALETTEENTRIES, ihPal) == offsetof(EMRSELECTOBJECT, ihObject) &&
              offsetof(EMRFRAMERGN, ihBrush) == offsetof(EMRFILLRGN, ihBrush));

bool SlotInside(const BYTE* record, Slot slot, DWORD handles) {
  switch (slot) {
    case Slot::kNone:
      return true;
    case Slot::kObject:
      return IsObjectIndex(SlotOf(record), handles);
    case Slot::kTable:
      return IsTableIndex(SlotOf(record), handles);
    case Slot::kRegionBrush:
      return IsTableIndex(reinterpret_cast<const EMRFILLRGN*>(record)->ihBrush, handles);
  }
  return true;
}

// What the fixed part of a record promises beyond itself: arrays, strings, bitmaps, regions and
// blocks of data.
bool ReferencesInside(const BYTE* record, References references, DWORD size) {
  switch (references) {
    case References::kNothing:
      return true;
    case References::kHeader: {
      const auto* header = reinterpret_cast<const ENHMETAHEADER*>(record);
      if (header->nDescription != 0 &&
          !ArrayInside(header->offDescription, header->nDescription, sizeof(WCHAR), size))
        return false;
      return size < offsetof(ENHMETAHEADER, bOpenGL) || header->cbPixelFormat == 0 ||
             Inside(header->offPixelFormat, header->cbPixelFormat, size);
    }
    case References::kPoints:
      return ArrayInside(offsetof(EMRPOLYLINE, aptl),
                         reinterpret_cast<const EMRPOLYLINE*>(record)->cptl, sizeof(POINTL), size);
    case References::kPoints16:
      return ArrayInside(offsetof(EMRPOLYLINE16, apts),
                         reinterpret_cast<const EMRPOLYLINE16*>(record)->cpts, sizeof(POINTS),
                         size);
    case References::kPolyPoints: {
      const auto* poly = reinterpret_cast<const EMRPOLYPOLYLINE*>(record);
      return PolyPolyInside(record, size, offsetof(EMRPOLYPOLYLINE, aPolyCounts), poly->nPolys,
                            poly->cptl, sizeof(POINTL));
    }
    case References::kPolyPoints16: {
      const auto* poly = reinterpret_cast<const EMRPOLYPOLYLINE16*>(record);
      return PolyPolyInside(record, size, offsetof(EMRPOLYPOLYLINE16, aPolyCounts), poly->nPolys,
                            poly->cpts, sizeof(POINTS));
    }
    // A point, then a type byte for each point after all the points.
    case References::kDrawPoints:
      return ArrayInside(offsetof(EMRPOLYDRAW, aptl),
                         reinterpret_cast<const EMRPOLYDRAW*>(record)->cptl, sizeof(POINTL) + 1,
                         size);
    case References::kDrawPoints16:
      return ArrayInside(offsetof(EMRPOLYDRAW16, apts),
                         reinterpret_cast<const EMRPOLYDRAW16*>(record)->cpts, sizeof(POINTS) + 1,
                         size);

    case References::kTextA: {
      const EMRTEXT& text = reinterpret_cast<const EMREXTTEXTOUTA*>(record)->emrtext;
      return TextInside(size, text, AnsiCharSize(text));
    }
    case References::kTextW:
      return TextInside(size, reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext,
                        sizeof(WCHAR));
    case References::kPolyTextA:
    case References::kPolyTextW: {
      const auto* poly = reinterpret_cast<const EMRPOLYTEXTOUTW*>(record);
      const DWORD strings = static_cast<DWORD>(poly->cStrings);
      if (!ArrayInside(offsetof(EMRPOLYTEXTOUTW, aemrtext), strings, sizeof(EMRTEXT), size))
        return false;
      for (DWORD i = 0; i < strings; ++i) {
        const EMRTEXT& text = poly->aemrtext[i];
        if (!TextInside(size, text,
                        references == References::kPolyTextW ? sizeof(WCHAR) : AnsiCharSize(text)))
          return false;
      }
      return true;
    }
    case References::kSmallText: {
      const DWORD options = DwordAt(record + kSmallTextOutOptions);
      const DWORD text = kSmallTextOutFixed + (options & kEtoNoRect ? 0 : sizeof(RECTL));
      return ArrayInside(text, DwordAt(record + kSmallTextOutChars),
                         options & kEtoSmallChars ? sizeof(char) : sizeof(WCHAR), size);
    }

    case References::kBitBlt: {
      const auto* blt = reinterpret_cast<const EMRBITBLT*>(record);
      return BlitDibInside(record, size, blt->iUsageSrc, blt->offBmiSrc, blt->cbBmiSrc,
                           blt->offBitsSrc, blt->cbBitsSrc);
    }
    case References::kStretchBlt: {
      const auto* blt = reinterpret_cast<const EMRSTRETCHBLT*>(record);
      return BlitDibInside(record, size, blt->iUsageSrc, blt->offBmiSrc, blt->cbBmiSrc,
                           blt->offBitsSrc, blt->cbBitsSrc);
    }
    case References::kMaskBlt: {
      const auto* blt = reinterpret_cast<const EMRMASKBLT*>(record);
      return DibInside(record, size, blt->iUsageSrc, blt->offBmiSrc, blt->cbBmiSrc, blt->offBitsSrc,
                       blt->cbBitsSrc) &&
             BlitDibInside(record, size, blt->iUsageMask, blt->offBmiMask, blt->cbBmiMask,
                           blt->offBitsMask, blt->cbBitsMask);
    }
    case References::kPlgBlt: {
      const auto* blt = reinterpret_cast<const EMRPLGBLT*>(record);
      return DibInside(record, size, blt->iUsageSrc, blt->offBmiSrc, blt->cbBmiSrc, blt->offBitsSrc,
                       blt->cbBitsSrc) &&
             BlitDibInside(record, size, blt->iUsageMask, blt->offBmiMask, blt->cbBmiMask,
                           blt->offBitsMask, blt->cbBitsMask);
    }
    case References::kSetDibits: {
      const auto* set = reinterpret_cast<const EMRSETDIBITSTODEVICE*>(record);
      return DibInside(record, size, set->iUsageSrc, set->offBmiSrc, set->cbBmiSrc, set->offBitsSrc,
                       set->cbBitsSrc, set->cScans);
    }
    case References::kStretchDibits: {
      const auto* stretch = reinterpret_cast<const EMRSTRETCHDIBITS*>(record);
      return DibInside(record, size, stretch->iUsageSrc, stretch->offBmiSrc, stretch->cbBmiSrc,
                       stretch->offBitsSrc, stretch->cbBitsSrc);
    }
    case References::kAlphaBlend: {
      const auto* blend = reinterpret_cast<const EMRALPHABLEND*>(record);
      return DibInside(record, size, blend->iUsageSrc, blend->offBmiSrc, blend->cbBmiSrc,
                       blend->offBitsSrc, blend->cbBitsSrc);
    }
    case References::kTransparentBlt: {
      const auto* blt = reinterpret_cast<const EMRTRANSPARENTBLT*>(record);
      return DibInside(record, size, blt->iUsageSrc, blt->offBmiSrc, blt->cbBmiSrc, blt->offBitsSrc,
                       blt->cbBitsSrc);
    }
    case References::kBrushBitmap: {
      const auto* brush = reinterpret_cast<const EMRCREATEDIBPATTERNBRUSHPT*>(record);
      return DibInside(record, size, brush->iUsage, brush->offBmi, brush->cbBmi, brush->offBits,
                       brush->cbBits);
    }
    case References::kPenStyle: {
      const auto* pen = reinterpret_cast<const ExtCreatePenRecord*>(record);
      return ArrayInside(offsetof(ExtCreatePenRecord, elp.elpStyleEntry), pen->elp.elpNumEntries,
                         sizeof(DWORD), size) &&
             OptionalDibInside(record, size, DIB_RGB_COLORS, pen->offBmi, pen->cbBmi, pen->offBits,
                               pen->cbBits);
    }

    case References::kFillRegion:
      return RegionInside(record, size, offsetof(EMRFILLRGN, RgnData),
                          reinterpret_cast<const EMRFILLRGN*>(record)->cbRgnData);
    case References::kFrameRegion:
      return RegionInside(record, size, offsetof(EMRFRAMERGN, RgnData),
                          reinterpret_cast<const EMRFRAMERGN*>(record)->cbRgnData);
    case References::kPaintRegion:
      return RegionInside(record, size, offsetof(EMRINVERTRGN, RgnData),
                          reinterpret_cast<const EMRINVERTRGN*>(record)->cbRgnData);
    case References::kClipRegion: {
      // No region data selects the default clipping.
      const DWORD region_size = reinterpret_cast<const EMREXTSELECTCLIPRGN*>(record)->cbRgnData;
      return region_size == 0 ||
             RegionInside(record, size, offsetof(EMREXTSELECTCLIPRGN, RgnData), region_size);
    }

    case References::kPalette:
      return ArrayInside(offsetof(EMRCREATEPALETTE, lgpl.palPalEntry),
                         reinterpret_cast<const EMRCREATEPALETTE*>(record)->lgpl.palNumEntries,
                         sizeof(PALETTEENTRY), size);
    case References::kPaletteEntries:
      return ArrayInside(offsetof(EMRSETPALETTEENTRIES, aPalEntries),
                         reinterpret_cast<const EMRSETPALETTEENTRIES*>(record)->cEntries,
                         sizeof(PALETTEENTRY), size);
    case References::kEndPalette: {
      const auto* end = reinterpret_cast<const EMREOF*>(record);
      return end->nPalEntries == 0 ||
             ArrayInside(end->offPalEntries, end->nPalEntries, sizeof(PALETTEENTRY), size);
    }
    case References::kGradient:
      return GradientInside(record, size);

    case References::kComment:
      return Inside(offsetof(EMRGDICOMMENT, Data),
                    reinterpret_cast<const EMRGDICOMMENT*>(record)->cbData, size);
    case References::kGlsRecord:
      return Inside(offsetof(EMRGLSRECORD, Data),
                    reinterpret_cast<const EMRGLSRECORD*>(record)->cbData, size);
    case References::kGlsBoundedRecord:
      return Inside(offsetof(EMRGLSBOUNDEDRECORD, Data),
                    reinterpret_cast<const EMRGLSBOUNDEDRECORD*>(record)->cbData, size);
    case References::kEscape:
      return Inside(offsetof(EMREXTESCAPE, EscData),
                    static_cast<DWORD>(reinterpret_cast<const EMREXTESCAPE*>(record)->cbEscData),
                    size);
    case References::kNamedEscape: {
      const auto* escape = reinterpret_cast<const EMRNAMEDESCAPE*>(record);
      const DWORD driver = static_cast<DWORD>(escape->cbDriver);
      return Inside(offsetof(EMRNAMEDESCAPE, EscData), driver, size) &&
             Inside(offsetof(EMRNAMEDESCAPE, EscData) + driver,
                    static_cast<DWORD>(escape->cbEscData), size);
    }
    case References::kIcmProfile: {
      const auto* profile = reinterpret_cast<const EMRSETICMPROFILE*>(record);
      return Inside(offsetof(EMRSETICMPROFILE, Data), profile->cbName, size) &&
             Inside(offsetof(EMRSETICMPROFILE, Data) + profile->cbName, profile->cbData, size);
    }
    case References::kColorMatch: {
      const auto* match = reinterpret_cast<const EMRCOLORMATCHTOTARGET*>(record);
      return Inside(offsetof(EMRCOLORMATCHTOTARGET, Data), match->cbName, size) &&
             Inside(offsetof(EMRCOLORMATCHTOTARGET, Data) + match->cbName, match->cbData, size);
    }
    case References::kColorSpaceData:
      return Inside(offsetof(EMRCREATECOLORSPACEW, Data),
                    reinterpret_cast<const EMRCREATECOLORSPACEW*>(record)->cbData, size);
  }
  return true;
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
    const RecordRule& rule = metafile::RuleOf(type);
    if (size < sizeof(EMR) || size % 4 != 0 || size > count - offset ||
        (records == 0 && type != EMR_HEADER) || size < rule.fixed_size ||
        !SlotInside(record, rule.slot, handles) || !ReferencesInside(record, rule.references, size))
      return false;
    ++records;
    offset += size;
  }
  return type == EMR_EOF && offset == count && records == header->nRecords;
}

}  // namespace talo
