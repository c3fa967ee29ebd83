#include "programmer/StyleProgrammer.h"

#include <cctype>

#include "accompaniment/StyleLibrary.h"
#include "foundation/TextUtils.h"
#include "graphics/UserDialogs.h"
#include "midi/MidiOut.h"
#include "programmer/MidiSynthCore.h"
#include "programmer/PatternOperations.h"
#include "programmer/SectionLength.h"

namespace brio {

namespace {

constexpr int channelCount = 16;
constexpr size_t nameLength = 100;
constexpr size_t numberLength = 6;
constexpr int longestDigits = 9;  // a whole number of at most 9 digits cannot overflow
static_assert(StyleLibrary::patternCount == 4000, "copyFromMessage names the pattern range");

void notice(const std::string& text) {
    userDialogs().showNotice(text);
}

bool inRange(std::optional<int> value, int low, int high) {
    return value && *value >= low && *value <= high;
}

bool isNumber(EditId id) {
    return id == EditId::arpLength || id == EditId::styleTempo || id == EditId::arpCopyFrom;
}

}  // namespace

StyleProgrammer::StyleProgrammer(StyleLibrary& library)
    : library(library),
      edits{EditField(272, 7, 121, nameLength), EditField(440, 7, 41, numberLength),
            EditField(560, 7, 41, numberLength), EditField(840, 72, 121, nameLength),
            EditField(840, 88, 49, numberLength)} {
    edit(EditId::arpName).refuseCharacters(nameRefused);
    edit(EditId::styleName).refuseCharacters(nameRefused);
    edit(EditId::arpCopyFrom).setText("0");
    loadStyle();
    loadGrid();
}

std::optional<int> StyleProgrammer::wholeNumber(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    int digits = 0;
    int value = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at, ++digits) {
        if (digits == longestDigits) return std::nullopt;
        value = value * 10 + (text[at] - '0');
    }
    while (at < text.size() && text[at] == ' ') ++at;
    if (digits == 0 || at != text.size()) return std::nullopt;
    return negative ? -value : value;
}

const ArpeggioStyle* StyleProgrammer::shownPattern() const {
    const int index = styleEditor.selectedPattern();
    return StyleLibrary::validPattern(index) ? &library.pattern(index) : nullptr;
}

ArpeggioStyle* StyleProgrammer::pattern() {
    return const_cast<ArpeggioStyle*>(shownPattern());
}

std::optional<int> StyleProgrammer::numberValue(EditId id) const {
    const std::optional<int> value = wholeNumber(edit(id).text());
    switch (id) {
        case EditId::arpLength:
            return inRange(value, shortestLength, longestLength) ? value : std::nullopt;
        case EditId::styleTempo:
            return inRange(value, slowestTempo, fastestTempo) ? value : std::nullopt;
        case EditId::arpCopyFrom:
            return inRange(value, 0, StyleLibrary::patternCount - 1) ? value : std::nullopt;
        default:
            return std::nullopt;
    }
}

void StyleProgrammer::markRange(EditId id) {
    edit(id).markOutOfRange(!edit(id).text().empty() && !numberValue(id));
}

void StyleProgrammer::loadStyle() {
    const BaseStyle& style = library.style(styleEditor.styleIndex);
    edit(EditId::styleName).setText(style.name);
    edit(EditId::styleTempo).setText(formatInt(style.bpm));
    typed[size_t(EditId::styleTempo)] = false;
    markRange(EditId::styleTempo);
    styleEditor.loadParts(style);
}

void StyleProgrammer::storeStyle() {
    BaseStyle& style = library.style(styleEditor.styleIndex);
    style.name = edit(EditId::styleName).text();
    styleEditor.storeParts(style);
    for (int channel = 0; channel < channelCount; ++channel) MidiOut::allNotesOff(channel);
    if (station) station->selectStyle(styleEditor.styleIndex, true);
}

bool StyleProgrammer::loadGrid() {
    const ArpeggioStyle* shown = shownPattern();
    if (styleEditor.selectedRests()) {
        edit(EditId::arpName).setText("");
        edit(EditId::arpLength).setText("");
        typed[size_t(EditId::arpLength)] = false;
        markRange(EditId::arpLength);
        stepGrid.clear();
        return true;
    }
    if (!shown) {
        notice(indexMessage);
        return false;
    }
    edit(EditId::arpName).setText(shown->name);
    edit(EditId::arpLength).setText(formatInt(shown->length));
    typed[size_t(EditId::arpLength)] = false;
    markRange(EditId::arpLength);
    stepGrid.load(*shown);
    return true;
}

bool StyleProgrammer::storeGrid() {
    ArpeggioStyle* shown = patternOrNotice();
    if (!shown) return false;
    shown->name = edit(EditId::arpName).text();
    stepGrid.storeNotes(*shown);
    return true;
}

bool StyleProgrammer::checkNumber(EditId id, std::optional<int> value, const char* message) const {
    if (value) return true;
    if (!edit(id).text().empty()) notice(message);
    return false;
}

void StyleProgrammer::editChanged(EditId id) {
    if (isNumber(id)) {
        typed[size_t(id)] = true;
        return markRange(id);
    }
    if (id == EditId::styleName) return storeStyle();
    storeGrid();
}

bool StyleProgrammer::commitEdit(EditId id, bool entered) {
    const bool due = typed[size_t(id)] || (entered && id == EditId::arpCopyFrom);
    typed[size_t(id)] = false;
    if (!due) return false;
    switch (id) {
        case EditId::arpLength:
            return commitLength();
        case EditId::styleTempo:
            return commitTempo();
        case EditId::arpCopyFrom:
            return copyFrom();
        default:
            return false;
    }
}

ArpeggioStyle* StyleProgrammer::patternOrNotice() {
    ArpeggioStyle* shown = pattern();
    if (!shown) notice(styleEditor.selectedRests() ? restMessage : indexMessage);
    return shown;
}

bool StyleProgrammer::commitLength() {
    ArpeggioStyle* shown = patternOrNotice();
    if (!shown) return false;
    const std::optional<int> length = numberValue(EditId::arpLength);
    if (!checkNumber(EditId::arpLength, length, lengthMessage)) return false;
    shown->length = *length;
    if (fitSectionBars()) storeStyle();
    return true;
}

bool StyleProgrammer::commitTempo() {
    const std::optional<int> tempo = numberValue(EditId::styleTempo);
    if (!checkNumber(EditId::styleTempo, tempo, tempoMessage)) return false;
    library.style(styleEditor.styleIndex).bpm = *tempo;
    storeStyle();
    return true;
}

bool StyleProgrammer::copyFrom() {
    ArpeggioStyle* shown = patternOrNotice();
    if (!shown) return false;
    const std::optional<int> source = numberValue(EditId::arpCopyFrom);
    if (!source) {
        notice(copyFromMessage);
        return false;
    }
    const ArpeggioStyle& from = library.pattern(*source);
    shown->name = from.name;
    shown->length = from.length;
    shown->notes = from.notes;
    if (fitSectionBars()) storeStyle();
    return loadGrid();
}

void StyleProgrammer::clearGrid() {
    stepGrid.clear();
    storeGrid();
}

void StyleProgrammer::runOperation(int tag) {
    if (styleEditor.selectedRests()) return notice(restMessage);
    if (ArpeggioStyle* shown = pattern()) PatternOperations::apply(*shown, tag);
    if (fitSectionBars()) storeStyle();
    loadGrid();
}

void StyleProgrammer::chooseDigit(int box, ProgrammerLayout::Digit digit, int number) {
    if (box == 0) {
        styleEditor.styleIndex = StyleEditor::withDigit(styleEditor.styleIndex, digit, number);
        loadStyle();
    } else if (box > 0 && box <= StyleEditor::partCount) {
        const int part = box - 1;
        return choosePattern(
            part, StyleEditor::withDigit(styleEditor.patternIndex[size_t(part)], digit, number));
    } else {
        return;
    }
    storeStyle();
    loadGrid();
}

void StyleProgrammer::choosePattern(int part, int32_t index) {
    const Section section = styleEditor.section;
    if (part < 0 || part >= StyleEditor::partCount) return;
    if (index == BaseStyle::noPattern && section == Section::mainA) return;
    styleEditor.patternIndex[size_t(part)] = index;
    styleEditor.selectedPart = part;
    styleEditor.storeParts(library.style(styleEditor.styleIndex));
    fitSectionBars();
    storeStyle();
    loadGrid();
}

bool StyleProgrammer::fitSectionBars() {
    const Section section = styleEditor.section;
    if (section == Section::mainA) return false;
    BaseStyle& style = library.style(styleEditor.styleIndex);
    const int32_t bars = coveringBars(style, section, library);
    if (bars == style.sections[size_t(section)].bars) return false;
    style.sections[size_t(section)].bars = bars;
    return true;
}

void StyleProgrammer::selectSection(Section section) {
    styleEditor.section = section;
    loadStyle();
    loadGrid();
}

bool StyleProgrammer::adjustControl(int part, ProgrammerLayout::PartControl control, bool raise,
                                    bool ctrl) {
    if (control == ProgrammerLayout::modeControl)
        for (int channel = 0; channel < channelCount; ++channel)
            MidiOut::setSustain(false, channel);
    if (!styleEditor.adjust(part, control, raise, ctrl)) return false;
    storeStyle();
    return true;
}

void StyleProgrammer::selectPart(int part) {
    if (part < 0 || part >= StyleEditor::partCount) return;
    styleEditor.selectedPart = part;
    loadGrid();
}

void StyleProgrammer::tellLoadProblem() {
    if (problemTold || library.loadProblem.empty()) return;
    problemTold = true;
    notice(library.loadProblem);
}

bool StyleProgrammer::saveLibrary() {
    if (library.keepsUnreadable()) {
        if (userDialogs().askQuestion("The style library \"" + StyleLibrary::savePath() +
                                      "\" could not be read and was left as it was. Replace it "
                                      "with the styles shown in the programmer?") != 0)
            return false;
        library.allowReplacing();
    }
    if (library.save()) return true;
    notice("The style library could not be saved to \"" + StyleLibrary::savePath() +
           "\". The file was left as it was; the changes are kept while the program runs.");
    return false;
}

}  // namespace brio
