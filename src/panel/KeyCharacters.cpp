#include "panel/KeyCharacters.h"

namespace brio {

namespace {

class UsKeyCharacters : public KeyCharacters {
public:
    std::string character(int code) const override {
        if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return std::string(1, char(code));
        switch (code) {
            case 186: return ";";
            case 187: return "=";
            case 188: return ",";
            case 189: return "-";
            case 190: return ".";
            case 191: return "/";
            case 192: return "`";
            case 219: return "[";
            case 220: return "\\";
            case 221: return "]";
            case 222: return "'";
            default: return "";
        }
    }
};

const UsKeyCharacters usKeys;
const KeyCharacters* installed = &usKeys;

}  // namespace

const KeyCharacters& keyCharacters() { return *installed; }

void installKeyCharacters(const KeyCharacters* characters) { installed = characters ? characters : &usKeys; }

}  // namespace brio
