// Reads arbitrary bytes as a markup document with nested sections and keys of every kind,
// then checks that what it loaded, saved and loaded again saves the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/TextStream.h"

namespace {

struct Leaf : brio::TextStream {
    bool flag = false;
    int32_t count = 0;
    void exchange() override {
        exchangeBool("flag", flag);
        exchangeInt("count", count);
    }
};

struct Branch : brio::TextStream {
    double level = 0.5;
    std::string title;
    Leaf leaf;
    void exchange() override {
        exchangeReal("level", level);
        exchangeText("title", title);
        exchangeSection("leaf", leaf);
    }
};

struct Document : brio::TextStream {
    int32_t number = 0;
    std::string text;
    Leaf untagged;  // keys of the root's own lines, through a section without tags
    Branch branch;
    brio::Text_ extracted;
    void exchange() override {
        exchangeInt("number", number);
        exchangeText("text", text);
        // Before the branch: a key is looked up from the top, through the nested sections too.
        exchangeSection("", untagged);
        exchangeSection("branch", branch);
        if (!writing) extractSection(lines, "branch", extracted);
    }
};

std::string saved(Document& document) {
    document.saveFile("", "Root");
    std::string bytes;
    for (const std::string& line : document.lines) bytes += line + "\r\n";
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Document first;
    if (!first.lines.setFromBytes(std::string(reinterpret_cast<const char*>(data), size), true))
        return 0;
    if (!first.loadFile("", "Root")) return 0;
    const std::string once = saved(first);
    Document second;
    if (!second.lines.setFromBytes(once, true) || !second.loadFile("", "Root")) __builtin_trap();
    if (saved(second) != once) __builtin_trap();
    return 0;
}
