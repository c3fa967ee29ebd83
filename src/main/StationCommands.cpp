// The commands of the main window: the four menus, the pickers, and what a pick does.
#include <algorithm>

#include "accompaniment/StyleLibrary.h"
#include "foundation/AppIdentity.h"
#include "foundation/FileIo.h"
#include "foundation/TextUtils.h"
#include "graphics/UrlOpener.h"
#include "graphics/UserDialogs.h"
#include "graphics/WindowHost.h"
#include "main/CommandWindows.h"
#include "main/MidiSynth.h"
#include "midi/GeneralMidi.h"
#include "settings/Options.h"
#include "settings/RecentFiles.h"

namespace brio {

namespace {

constexpr int firstRecentEntry = 5;
constexpr int octaveEntries = 5;
constexpr int pickablePatterns = 100;
constexpr Color menuColour = makeColor(146, 146, 146);
constexpr int programRows = 16;
constexpr int programBand = 8;
constexpr int patternRows = 10;
constexpr int styleRows = 12;

std::string ticked(const char* text, bool on) { return on ? std::string("#") + text : std::string(text); }

}  // namespace

Text_ MidiSynth::sortedRecent(const RecentFiles& files) {
    Text_ sorted = files.copy();
    sorted.sort();
    return sorted;
}

Text_ MidiSynth::menuItems(int menu) const {
    Text_ items;
    const auto addAll = [&](std::initializer_list<std::string> texts) {
        for (const std::string& text : texts) items.append(text);
    };
    const auto addRecent = [&](const RecentFiles& files) {
        const Text_ sorted = sortedRecent(files);
        for (int i = 0; i < sorted.count(); ++i) {
            const std::string& path = sorted.getConst(i);
            const std::string& folder = documentsFolder();
            const bool ownFolder = path.rfind(folder, 0) == 0 && path.find('/', folder.size()) == std::string::npos;
            std::string shown = ownFolder ? path.substr(folder.size()) : path;
            if (shown.empty()) shown = " ";
            items.append(i == 0 ? "-" + shown : shown);
        }
    };
    switch (menu) {
        case workspaceMenu:
            addAll({"New Workspace", "Open Workspace...", "Save Workspace", "Save Workspace As...", "-Exit"});
            addRecent(workspaceFiles);
            break;
        case recordMenu:
            addAll({"Start Recording", "Stop", "Play", "-Open Recording...", "Save Recording As..."});
            addRecent(recordingFiles);
            break;
        case optionsMenu:
            addAll({ticked("Dragging Mouse Plays Piano", options.dragPlay),
                    ticked("Show Key Assignments", options.showKeyAssignment), ticked("Large View", options.largeView),
                    ticked("Show Window Border", options.windowBorder),
                    ticked("Chords Off", options.chordMode == ChordMode::off),
                    ticked("Single Finger Chords", options.chordMode == ChordMode::singleFinger),
                    ticked("Fingered Chords", options.chordMode == ChordMode::fingered),
                    ticked("Bass On Lowest Key", options.bassOnLowestKey), ticked("Sync Stop", syncStop),
                    "-More Options..."});
            break;
        case helpMenu:
            addAll({"Help", "Hot Keys", std::string("Visit ") + applicationTitle + " On The Web", "About"});
            break;
        default:
            break;
    }
    return items;
}

void MidiSynth::openMenu(int menu) {
    if (!popup || !mainWindow || menu < 0 || menu >= panel.menuBoxes.count()) return;
    const Rect& box = panel.menuBoxes.getConst(menu);
    CommandPopup::Request request;
    request.items = menuItems(menu);
    request.commandKey = menu;
    request.menuStyle = true;
    request.colour = menuColour;
    request.x = mainWindow->left() + box.left + 2;
    request.y = mainWindow->top() + box.bottom + 2;
    request.positionSet = true;
    popup->open(request);
}

void MidiSynth::openPicker(int commandKey, const Rect& under) {
    if (!popup || !mainWindow) return;
    CommandPopup::Request request;
    request.commandKey = commandKey;
    if (under.right > under.left) {
        request.x = mainWindow->left() + under.left + 2;
        request.y = mainWindow->top() + under.bottom + 2;
        request.positionSet = true;
    }
    switch (commandKey) {
        case octavePicker:
            for (const char* entry : {" -2", " -1", " 0", " +1", " +2"}) request.items.append(entry);
            request.current = masterKeyShift % 12 == 0 && masterKeyShift / 12 < octaveEntries ? masterKeyShift / 12 : -1;
            break;
        case programPicker:
            for (int program = 0; program < 128; ++program) request.items.append(programName(program));
            request.rowsPerColumn = programRows;
            request.band = programBand;
            request.current = instruments[size_t(selectedInstrument)].program;
            break;
        case patternPicker:
            for (int i = 0; i < pickablePatterns; ++i) {
                if (library.pattern(i).name.empty()) continue;
                if (i == arpeggios[size_t(selectedInstrument)].arpIdx) request.current = request.items.count();
                request.items.append(library.pattern(i).name);
            }
            request.rowsPerColumn = patternRows;
            break;
        case stylePicker:
            for (int i = 0; i < StyleLibrary::styleCount; ++i) {
                if (library.style(i).isEmpty()) continue;
                if (i == style) request.current = request.items.count();
                request.items.append(library.style(i).name);
            }
            request.rowsPerColumn = styleRows;
            break;
        default:
            return;
    }
    if (request.items.empty()) return;
    popup->open(request);
}

void MidiSynth::pick(int commandKey, int index) {
    if (index < 0) return;
    switch (commandKey) {
        case workspaceMenu: return workspaceCommand(index);
        case recordMenu: return recordCommand(index);
        case optionsMenu: return optionsCommand(index);
        case helpMenu: return helpCommand(index);
        case octavePicker:
            if (index < octaveEntries) setMasterKeyShift(index * 12);
            return;
        case programPicker: {
            if (index > 127) return;
            instruments[size_t(selectedInstrument)].setProgram(index);
            copySelectionToPanel();
            paintWidgets();
            refreshToneDisplay();
            return;
        }
        case patternPicker: {
            int named = 0;
            for (int i = 0; i < pickablePatterns; ++i) {
                if (library.pattern(i).name.empty()) continue;
                if (named++ == index) arpeggios[size_t(selectedInstrument)].arpIdx = i;
            }
            return;
        }
        case stylePicker: {
            int named = 0;
            for (int i = 0; i < StyleLibrary::styleCount; ++i) {
                if (!library.style(i).isEmpty() && named++ == index) return selectStyle(i, true);
            }
            return;
        }
        default:
            return;
    }
}

void MidiSynth::workspaceCommand(int index) {
    switch (index) {
        case 0: return newWorkspace(false);
        case 1:
            releaseAll();
            return openWorkspace("");
        case 2: return saveWorkspace();
        case 3:
            releaseAll();
            return saveWorkspaceAs();
        case 4: return requestQuit();
        default: {
            const Text_ recent = sortedRecent(workspaceFiles);
            if (index - firstRecentEntry < recent.count()) openWorkspace(recent.getConst(index - firstRecentEntry));
            return;
        }
    }
}

void MidiSynth::recordCommand(int index) {
    switch (index) {
        case 0: return startRecording();
        case 1: return stopRecordingOrPlayback();
        case 2: return startPlayback();
        case 3: return openRecording();
        case 4: return saveRecordingAs();
        default: {
            const Text_ recent = sortedRecent(recordingFiles);
            if (index - firstRecentEntry < recent.count()) openRecentRecording(recent.getConst(index - firstRecentEntry));
            return;
        }
    }
}

void MidiSynth::optionsCommand(int index) {
    switch (index) {
        case 0:
            options.dragPlay = !options.dragPlay;
            return;
        case 1:
            options.showKeyAssignment = !options.showKeyAssignment;
            refreshKeyLabels();
            return;
        case 2:
            if (!options.largeView && windowSystem && windowSystem->screenWidth() > 0 &&
                windowSystem->screenWidth() < Options::largeViewMinWidth) {
                releaseAll();
                userDialogs().showNotice(Options::largeViewRefusal());
                return;
            }
            options.largeView = !options.largeView;
            return buildPanel();
        case 3:
            options.windowBorder = !options.windowBorder;
            return buildPanel();
        case 4:
        case 5:
        case 6:
            options.chordMode = ChordMode(index - 4);
            return applyChordMode();
        case 7:
            options.bassOnLowestKey = !options.bassOnLowestKey;
            return playBassChord(bassChord);
        case 8:
            syncStop = !syncStop;
            return;
        case 9:
            releaseAll();
            if (dialogPages) dialogPages->showOptions();
            return;
        default:
            return;
    }
}

void MidiSynth::helpCommand(int index) {
    switch (index) {
        case 0: {
            const std::string page = programFolder() + "Help/" + applicationTitle + ".html";
            if (!isReadableFile(page)) {
                releaseAll();
                userDialogs().showNotice("The help page " + page + " is missing.");
            } else if (!urlOpener().openUrl("file://" + page)) {
                releaseAll();
                userDialogs().showNotice("No program could be started to show the help page " + page + ".");
            }
            return;
        }
        case 1:
            releaseAll();
            if (dialogPages) dialogPages->showHotKeys();
            return;
        case 2: {
            const std::string address = std::string("https://") + makerWebHost;
            if (!urlOpener().openUrl(address)) {
                releaseAll();
                userDialogs().showNotice("No web browser could be started for " + address + ".");
            }
            return;
        }
        case 3:
            releaseAll();
            if (dialogPages) dialogPages->showAbout();
            return;
        default:
            return;
    }
}

}  // namespace brio
