#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/FontRasterizer.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace brio {

// The "Tahoma" face through FreeType: grey anti-aliased glyphs blended into 24-bit images.
// Text is 8-bit Windows-1252; control characters and the code page's unused bytes are skipped.
// Glyphs are rendered once per pixel height and weight and kept, so drawing the same text
// again allocates nothing. Not thread-safe: the program draws from one thread.
class FreeTypeText : public FontRasterizer {
public:
    static constexpr int minPixelHeight = 1;
    static constexpr int maxPixelHeight = 200;
    static constexpr const char* tahomaFile = "/usr/share/wine/fonts/tahoma.ttf";
    static constexpr const char* tahomaBoldFile = "/usr/share/wine/fonts/tahomabd.ttf";
    static constexpr const char* fallbackFamily = "Tahoma";

    struct FaceFiles {
        std::string regular;
        std::string bold;
    };

    // A weight whose file does not load is matched through fontconfig by `family` (no match
    // when empty); a weight still missing borrows the other weight's face.
    explicit FreeTypeText(const FaceFiles& files = {tahomaFile, tahomaBoldFile},
                          const std::string& family = fallbackFamily);
    ~FreeTypeText() override;
    FreeTypeText(const FreeTypeText&) = delete;
    FreeTypeText& operator=(const FreeTypeText&) = delete;

    // True when a face was found: otherwise nothing is drawn and everything measures 0.
    bool ready() const;
    // The font file in use for the weight; empty when none loaded.
    const std::string& facePath(bool bold) const;

    void drawText(Limage& target, const Rect& clip, int x, int y, const std::string& text,
                  int pixelHeight, bool bold, Color color) override;
    int textWidth(const std::string& text, int pixelHeight, bool bold) override;
    int textHeight(int pixelHeight, bool bold) override;

    // The Unicode character of a Windows-1252 byte; 0 for control characters and unused bytes.
    static char32_t codePoint(unsigned char byte);

private:
    struct Face {
        FT_FaceRec_* handle = nullptr;
        std::string path;
        int activeHeight = 0;  // pixel height last set on the handle
        bool embolden = false;  // thicken outlines: the file's own stems are not bold
        bool widen = false;     // add the thickening to advances too
    };
    // One rendered glyph; its coverage bytes start at `offset` in the size's pixel store.
    struct Glyph {
        bool loaded = false;
        int16_t left = 0;  // from the pen position to the bitmap's left column
        int16_t top = 0;   // from the baseline up to the bitmap's top row
        int16_t width = 0;
        int16_t rows = 0;
        int16_t advance = 0;
        uint32_t offset = 0;
    };
    struct SizeCache {
        int ascender = 0;
        int lineHeight = 0;
        std::array<Glyph, 256> glyphs;  // by text byte
        std::vector<uint8_t> pixels;
    };

    bool loadFace(Face& face, const std::string& path, int index = 0);
    bool matchFace(Face& face, const std::string& family, bool bold);
    void chooseSyntheticBold();
    Face& faceFor(bool bold);
    bool activateSize(Face& face, int pixelHeight);
    SizeCache* sizeCache(int pixelHeight, bool bold);
    static void setLineMetrics(SizeCache& cache, FT_FaceRec_& face, int pixelHeight);
    const Glyph& glyph(SizeCache& cache, unsigned char byte, int pixelHeight, bool bold);
    void renderGlyph(SizeCache& cache, Glyph& glyph, Face& face, char32_t character);

    FT_LibraryRec_* library = nullptr;
    std::array<Face, 2> faces;  // regular, bold
    std::array<std::array<std::unique_ptr<SizeCache>, maxPixelHeight + 1>, 2> caches;
};

}  // namespace brio
