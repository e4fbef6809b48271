// Metafile pictures: the frame's size in pixels and the playback into a bitmap.
#include "content/metafile_picture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "base/unique.h"
#include "content/metafile_record_table.h"
#include "content/metafile_records.h"

namespace talo {
namespace {

using metafile::Values;

constexpr long long kHundredthMillimetresPerInch = 2540;
constexpr long long kPixelsPerInch = 96;

inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
using MemoryDc = Unique<HDC, DeleteMemoryDc>;

long long FrameSide(LONG from, LONG to) {
  const long long hundredths = static_cast<long long>(to) - from;
  return std::max(1LL, hundredths * kPixelsPerInch / kHundredthMillimetresPerInch);
}

void PictureSizeOfFrame(const RECTL& frame, SIZE& size) {
  long long width = FrameSide(frame.left, frame.right);
  long long height = FrameSide(frame.top, frame.bottom);
  const long long longest = std::max(width, height);
  if (longest > kMetafilePictureMaxSide) {
    width = std::max(1LL, width * kMetafilePictureMaxSide / longest);
    height = std::max(1LL, height * kMetafilePictureMaxSide / longest);
  }
  size.cx = static_cast<LONG>(width);
  size.cy = static_cast<LONG>(height);
}

// The largest glyph and the widest pen, in pixels, that the picture may get: Wine takes minutes
// over a dashed pen 65537 pixels wide, and corrupts its own memory doing so.
constexpr double kMaxGlyphPixels = 4096;
constexpr double kMaxPenPixels = 1024;
constexpr double kMaxDevicePixels = 1 << 18;
// Transforms that shrink more than this (in area) are as good as singular.
constexpr double kMinDeterminant = 1e-6;
constexpr DWORD kMaxUserStyleEntries = 16;

// The magnifications in force while the records play: the frame's fixed scaling, the world
// transform's (as a bound: the largest row sum of its matrix) and the window-to-viewport ratio.
struct Magnification {
  double playback = 1;
  double world = 1;
  double window_x = 1, window_y = 1, viewport_x = 1, viewport_y = 1;
  double largest_font = 0;
  double widest_pen = 0;
  // Extents count only in the two mapping modes that use them; the others never enlarge.
  bool extents_used = false;

  // Whether a coordinate stays inside the coordinate limit, and near enough to the picture once
  // magnified: Wine builds shapes point by point and region rows one by one in device pixels.
  bool Fits(double value) const {
    return std::fabs(value) <= kMetafileMaxCoordinate &&
           std::fabs(value) * Total() <= kMaxDevicePixels;
  }
  double Total() const {
    const double ratio =
        extents_used ? std::max(std::fabs(viewport_x / window_x), std::fabs(viewport_y / window_y))
                     : 1;
    return playback * world * std::max(ratio, 1.0);
  }
  bool Sane() const {
    const double total = Total();
    return total <= kMetafileMaxMagnification && largest_font * total <= kMaxGlyphPixels &&
           widest_pen * total <= kMaxPenPixels;
  }
};

bool IsFinite(double value) { return value == value && std::fabs(value) <= 1e30; }

bool InRange(LONG value) {
  return value >= -kMetafileMaxCoordinate && value <= kMetafileMaxCoordinate;
}

LONG LongAt(const BYTE* record, DWORD at) {
  LONG value;
  std::memcpy(&value, record + at, sizeof value);
  return value;
}

// A bound on how much a transform enlarges (the largest row or column sum of its matrix); 0 for one
// that is not finite, moves beyond the coordinate limit or is (nearly) singular, which playback
// inverts (Wine divided by zero doing so).
double TransformScale(const XFORM& form) {
  const double values[] = {form.eM11, form.eM12, form.eM21, form.eM22, form.eDx, form.eDy};
  for (double value : values)
    if (!IsFinite(value)) return 0;
  if (std::fabs(form.eDx) > kMetafileMaxCoordinate || std::fabs(form.eDy) > kMetafileMaxCoordinate)
    return 0;
  const double m11 = std::fabs(form.eM11), m12 = std::fabs(form.eM12);
  const double m21 = std::fabs(form.eM21), m22 = std::fabs(form.eM22);
  const double scale = std::max({m11 + m12, m21 + m22, m11 + m21, m12 + m22});
  const double determinant = double(form.eM11) * form.eM22 - double(form.eM12) * form.eM21;
  if (scale > kMetafileMaxMagnification || std::fabs(determinant) < kMinDeterminant) return 0;
  return scale;
}

// How much playing the metafile into its picture enlarges: the picture's pixels per pixel of the
// reference device that the frame covers. False for reference sizes, frame or bounds out of range.
bool PlaybackScale(const ENHMETAHEADER& header, double& scale) {
  const SIZEL device = header.szlDevice, millimetres = header.szlMillimeters;
  const RECTL frame = header.rclFrame, bounds = header.rclBounds;
  for (LONG side : {device.cx, device.cy, millimetres.cx, millimetres.cy})
    if (side < 1 || side > kMetafileMaxReference) return false;
  for (const RECTL& rect : {frame, bounds})
    if (!InRange(rect.left) || !InRange(rect.top) || !InRange(rect.right) || !InRange(rect.bottom))
      return false;
  // Bounds may be empty (nothing drawn, or a writer that leaves them out); the frame sizes the
  // picture.
  if (frame.right <= frame.left || frame.bottom <= frame.top) return false;
  SIZE picture;
  PictureSizeOfFrame(frame, picture);
  const double frame_x = double(frame.right - frame.left) * device.cx / (100.0 * millimetres.cx);
  const double frame_y = double(frame.bottom - frame.top) * device.cy / (100.0 * millimetres.cy);
  scale = std::max(picture.cx / frame_x, picture.cy / frame_y);
  return true;
}

bool LongsFit(const Magnification& magnification, const BYTE* record, DWORD at, DWORD count) {
  for (DWORD i = 0; i < count; ++i)
    if (!magnification.Fits(LongAt(record, at + 4 * i))) return false;
  return true;
}

bool LongsInRange(const BYTE* record, DWORD at, DWORD count) {
  for (DWORD i = 0; i < count; ++i)
    if (!InRange(LongAt(record, at + 4 * i))) return false;
  return true;
}

// Text advances, one by one and added up (the record walk has checked that they are inside).
bool AdvancesFit(const Magnification& magnification, const BYTE* record, const EMRTEXT& text) {
  if (text.offDx == 0) return true;
  const DWORD values = text.fOptions & ETO_PDY ? 2 * text.nChars : text.nChars;
  double total = 0;
  for (DWORD i = 0; i < values; ++i) {
    const LONG advance = LongAt(record, text.offDx + 4 * i);
    total += std::fabs(double(advance));
    if (!magnification.Fits(advance) || !magnification.Fits(total)) return false;
  }
  return true;
}

// A region's rectangles (inside the record, as the record walk has checked); none for a region
// of no bytes.
bool RegionFits(const Magnification& magnification, const BYTE* record, DWORD at, DWORD size) {
  if (size == 0) return true;
  const auto* header = reinterpret_cast<const RGNDATAHEADER*>(record + at);
  return LongsFit(magnification, record, at + offsetof(RGNDATAHEADER, rcBound), 4) &&
         LongsFit(magnification, record, at + sizeof(RGNDATAHEADER), 4 * header->nCount);
}

// Points of 16-bit coordinates.
bool ShortsFit(const Magnification& magnification, const BYTE* record, DWORD at, DWORD count) {
  for (DWORD i = 0; i < count; ++i) {
    SHORT value;
    std::memcpy(&value, record + at + 2 * i, sizeof value);
    if (!magnification.Fits(value)) return false;
  }
  return true;
}

// One record's values; `magnification` follows the records that change it.
bool RecordIsDrawable(const BYTE* record, Values values, Magnification& magnification) {
  switch (values) {
    case Values::kNothing:
      return true;
    case Values::kPoint:
      return LongsFit(magnification, record, 8, 2);
    case Values::kRectangle:
      return LongsFit(magnification, record, 8, 4);
    case Values::kRoundRectangle:
      return LongsFit(magnification, record, 8, 6);
    case Values::kArc:
      return LongsFit(magnification, record, 8, 8);
    case Values::kAngleArc: {
      const auto* arc = reinterpret_cast<const EMRANGLEARC*>(record);
      return LongsFit(magnification, record, 8, 2) && magnification.Fits(arc->nRadius) &&
             IsFinite(arc->eStartAngle) && IsFinite(arc->eSweepAngle) &&
             std::fabs(arc->eStartAngle) <= 3600 && std::fabs(arc->eSweepAngle) <= 3600;
    }
    case Values::kPoints: {
      const auto* poly = reinterpret_cast<const EMRPOLYLINE*>(record);
      return LongsFit(magnification, record, offsetof(EMRPOLYLINE, aptl), 2 * poly->cptl);
    }
    case Values::kPoints16: {
      const auto* poly = reinterpret_cast<const EMRPOLYLINE16*>(record);
      return ShortsFit(magnification, record, offsetof(EMRPOLYLINE16, apts), 2 * poly->cpts);
    }
    case Values::kPolyPoints16: {
      const auto* poly = reinterpret_cast<const EMRPOLYPOLYLINE16*>(record);
      return ShortsFit(magnification, record,
                       offsetof(EMRPOLYPOLYLINE16, aPolyCounts) + 4 * poly->nPolys, 2 * poly->cpts);
    }
    case Values::kPolyPoints: {
      const auto* poly = reinterpret_cast<const EMRPOLYPOLYLINE*>(record);
      return LongsFit(magnification, record,
                      offsetof(EMRPOLYPOLYLINE, aPolyCounts) + 4 * poly->nPolys, 2 * poly->cptl);
    }
    // Blits: the destination in the picture, the source in its bitmap, the source transform.
    case Values::kBitBlt:
      return LongsFit(magnification, record, offsetof(EMRBITBLT, xDest), 4) &&
             LongsInRange(record, offsetof(EMRBITBLT, xSrc), 2) &&
             TransformScale(reinterpret_cast<const EMRBITBLT*>(record)->xformSrc) > 0;
    case Values::kStretchBlt: {
      const auto* blt = reinterpret_cast<const EMRSTRETCHBLT*>(record);
      return LongsFit(magnification, record, offsetof(EMRSTRETCHBLT, xDest), 4) &&
             LongsInRange(record, offsetof(EMRSTRETCHBLT, xSrc), 2) &&
             LongsInRange(record, offsetof(EMRSTRETCHBLT, cxSrc), 2) &&
             TransformScale(blt->xformSrc) > 0;
    }
    case Values::kMaskBlt:
      return LongsFit(magnification, record, offsetof(EMRMASKBLT, xDest), 4) &&
             LongsInRange(record, offsetof(EMRMASKBLT, xSrc), 2) &&
             LongsInRange(record, offsetof(EMRMASKBLT, xMask), 2) &&
             TransformScale(reinterpret_cast<const EMRMASKBLT*>(record)->xformSrc) > 0;
    case Values::kPlgBlt:
      return LongsFit(magnification, record, offsetof(EMRPLGBLT, aptlDest), 6) &&
             LongsInRange(record, offsetof(EMRPLGBLT, xSrc), 4) &&
             LongsInRange(record, offsetof(EMRPLGBLT, xMask), 2) &&
             TransformScale(reinterpret_cast<const EMRPLGBLT*>(record)->xformSrc) > 0;
    case Values::kStretchDibits:
      return LongsFit(magnification, record, offsetof(EMRSTRETCHDIBITS, xDest), 2) &&
             LongsFit(magnification, record, offsetof(EMRSTRETCHDIBITS, cxDest), 2) &&
             LongsInRange(record, offsetof(EMRSTRETCHDIBITS, xSrc), 4);
    case Values::kSetDibits:
      return LongsFit(magnification, record, offsetof(EMRSETDIBITSTODEVICE, xDest), 2) &&
             LongsInRange(record, offsetof(EMRSETDIBITSTODEVICE, xSrc), 4) &&
             LongsInRange(record, offsetof(EMRSETDIBITSTODEVICE, iStartScan), 2);
    case Values::kText: {
      const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
      return LongsFit(magnification, record, offsetof(EMREXTTEXTOUTW, emrtext.ptlReference), 2) &&
             LongsFit(magnification, record, offsetof(EMREXTTEXTOUTW, emrtext.rcl), 4) &&
             AdvancesFit(magnification, record, text->emrtext) && IsFinite(text->exScale) &&
             IsFinite(text->eyScale);
    }
    case Values::kFillRegion:
      return RegionFits(magnification, record, offsetof(EMRFILLRGN, RgnData),
                        reinterpret_cast<const EMRFILLRGN*>(record)->cbRgnData);
    case Values::kFrameRegion: {
      const auto* frame = reinterpret_cast<const EMRFRAMERGN*>(record);
      magnification.widest_pen =
          std::max({magnification.widest_pen, std::fabs(double(frame->szlStroke.cx)),
                    std::fabs(double(frame->szlStroke.cy))});
      return magnification.Sane() &&
             RegionFits(magnification, record, offsetof(EMRFRAMERGN, RgnData), frame->cbRgnData);
    }
    case Values::kPaintRegion:
      return RegionFits(magnification, record, offsetof(EMRINVERTRGN, RgnData),
                        reinterpret_cast<const EMRINVERTRGN*>(record)->cbRgnData);
    case Values::kClipRegion:
      return RegionFits(magnification, record, offsetof(EMREXTSELECTCLIPRGN, RgnData),
                        reinterpret_cast<const EMREXTSELECTCLIPRGN*>(record)->cbRgnData);
    case Values::kGradient: {
      const auto* fill = reinterpret_cast<const EMRGRADIENTFILL*>(record);
      for (DWORD i = 0; i < fill->nVer; ++i)
        if (!magnification.Fits(fill->Ver[i].x) || !magnification.Fits(fill->Ver[i].y))
          return false;
      return true;
    }

    case Values::kPen: {
      const LONG width = reinterpret_cast<const EMRCREATEPEN*>(record)->lopn.lopnWidth.x;
      if (!InRange(width)) return false;
      magnification.widest_pen = std::max(magnification.widest_pen, std::fabs(double(width)));
      return magnification.Sane();
    }
    case Values::kExtPen: {
      const EXTLOGPEN32& pen = reinterpret_cast<const ExtCreatePenRecord*>(record)->elp;
      if (pen.elpWidth > DWORD(kMetafileMaxCoordinate)) return false;
      magnification.widest_pen = std::max(magnification.widest_pen, double(pen.elpWidth));
      if (!magnification.Sane()) return false;
      if ((pen.elpPenStyle & PS_STYLE_MASK) != PS_USERSTYLE) return true;
      if (pen.elpNumEntries > kMaxUserStyleEntries) return false;
      DWORD total = 0;
      for (DWORD i = 0; i < pen.elpNumEntries; ++i) {
        if (pen.elpStyleEntry[i] > DWORD(kMetafileMaxCoordinate)) return false;
        total += pen.elpStyleEntry[i];
      }
      return pen.elpNumEntries == 0 || total > 0;
    }
    case Values::kFont: {
      const LOGFONTW& font =
          reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont;
      if (!InRange(font.lfHeight) || !InRange(font.lfWidth)) return false;
      magnification.largest_font =
          std::max({magnification.largest_font, std::fabs(double(font.lfHeight)),
                    std::fabs(double(font.lfWidth))});
      return magnification.Sane();
    }

    case Values::kSetTransform:
      magnification.world =
          TransformScale(reinterpret_cast<const EMRSETWORLDTRANSFORM*>(record)->xform);
      return magnification.world > 0 && magnification.Sane();
    case Values::kModifyTransform: {
      const auto* modify = reinterpret_cast<const EMRMODIFYWORLDTRANSFORM*>(record);
      // Resetting ignores the record's matrix.
      if (modify->iMode == MWT_IDENTITY) {
        magnification.world = 1;
        return magnification.Sane();
      }
      const double scale = TransformScale(modify->xform);
      if (scale <= 0) return false;
      if (modify->iMode == MWT_LEFTMULTIPLY || modify->iMode == MWT_RIGHTMULTIPLY)
        magnification.world *= scale;
      else
        magnification.world = scale;
      return magnification.Sane();
    }
    case Values::kMapMode: {
      const DWORD mode = reinterpret_cast<const EMRSETMAPMODE*>(record)->iMode;
      const bool extents_used = mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC;
      // Entering such a mode starts from extents that do not enlarge.
      if (extents_used && !magnification.extents_used)
        magnification.window_x = magnification.window_y = magnification.viewport_x =
            magnification.viewport_y = 1;
      magnification.extents_used = extents_used;
      return magnification.Sane();
    }
    case Values::kWindowExtent:
    case Values::kViewportExtent: {
      const SIZEL extent = reinterpret_cast<const EMRSETWINDOWEXTEX*>(record)->szlExtent;
      if (!InRange(extent.cx) || !InRange(extent.cy)) return false;
      // Outside those modes GDI ignores the call.
      if (!magnification.extents_used) return true;
      if (values == Values::kWindowExtent) {
        if (extent.cx == 0 || extent.cy == 0) return false;
        magnification.window_x = extent.cx;
        magnification.window_y = extent.cy;
      } else {
        magnification.viewport_x = extent.cx;
        magnification.viewport_y = extent.cy;
      }
      return magnification.Sane();
    }
    case Values::kScaleViewport:
    case Values::kScaleWindow: {
      const auto* scale = reinterpret_cast<const EMRSCALEVIEWPORTEXTEX*>(record);
      if (scale->xDenom == 0 || scale->yDenom == 0 || scale->xNum == 0 || scale->yNum == 0)
        return false;
      if (!magnification.extents_used) return true;
      const double x = double(scale->xNum) / scale->xDenom, y = double(scale->yNum) / scale->yDenom;
      if (values == Values::kScaleViewport) {
        magnification.viewport_x *= x;
        magnification.viewport_y *= y;
      } else {
        magnification.window_x *= x;
        magnification.window_y *= y;
      }
      return magnification.Sane();
    }
    case Values::kMiterLimit:
      return IsFinite(reinterpret_cast<const EMRSETMITERLIMIT*>(record)->eMiterLimit);
  }
  return true;
}

}  // namespace

bool MetafilePictureSize(HENHMETAFILE metafile, SIZE& size) {
  ENHMETAHEADER header = {};
  if (!metafile || GetEnhMetaFileHeader(metafile, sizeof header, &header) < sizeof header)
    return false;
  PictureSizeOfFrame(header.rclFrame, size);
  return true;
}

bool HasDrawableValues(const void* data, unsigned long count) {
  if (!data || count < offsetof(ENHMETAHEADER, cbPixelFormat)) return false;
  ENHMETAHEADER header = {};
  std::memcpy(&header, data, std::min<unsigned long>(count, sizeof header));
  Magnification magnification;
  if (!PlaybackScale(header, magnification.playback) || !magnification.Sane()) return false;
  const auto* bytes = static_cast<const BYTE*>(data);
  for (unsigned long offset = 0; count - offset >= sizeof(EMR);) {
    const auto* emr = reinterpret_cast<const EMR*>(bytes + offset);
    if (emr->nSize < sizeof(EMR) || emr->nSize > count - offset) return false;
    if (!RecordIsDrawable(bytes + offset, metafile::RuleOf(emr->iType).values, magnification))
      return false;
    offset += emr->nSize;
  }
  return true;
}

HBITMAP CreateMetafilePicture(HDC dc, HENHMETAFILE metafile) {
  SIZE size;
  if (!dc || !MetafilePictureSize(metafile, size)) return nullptr;
  GdiObject picture(CreateCompatibleBitmap(dc, size.cx, size.cy));
  MemoryDc canvas(CreateCompatibleDC(dc));
  if (!picture || !canvas) return nullptr;
  HGDIOBJ old_bitmap = SelectObject(canvas.get(), picture.get());
  const RECT whole = {0, 0, size.cx, size.cy};
  FillRect(canvas.get(), &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayEnhMetaFile(canvas.get(), metafile, &whole);
  SelectObject(canvas.get(), old_bitmap);
  return static_cast<HBITMAP>(picture.release());
}

}  // namespace talo
