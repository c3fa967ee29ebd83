#include "programmer/Windows1252.h"

#include <array>
#include <cstdint>

namespace brio {

namespace {

// Characters of the bytes 0x80..0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> upperControlBlock = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t characterOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return upperControlBlock[byte - 0x80];
    return byte;
}

// The byte for a character; -1 when the code page cannot hold it.
int byteOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return int(character);
    for (size_t i = 0; i < upperControlBlock.size(); ++i)
        if (upperControlBlock[i] == character && character != 0) return int(0x80 + i);
    return -1;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The character starting at `at` and its byte count; 0 bytes for a malformed sequence (which
// is then skipped one byte at a time).
char32_t decodeUtf8(const std::string& text, size_t at, size_t& bytes) {
    const auto lead = uint8_t(text[at]);
    size_t count = lead < 0x80           ? 1
                   : (lead >> 5) == 0x6  ? 2
                   : (lead >> 4) == 0xE  ? 3
                   : (lead >> 3) == 0x1E ? 4
                                         : 0;
    bytes = 0;
    if (count == 0 || at + count > text.size()) return 0;
    char32_t c = count == 1 ? lead : lead & (0x7F >> count);
    for (size_t i = 1; i < count; ++i) {
        const auto next = uint8_t(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        c = (c << 6) | (next & 0x3F);
    }
    bytes = count;
    return c;
}

}  // namespace

std::string windows1252FromUtf8(const std::string& utf8) {
    std::string out;
    for (size_t at = 0; at < utf8.size();) {
        size_t bytes = 0;
        const char32_t c = decodeUtf8(utf8, at, bytes);
        if (bytes == 0) {
            ++at;
            continue;
        }
        at += bytes;
        const int byte = byteOf(c);
        if (byte >= 0) out += char(byte);
    }
    return out;
}

std::string utf8FromWindows1252(const std::string& text) {
    std::string out;
    for (const char byte : text) {
        const char32_t c = characterOf(uint8_t(byte));
        if (c != 0) appendUtf8(out, c);
    }
    return out;
}

}  // namespace brio
