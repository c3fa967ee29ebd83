// Loading and saving a markup document shaped like a full style library: 400 arpeggio patterns of
// 32 note lines each and 100 styles of 29 keys, about 20,000 lines in all.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "foundation/TextStream.h"

namespace brio {
namespace {

constexpr int patternCount = 400;
constexpr int styleCount = 100;
constexpr int notesPerPattern = 32;
constexpr const char* rootName = "Pelmora Base Styles";

// An arpeggio pattern: a few keys, then its notes as plain lines "key;vel;pos;len".
class PatternStream : public TextStream {
public:
    std::string name = "pattern";
    int32_t length = 16;
    int32_t resolution = 4;
    double swing = 0.0;
    bool latch = false;
    int32_t octaves = 1;
    int32_t direction = 0;
    double gate = 0.5;
    std::vector<std::string> notes;

    void exchange() override {
        exchangeText("name", name);
        exchangeInt("length", length);
        exchangeInt("resolution", resolution);
        exchangeReal("swing", swing);
        exchangeBool("latch", latch);
        exchangeInt("octaves", octaves);
        exchangeInt("direction", direction);
        exchangeReal("gate", gate);
        if (writing) {
            for (const std::string& note : notes) writeLine(note);
            return;
        }
        notes.clear();
        for (const std::string& line : lines) {
            if (line.find('=') == std::string::npos) notes.push_back(line);
        }
    }
};

// A style: 29 keys of every kind.
class StyleStream : public TextStream {
public:
    std::string name = "style";
    int32_t numbers[20] = {};
    double reals[6] = {};
    bool flags[2] = {};

    void exchange() override {
        exchangeText("name", name);
        for (int i = 0; i < 20; ++i) exchangeInt("number" + std::to_string(i), numbers[i]);
        for (int i = 0; i < 6; ++i) exchangeReal("real" + std::to_string(i), reals[i]);
        for (int i = 0; i < 2; ++i) exchangeBool("flag" + std::to_string(i), flags[i]);
    }
};

class LibraryStream : public TextStream {
public:
    std::vector<PatternStream> patterns = std::vector<PatternStream>(patternCount);
    std::vector<StyleStream> styles = std::vector<StyleStream>(styleCount);

    void exchange() override {
        for (int i = 0; i < patternCount; ++i)
            exchangeSection("arp" + std::to_string(i), patterns[i]);
        for (int i = 0; i < styleCount; ++i)
            exchangeSection("style" + std::to_string(i), styles[i]);
    }
};

LibraryStream filledLibrary() {
    LibraryStream library;
    for (int i = 0; i < patternCount; ++i) {
        PatternStream& pattern = library.patterns[i];
        pattern.name = "Arpeggio " + std::to_string(i);
        pattern.swing = 0.125 * (i % 5);
        for (int n = 0; n < notesPerPattern; ++n) {
            pattern.notes.push_back(std::to_string(36 + n % 24) + ";100;" + std::to_string(n) +
                                    ";0.5");
        }
    }
    for (int i = 0; i < styleCount; ++i) {
        StyleStream& style = library.styles[i];
        style.name = "Style number " + std::to_string(i);
        for (int k = 0; k < 20; ++k) style.numbers[k] = i * 31 + k;
        for (int k = 0; k < 6; ++k) style.reals[k] = 0.37 * (i + k);
        style.flags[i % 2] = true;
    }
    return library;
}

// A saved library in a temporary folder, removed at exit.
class LibraryFile {
public:
    LibraryFile() {
        std::string pattern = "/tmp/brio-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) folder = pattern;
        path = folder + "/styles.cfg";
        LibraryStream library = filledLibrary();
        library.saveFile(path, rootName);
        lineCount = library.lines.count();
    }
    LibraryFile(const LibraryFile&) = delete;
    LibraryFile& operator=(const LibraryFile&) = delete;
    ~LibraryFile() {
        ::unlink(path.c_str());
        ::rmdir(folder.c_str());
    }
    std::string folder;
    std::string path;
    int lineCount = 0;
};

const LibraryFile& libraryFile() {
    static LibraryFile file;
    return file;
}

void loadStyleLibrary(benchmark::State& state) {
    const LibraryFile& file = libraryFile();
    for (auto _ : state) {
        LibraryStream library;
        bool loaded = library.loadFile(file.path, rootName);
        benchmark::DoNotOptimize(loaded);
        if (!loaded || library.patterns.back().notes.size() != notesPerPattern) {
            state.SkipWithError("library did not load");
        }
    }
    state.counters["lines"] = file.lineCount;
}
BENCHMARK(loadStyleLibrary)->Unit(benchmark::kMillisecond);

// The same without the file: only the section search and key lookups.
void loadStyleLibraryFromLines(benchmark::State& state) {
    LibraryStream saved = filledLibrary();
    saved.saveFile("", rootName);
    for (auto _ : state) {
        LibraryStream library;
        library.lines = saved.lines;
        benchmark::DoNotOptimize(library.loadFile("", rootName));
    }
}
BENCHMARK(loadStyleLibraryFromLines)->Unit(benchmark::kMillisecond);

void saveStyleLibrary(benchmark::State& state) {
    const LibraryFile& file = libraryFile();
    LibraryStream library = filledLibrary();
    for (auto _ : state) {
        if (!library.saveFile(file.path, rootName)) state.SkipWithError("library did not save");
    }
}
BENCHMARK(saveStyleLibrary)->Unit(benchmark::kMillisecond);

// Building the document only, without writing the file.
void buildStyleLibraryLines(benchmark::State& state) {
    LibraryStream library = filledLibrary();
    for (auto _ : state) benchmark::DoNotOptimize(library.saveFile("", rootName));
}
BENCHMARK(buildStyleLibraryLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brio
