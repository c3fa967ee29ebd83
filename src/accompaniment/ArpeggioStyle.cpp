#include "accompaniment/ArpeggioStyle.h"

#include <algorithm>

#include "foundation/RealFormat.h"
#include "foundation/TextUtils.h"

namespace brio {

namespace {

constexpr char fieldSeparator = ';';

std::string formatNote(const ArpeggioNote& note) {
    return formatInt(note.key) + fieldSeparator + formatInt(note.vel) + fieldSeparator +
           formatInt(note.pos) + fieldSeparator + formatReal(note.len);
}

// Missing fields read as empty text: 0 for the integers, 1.0 for the length.
ArpeggioNote parseNote(const std::string& line) {
    Text_ fields;
    split(line, fieldSeparator, fields);
    return ArpeggioNote{parseInt(fields.getConst(0)), parseInt(fields.getConst(1)),
                        parseInt(fields.getConst(2)), parseReal(fields.getConst(3))};
}

// A "key=value" line (a name holding the separator among them) is never a note.
bool isKeyValueLine(const std::string& line) {
    const size_t equals = line.find('=');
    return equals != std::string::npos && equals < line.find(fieldSeparator);
}

}  // namespace

void ArpeggioStyle::exchange() {
    if (writing) {
        // The separator would make the name line read back as a note.
        std::string storedName = name;
        std::replace(storedName.begin(), storedName.end(), fieldSeparator, ',');
        exchangeText("name", storedName);
    } else {
        exchangeText("name", name);
    }
    exchangeInt("length", length);
    if (writing) {
        for (const ArpeggioNote& note : notes) writeLine(formatNote(note));
        return;
    }
    // Every other line holding a separator is a note.
    notes.clear();
    for (const std::string& line : lines) {
        if (line.find(fieldSeparator) != std::string::npos && !isKeyValueLine(line)) {
            notes.append(parseNote(line));
        }
    }
}

}  // namespace brio
