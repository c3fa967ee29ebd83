#include "platform/FreeTypeText.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <new>
#include <utility>

#include "graphics/Limage.h"

namespace brio {
namespace {

// Outlines only (embedded bitmap strikes exist at a few sizes and differ from the outlines in
// weight), through the auto-hinter so every face looks alike: the "Tahoma" files carry no
// hinting program of their own.
constexpr FT_Int32 loadFlags = FT_LOAD_NO_BITMAP | FT_LOAD_FORCE_AUTOHINT;

// Windows-1252 bytes 0x80..0x9F; 0 where the code page leaves the byte unused.
constexpr std::array<char16_t, 32> highControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The part of the clip rectangle inside the image, as 64-bit bounds so that pen positions far
// outside never overflow; empty when left > right or top > bottom.
struct Area {
    int64_t left;
    int64_t top;
    int64_t right;
    int64_t bottom;
    bool empty() const { return left > right || top > bottom; }
};

// In device pixels: a pixel of the clip is a square of scale x scale.
Area visibleArea(const Limage& image, const Rect& clip) {
    const int64_t s = image.scale();
    return Area{std::max<int64_t>(int64_t(clip.left) * s, 0), std::max<int64_t>(int64_t(clip.top) * s, 0),
                std::min<int64_t>((int64_t(clip.right) + 1) * s - 1, int64_t(image.deviceWidth()) - 1),
                std::min<int64_t>((int64_t(clip.bottom) + 1) * s - 1, int64_t(image.deviceHeight()) - 1)};
}

// The text colour in the image's byte order: blue, green, red.
struct Ink {
    int channel[3];
};

Ink inkOf(Color color) {
    return Ink{{(color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF}};
}

// out = dst + (ink - dst) * coverage / 255 on each byte of one pixel.
inline void blendPixel(uint8_t* out, const Ink& ink, int coverage) {
    for (int i = 0; i < 3; ++i) {
        int dst = out[i];
        out[i] = uint8_t(dst + (ink.channel[i] - dst) * coverage / 255);
    }
}

void blendRow(uint8_t* out, const uint8_t* coverage, int64_t count, const Ink& ink) {
    for (int64_t i = 0; i < count; ++i, out += 3) {
        int alpha = coverage[i];
        if (alpha == 0) continue;
        if (alpha == 255) {
            out[0] = uint8_t(ink.channel[0]);
            out[1] = uint8_t(ink.channel[1]);
            out[2] = uint8_t(ink.channel[2]);
        } else {
            blendPixel(out, ink, alpha);
        }
    }
}

// Blends a coverage bitmap with its top-left pixel at (left, top), only inside the area.
void blendBitmap(Limage& target, const Area& area, const uint8_t* coverage, int width, int rows,
                 int64_t left, int64_t top, const Ink& ink) {
    const int64_t x0 = std::max(left, area.left);
    const int64_t x1 = std::min(left + width - 1, area.right);
    const int64_t y0 = std::max(top, area.top);
    const int64_t y1 = std::min(top + rows - 1, area.bottom);
    if (x0 > x1 || y0 > y1) return;
    for (int64_t y = y0; y <= y1; ++y) {
        const uint8_t* source = coverage + (y - top) * width + (x0 - left);
        blendRow(target.row(int(y)) + x0 * 3, source, x1 - x0 + 1, ink);
    }
}

// Copies a rendered FreeType bitmap (grey or one bit per pixel) as coverage bytes 0..255.
void copyCoverage(const FT_Bitmap& bitmap, uint8_t* out) {
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const uint8_t* source = bitmap.buffer + ptrdiff_t(row) * bitmap.pitch;
        for (unsigned column = 0; column < bitmap.width; ++column) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                *out++ = (source[column >> 3] & (0x80 >> (column & 7))) ? 255 : 0;
            } else {
                *out++ = source[column];
            }
        }
    }
}

// False, and the store unchanged, when memory runs out: the glyph then stays blank.
bool growPixels(std::vector<uint8_t>& pixels, size_t size) {
    if (size > UINT32_MAX) return false;
    try {
        pixels.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// A font length (26.6 fixed point) rounded to whole pixels.
int roundPixels(FT_Pos value) { return int((value + 32) >> 6); }

// Font units scaled to a pixel height, rounded.
int scaleUnits(int64_t units, int pixelHeight, int unitsPerEm) {
    int64_t scaled = units * pixelHeight;
    return int((scaled + (scaled >= 0 ? unitsPerEm / 2 : -unitsPerEm / 2)) / unitsPerEm);
}

// Ascent and descent in font units: the OS/2 table's clipping bounds, which enclose every glyph
// (accented capitals included), else the face's typographic values.
std::pair<int64_t, int64_t> verticalExtent(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        return {os2->usWinAscent, os2->usWinDescent};
    }
    return {face->ascender, -int64_t(face->descender)};
}

// The width of the lower-case l per thousand em: how heavy the face's stems are; 0 if unknown.
int stemWeight(FT_Face face) {
    if (face->units_per_EM == 0) return 0;
    if (FT_Load_Char(face, 'l', FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) return 0;
    FT_BBox box;
    FT_Outline_Get_CBox(&face->glyph->outline, &box);
    return int((box.xMax - box.xMin) * 1000 / face->units_per_EM);
}

// Whole pixels (26.6) that synthetic bold adds to stems (x) and horizontal strokes (y), so
// hinted edges stay on the pixel grid.
FT_Vector emboldenStrength(int pixelHeight) {
    return FT_Vector{std::max(1, (pixelHeight + 6) / 12) * 64, ((pixelHeight + 18) / 36) * 64};
}

}  // namespace

FreeTypeText::FreeTypeText(const FaceFiles& files, const std::string& family) {
    if (FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        return;
    }
    const std::string* paths[2] = {&files.regular, &files.bold};
    for (int weight = 0; weight < 2; ++weight) {
        if (!loadFace(faces[weight], *paths[weight]) && !family.empty()) {
            matchFace(faces[weight], family, weight == 1);
        }
    }
    // A missing weight borrows the other one's file, in its own handle (sizes are per handle).
    for (int weight = 0; weight < 2; ++weight) {
        const Face& other = faces[1 - weight];
        if (faces[weight].handle == nullptr && other.handle != nullptr) {
            loadFace(faces[weight], other.path, int(other.handle->face_index));
        }
    }
    chooseSyntheticBold();
}

// A bold face whose stems are no heavier than the regular's (a borrowed regular file, or a bold
// file that carries only bold advances) gets its outlines thickened when rendered; a borrowed
// file also gets the wider advances.
void FreeTypeText::chooseSyntheticBold() {
    Face& bold = faces[1];
    if (bold.handle == nullptr) return;
    const bool borrowed = bold.path == faces[0].path;
    const int regularStem = stemWeight(faces[0].handle);
    const bool lightStems = regularStem > 0 && stemWeight(bold.handle) * 10 < regularStem * 12;
    bold.embolden = borrowed || lightStems;
    bold.widen = borrowed;
}

FreeTypeText::~FreeTypeText() {
    if (library != nullptr) FT_Done_FreeType(library);  // also frees the faces
}

bool FreeTypeText::ready() const { return faces[0].handle != nullptr; }

const std::string& FreeTypeText::facePath(bool bold) const { return faces[bold ? 1 : 0].path; }

bool FreeTypeText::loadFace(Face& face, const std::string& path, int index) {
    if (library == nullptr || path.empty()) return false;
    FT_Face handle = nullptr;
    if (FT_New_Face(library, path.c_str(), index, &handle) != 0) return false;
    face = Face{handle, path, 0};
    return true;
}

// Asks fontconfig for the family's best scalable match at the weight and loads that file.
bool FreeTypeText::matchFace(Face& face, const std::string& family, bool bold) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    bool loaded = false;
    FcChar8* file = nullptr;
    int index = 0;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        loaded = loadFace(face, reinterpret_cast<const char*>(file), index);
    }
    if (match != nullptr) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return loaded;
}

FreeTypeText::Face& FreeTypeText::faceFor(bool bold) { return faces[bold ? 1 : 0]; }

bool FreeTypeText::activateSize(Face& face, int pixelHeight) {
    if (face.activeHeight == pixelHeight) return true;
    if (FT_Set_Pixel_Sizes(face.handle, 0, FT_UInt(pixelHeight)) != 0) return false;
    face.activeHeight = pixelHeight;
    return true;
}

// The cache of one size and weight, made with the face's metrics on first use; nullptr for a
// size out of range or without a face.
FreeTypeText::SizeCache* FreeTypeText::sizeCache(int pixelHeight, bool bold) {
    if (pixelHeight < minPixelHeight || pixelHeight > maxPixelHeight) return nullptr;
    std::unique_ptr<SizeCache>& slot = caches[bold ? 1 : 0][size_t(pixelHeight)];
    if (slot != nullptr) return slot.get();
    Face& face = faceFor(bold);
    if (face.handle == nullptr || !activateSize(face, pixelHeight)) return nullptr;
    slot.reset(new (std::nothrow) SizeCache);
    if (slot == nullptr) return nullptr;
    setLineMetrics(*slot, *face.handle, pixelHeight);
    return slot.get();
}

// Baseline and line height at the size (set on the face): ascent and descent rounded each.
void FreeTypeText::setLineMetrics(SizeCache& cache, FT_FaceRec_& face, int pixelHeight) {
    if (FT_IS_SCALABLE(&face) && face.units_per_EM > 0) {
        auto [ascent, descent] = verticalExtent(&face);
        cache.ascender = scaleUnits(ascent, pixelHeight, face.units_per_EM);
        cache.lineHeight = cache.ascender + scaleUnits(descent, pixelHeight, face.units_per_EM);
    } else {
        cache.ascender = roundPixels(face.size->metrics.ascender);
        cache.lineHeight = roundPixels(face.size->metrics.height);
    }
}

const FreeTypeText::Glyph& FreeTypeText::glyph(SizeCache& cache, unsigned char byte,
                                               int pixelHeight, bool bold) {
    Glyph& entry = cache.glyphs[byte];
    if (entry.loaded) return entry;
    entry.loaded = true;
    char32_t character = codePoint(byte);
    Face& face = faceFor(bold);
    if (character != 0 && activateSize(face, pixelHeight)) {
        renderGlyph(cache, entry, face, character);
    }
    return entry;
}

// Renders the character from its outline, auto-hinted so stems sit on whole pixels, and
// anti-aliased; a glyph that fails stays empty.
void FreeTypeText::renderGlyph(SizeCache& cache, Glyph& entry, Face& face, char32_t character) {
    FT_GlyphSlot slot = face.handle->glyph;
    FT_UInt index = FT_Get_Char_Index(face.handle, character);
    if (FT_Load_Glyph(face.handle, index, loadFlags) != 0) return;
    FT_Pos advance = slot->advance.x;
    if (face.embolden && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        const FT_Vector strength = emboldenStrength(face.activeHeight);
        FT_Outline_EmboldenXY(&slot->outline, strength.x, strength.y);
        if (face.widen) advance += strength.x;
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
    const FT_Bitmap& bitmap = slot->bitmap;
    const bool readable =
        bitmap.pixel_mode == FT_PIXEL_MODE_GRAY || bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    entry.advance = int16_t(std::clamp<FT_Pos>(roundPixels(advance), 0, INT16_MAX));
    if (!readable || bitmap.width > INT16_MAX || bitmap.rows > INT16_MAX) return;
    const size_t offset = cache.pixels.size();
    if (!growPixels(cache.pixels, offset + size_t(bitmap.width) * bitmap.rows)) return;
    copyCoverage(bitmap, cache.pixels.data() + offset);
    entry.left = int16_t(std::clamp(slot->bitmap_left, -INT16_MAX, INT16_MAX));
    entry.top = int16_t(std::clamp(slot->bitmap_top, -INT16_MAX, INT16_MAX));
    entry.width = int16_t(bitmap.width);
    entry.rows = int16_t(bitmap.rows);
    entry.offset = uint32_t(offset);
}

void FreeTypeText::drawText(Limage& target, const Rect& clip, int x, int y,
                            const std::string& text, int pixelHeight, bool bold, Color color) {
    if (!target.isValid()) return;
    // At the image's scale the text is rasterised at that many times its size, in device pixels.
    const int scale = target.scale();
    const int deviceHeight = pixelHeight * scale;
    Area area = visibleArea(target, clip);
    SizeCache* cache = sizeCache(deviceHeight, bold);
    if (area.empty() || cache == nullptr) return;
    const Ink ink = inkOf(color);
    const int64_t baseline = int64_t(y) * scale + cache->ascender;
    int64_t penX = int64_t(x) * scale;
    for (unsigned char byte : text) {
        const Glyph& shape = glyph(*cache, byte, deviceHeight, bold);
        const int64_t left = penX + shape.left;
        const int64_t top = baseline - shape.top;
        penX += shape.advance;
        blendBitmap(target, area, cache->pixels.data() + shape.offset, shape.width, shape.rows,
                    left, top, ink);
    }
}

// Measured at the drawing scale, in pixels (rounded up), so that a layout leaves room for the
// text as it is drawn.
int FreeTypeText::textWidth(const std::string& text, int pixelHeight, bool bold) {
    const int scale = drawingScale();
    SizeCache* cache = sizeCache(pixelHeight * scale, bold);
    if (cache == nullptr) return 0;
    int64_t width = 0;
    for (unsigned char byte : text) width += glyph(*cache, byte, pixelHeight * scale, bold).advance;
    return int(std::min<int64_t>((width + scale - 1) / scale, INT32_MAX));
}

int FreeTypeText::textHeight(int pixelHeight, bool bold) {
    const int scale = drawingScale();
    SizeCache* cache = sizeCache(pixelHeight * scale, bold);
    return cache == nullptr ? 0 : (cache->lineHeight + scale - 1) / scale;
}

char32_t FreeTypeText::codePoint(unsigned char byte) {
    if (byte < 32 || byte == 127) return 0;
    if (byte >= 0x80 && byte < 0xA0) return highControls[byte - 0x80];
    return byte;
}

}  // namespace brio
