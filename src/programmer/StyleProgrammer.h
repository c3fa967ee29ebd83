#pragma once

#include <array>
#include <optional>
#include <string>

#include "programmer/EditField.h"
#include "programmer/ProgrammerLayout.h"
#include "programmer/StepGrid.h"
#include "programmer/StyleEditor.h"

namespace brio {

class ArpeggioStyle;
class MidiSynthCore;
class StyleLibrary;

// The five edit fields of the programmer.
enum class EditId { arpName, arpLength, arpCopyFrom, styleName, styleTempo };
inline constexpr int editCount = 5;

// What the style programmer edits and how each edit reaches the library, without the window:
// the style, its section and its parts, the grid of the selected part's pattern in that
// section and the edit fields. Every
// change is written into the library at once, except a typed number, which waits for Return or
// for its edit to lose focus; a change of the style applies it again to the station. Problems
// are shown as messages and leave the library as it was.
class StyleProgrammer {
public:
    static constexpr const char* indexMessage =
        "Arpeggio index out of range. Style cannot be updated.";
    static constexpr const char* nameMessage = "A name cannot contain \";\", \"<\" or \">\".";
    static constexpr const char* lengthMessage = "The length must be a whole number from 1 to 64.";
    static constexpr const char* tempoMessage = "The tempo must be a whole number from 20 to 220.";
    static constexpr const char* copyFromMessage =
        "The pattern to copy from must be a whole number from 0 to 3999.";
    static constexpr const char* restMessage =
        "The part has no pattern in this section. Choose one with its selector first.";
    static constexpr const char* nameRefused = ";<>";
    static constexpr int shortestLength = 1;
    static constexpr int longestLength = StepGrid::stepCount;
    static constexpr int slowestTempo = 20;
    static constexpr int fastestTempo = 220;

    // Shows style 0 with its first part, as the window does when it is made.
    explicit StyleProgrammer(StyleLibrary& library);

    // The station that hears the changes; nullptr for none.
    void setStation(MidiSynthCore* newStation) { station = newStation; }

    EditField& edit(EditId id) { return edits[size_t(id)]; }
    const EditField& edit(EditId id) const { return edits[size_t(id)]; }
    const StyleEditor& editor() const { return styleEditor; }
    const StepGrid& grid() const { return stepGrid; }
    StepGrid& grid() { return stepGrid; }
    StyleLibrary& styles() { return library; }
    const StyleLibrary& styles() const { return library; }
    // The pattern the grid shows; nullptr when its index is out of range or the part rests.
    const ArpeggioStyle* shownPattern() const;

    // The style's name, tempo and part values from the library into the editor.
    void loadStyle();
    // Name, tempo and parts into the library; all notes off, and the station applies the style.
    void storeStyle();
    // The selected part's pattern into the grid and the pattern edits; false (with the message)
    // when its index is out of range. A part that rests in the section shows an empty grid.
    bool loadGrid();
    // Name, length and the grid's notes into the pattern; false (with the message) when its
    // index is out of range.
    bool storeGrid();

    // The text of an edit changed by the user: a name is stored, a number only marked when it
    // is out of range.
    void editChanged(EditId id);
    // Return in an edit (`entered`) or the edit losing focus: a number typed since is checked
    // and applied; Return in the copy-from edit copies the pattern named there in any case.
    // True when the library changed.
    bool commitEdit(EditId id, bool entered);
    // The library's load problem as a message, the first time only.
    void tellLoadProblem();
    // Every cell empty, stored into the pattern.
    void clearGrid();
    // A pattern operation of the pop-up menu (PatternOperations tag) on the shown pattern.
    void runOperation(int tag);

    // Index selector of box 0 (style) or of a part box (1..5).
    void chooseDigit(int box, ProgrammerLayout::Digit digit, int number);
    // Part `part` (0..4) plays pattern `index` in the shown section and becomes the selected
    // part; noPattern (outside Main A only) lets it rest. A section other than Main A lasts
    // the bars that cover its patterns (also after a change of a pattern's length), and is
    // left out when every part rests.
    void choosePattern(int part, int32_t index);
    // Shows the parts' patterns in `section`; the grid shows the selected part's.
    void selectSection(Section section);
    // Raises or lowers a part control; a change stores the style. True when the value changed.
    bool adjustControl(int part, ProgrammerLayout::PartControl control, bool raise, bool ctrl);
    // Shows part `part`'s pattern in the grid.
    void selectPart(int part);

    // Saves the library to "styles.cfg"; false (with a message) when it could not be written.
    // An edited library that could not be read is replaced only when the user agrees.
    bool saveLibrary();

    // A whole number (blanks around it allowed, optional sign); nothing for other text.
    static std::optional<int> wholeNumber(const std::string& text);

private:
    ArpeggioStyle* pattern();
    // The shown section's bars (not Main A's) to those covering its patterns; true when they
    // changed.
    bool fitSectionBars();
    // The pattern shown, or none with the index (or rest) message told.
    ArpeggioStyle* patternOrNotice();
    // A number edit's value within its range; nothing otherwise, and for a name edit.
    std::optional<int> numberValue(EditId id) const;
    // Shows a number edit's text as out of range or not.
    void markRange(EditId id);
    bool commitLength();
    bool commitTempo();
    // The shown pattern becomes a copy of the one named in the copy-from edit.
    bool copyFrom();
    // True when the length or tempo edit holds a value to store; otherwise the message is
    // shown, except for an empty edit, which changes nothing.
    bool checkNumber(EditId id, std::optional<int> value, const char* message) const;

    StyleLibrary& library;
    MidiSynthCore* station = nullptr;
    StyleEditor styleEditor;
    StepGrid stepGrid;
    std::array<EditField, editCount> edits;
    std::array<bool, editCount> typed{};  // a number typed and not yet applied, by EditId
    bool problemTold = false;
};

}  // namespace brio
