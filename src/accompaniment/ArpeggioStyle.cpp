#include "accompaniment/ArpeggioStyle.h"

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

}  // namespace

void ArpeggioStyle::exchange() {
    exchangeText("name", name);
    exchangeInt("length", length);
    if (writing) {
        for (const ArpeggioNote& note : notes) writeLine(formatNote(note));
        return;
    }
    // Every line holding a separator is a note, whatever else it holds.
    notes.clear();
    for (const std::string& line : lines) {
        if (line.find(fieldSeparator) != std::string::npos) notes.append(parseNote(line));
    }
}

}  // namespace brio
