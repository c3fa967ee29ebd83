#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "foundation/RealFormat.h"
#include "foundation/TagIndex.h"
#include "foundation/TextStream.h"

namespace brio {
namespace {

using test::itemsOf;

using test::SeparatorScope;

using test::readFile;
using test::TempDir;
using test::writeFile;
using ::testing::ElementsAre;


Text_ textOf(const std::vector<std::string>& lines) {
    Text_ text;
    for (const std::string& line : lines) text.append(line);
    return text;
}


class Child : public TextStream {
public:
    int32_t level = 5;
    std::string label = "child";
    void exchange() override {
        exchangeInt("level", level);
        exchangeText("label", label);
    }
};

class Sample : public TextStream {
public:
    bool flag = false;
    int32_t number = 0;
    double real = 0.0;
    std::string text = "default";
    Child first;
    Child second;
    void exchange() override {
        exchangeBool("flag", flag);
        exchangeInt("number", number);
        exchangeReal("real", real);
        exchangeText("text", text);
        exchangeSection("first", first);
        exchangeSection("second", second);
    }
};

// Stores plain lines, as the recent-file lists do.
class PlainLines : public TextStream {
public:
    std::vector<std::string> entries;
    std::string key;  // also looked up as a key, to see which plain lines count as key lines
    void exchange() override {
        if (writing) {
            for (const std::string& entry : entries) writeLine(entry);
        } else {
            entries = itemsOf(lines);
        }
        exchangeText("key", key);
    }
};

// Reads named text keys and named child sections of the same kind; for lookup rules.
class Probe : public TextStream {
public:
    std::vector<std::string> keys;
    std::map<std::string, std::string> values;
    std::map<std::string, Probe> children;
    void exchange() override {
        for (const std::string& key : keys) exchangeText(key, values[key]);
        for (auto& [name, child] : children) exchangeSection(name, child);
    }
};

// Loads `document` as the root "Root" from the object's own lines.
bool loadLines(TextStream& object, const std::vector<std::string>& document) {
    object.lines = textOf(document);
    return object.loadFile("", "Root");
}

Probe probeFor(std::initializer_list<const char*> keys) {
    Probe probe;
    for (const char* key : keys) {
        probe.keys.push_back(key);
        probe.values[key] = "unset";
    }
    return probe;
}

TEST(MarkupRoundTrip, EveryValueKindReadsBackAsWritten) {
    TempDir dir;
    Sample saved;
    saved.flag = true;
    saved.number = -2147483647;
    saved.real = -0.65;
    saved.text = "  spaced = and=more  ";
    saved.first.level = 7;
    saved.first.label = " x=y ";
    saved.second.label = "";
    ASSERT_TRUE(saved.saveFile(dir.path("doc.cfg"), "Root"));

    Sample loaded;
    ASSERT_TRUE(loaded.loadFile(dir.path("doc.cfg"), "Root"));
    EXPECT_TRUE(loaded.flag);
    EXPECT_EQ(loaded.number, -2147483647);
    EXPECT_DOUBLE_EQ(loaded.real, -0.65);
    EXPECT_EQ(loaded.text, "  spaced = and=more  ");
    EXPECT_EQ(loaded.first.level, 7);
    EXPECT_EQ(loaded.first.label, " x=y ");
    EXPECT_EQ(loaded.second.level, 5);
    EXPECT_EQ(loaded.second.label, "");
    EXPECT_EQ(itemsOf(loaded.lines), itemsOf(saved.lines));
}

TEST(MarkupRoundTrip, RealsWrittenUnderOneSeparatorReadUnderTheOther) {
    for (auto [writeWith, readWith] : {std::pair{',', '.'}, std::pair{'.', ','}}) {
        Sample saved;
        saved.real = 123.45;
        {
            SeparatorScope scope(writeWith);
            saved.saveFile("", "Root");
        }
        EXPECT_EQ(saved.lines.getConst(3), std::string("real=123") + writeWith + "5");
        Sample loaded;
        SeparatorScope scope(readWith);
        ASSERT_TRUE(loadLines(loaded, itemsOf(saved.lines)));
        EXPECT_DOUBLE_EQ(loaded.real, 123.5);
    }
}

TEST(MarkupRoundTrip, SavedDocumentHasOneLinePerStepAndCrLfEndings) {
    SeparatorScope point('.');
    TempDir dir;
    Sample sample;
    sample.real = 2.5;
    ASSERT_TRUE(sample.saveFile(dir.path("doc.cfg"), "Brio Options"));
    std::vector<std::string> expected = {
        "<Brio Options>", "flag=false",  "number=0",    "real=2.5",       "text=default",
        "<first>",        "level=5",     "label=child", "</first>",       "<second>",
        "level=5",        "label=child", "</second>",   "</Brio Options>"};
    EXPECT_EQ(itemsOf(sample.lines), expected);
    std::string bytes;
    for (const std::string& line : expected) bytes += line + "\r\n";
    EXPECT_EQ(readFile(dir.path("doc.cfg")), bytes);
    EXPECT_THAT(itemsOf(sample.first.lines), ElementsAre("level=5", "label=child"));
}

TEST(MarkupRoundTrip, ObjectStoringNothingStillGivesItsTwoTags) {
    TextStream empty;
    ASSERT_TRUE(empty.saveFile("", "Empty"));
    EXPECT_THAT(itemsOf(empty.lines), ElementsAre("<Empty>", "</Empty>"));

    Probe parent;
    parent.children["inst0"] = Probe();
    parent.saveFile("", "Root");
    EXPECT_THAT(itemsOf(parent.lines), ElementsAre("<Root>", "<inst0>", "</inst0>", "</Root>"));
}

TEST(MarkupRoundTrip, PlainLinesReadBackAsTheSectionsLines) {
    PlainLines saved;
    saved.entries = {"/home/a.pws", "", "b c"};
    saved.saveFile("", "Recent Files");
    PlainLines loaded;
    loaded.lines = saved.lines;
    ASSERT_TRUE(loaded.loadFile("", "Recent Files"));
    // The key line written after the plain lines belongs to the section too.
    EXPECT_THAT(loaded.entries, ElementsAre("/home/a.pws", "", "b c", "key="));
}

TEST(MarkupRoundTrip, PlainLineWithEqualsIsTakenAsAKeyLine) {
    PlainLines saved;
    saved.key = "own";
    saved.entries = {"key", "key=from plain"};
    saved.saveFile("", "Root");
    PlainLines loaded;
    ASSERT_TRUE(loadLines(loaded, itemsOf(saved.lines)));
    EXPECT_EQ(loaded.key, "from plain");

    saved.entries = {"key", "path/key"};
    saved.saveFile("", "Root");
    ASSERT_TRUE(loadLines(loaded, itemsOf(saved.lines)));
    EXPECT_EQ(loaded.key, "own");
}

TEST(MarkupRoundTrip, EmptySectionNameWritesNoTagsAndReadsTheWholeSection) {
    class Flat : public TextStream {
    public:
        Child inner;
        void exchange() override { exchangeSection("", inner); }
    };
    Flat saved;
    saved.inner.level = 9;
    saved.saveFile("", "Root");
    EXPECT_THAT(itemsOf(saved.lines), ElementsAre("<Root>", "level=9", "label=child", "</Root>"));
    Flat loaded;
    ASSERT_TRUE(loadLines(loaded, itemsOf(saved.lines)));
    EXPECT_EQ(loaded.inner.level, 9);
}

TEST(MarkupRoundTrip, EmptyPathSaveOnlyBuildsTheLinesAndLoadKeepsTheDocument) {
    Sample saved;
    saved.number = 3;
    ASSERT_TRUE(saved.saveFile("", "Root"));
    std::vector<std::string> document = itemsOf(saved.lines);
    Sample loaded;
    ASSERT_TRUE(loadLines(loaded, document));
    EXPECT_EQ(loaded.number, 3);
    EXPECT_EQ(itemsOf(loaded.lines), document);
    EXPECT_FALSE(loaded.writing);
    EXPECT_THAT(itemsOf(loaded.second.lines), ElementsAre("level=5", "label=child"));
}

TEST(MarkupRoundTrip, LastLineWithoutLineEndAndTrailingBlankLinesAreFine) {
    TempDir dir;
    Sample loaded;
    writeFile(dir.path("a.cfg"), "<Root>\r\nnumber=4\r\n</Root>");
    ASSERT_TRUE(loaded.loadFile(dir.path("a.cfg"), "Root"));
    EXPECT_EQ(loaded.number, 4);
    writeFile(dir.path("b.cfg"), "<Root>\nnumber=6\n</Root>\n\r\n\n");
    ASSERT_TRUE(loaded.loadFile(dir.path("b.cfg"), "Root"));
    EXPECT_EQ(loaded.number, 6);
}

TEST(MarkupKeys, IndentedKeyMatchesButSpaceBeforeEqualsDoesNot) {
    Probe probe = probeFor({"a", "b", "c"});
    ASSERT_TRUE(loadLines(probe, {"<Root>", "  \ta=1", "b =2",
                                  "\x01"
                                  "c= 3 ",
                                  "</Root>"}));
    EXPECT_EQ(probe.values["a"], "1");
    EXPECT_EQ(probe.values["b"], "unset");
    EXPECT_EQ(probe.values["c"], " 3 ");
}

TEST(MarkupKeys, KeyDifferingInLetterCaseDoesNotMatch) {
    Probe probe = probeFor({"Tempo"});
    ASSERT_TRUE(loadLines(probe, {"<Root>", "tempo=120", "TEMPO=90", "</Root>"}));
    EXPECT_EQ(probe.values["Tempo"], "unset");
}

TEST(MarkupKeys, ValueIsEverythingAfterTheFirstEquals) {
    Probe probe = probeFor({"k", "e"});
    ASSERT_TRUE(loadLines(probe, {"<Root>", "k==a = b=", "e=", "</Root>"}));
    EXPECT_EQ(probe.values["k"], "=a = b=");
    EXPECT_EQ(probe.values["e"], "");
}

TEST(MarkupKeys, SectionLackingItsOwnKeyReadsTheFirstNestedOne) {
    Probe probe = probeFor({"name"});
    probe.children["style0"] = probeFor({"name"});
    ASSERT_TRUE(loadLines(probe, {"<Root>", "<style0>", "name=inner", "</style0>", "<style1>",
                                  "name=later", "</style1>", "</Root>"}));
    EXPECT_EQ(probe.values["name"], "inner");
    EXPECT_EQ(probe.children["style0"].values["name"], "inner");
}

TEST(MarkupKeys, BadValuesReadByTheirFormats) {
    Sample sample;
    sample.flag = true;
    sample.real = 5;
    ASSERT_TRUE(loadLines(sample, {"<Root>", "flag=TRUE", "number=12abc", "real=word", "</Root>"}));
    EXPECT_FALSE(sample.flag);
    EXPECT_EQ(sample.number, 12);
    EXPECT_DOUBLE_EQ(sample.real, 1.0);
    ASSERT_TRUE(loadLines(sample, {"<Root>", "flag= true ", "number=abc", "</Root>"}));
    EXPECT_TRUE(sample.flag);
    EXPECT_EQ(sample.number, 0);
    ASSERT_TRUE(loadLines(sample, {"<Root>", "flag=1", "number= -7", "</Root>"}));
    EXPECT_FALSE(sample.flag);
    EXPECT_EQ(sample.number, -7);
}

TEST(MarkupKeys, TypedCallsReportFoundOnlyWhenReading) {
    class Reporter : public TextStream {
    public:
        std::vector<bool> results;
        void exchange() override {
            bool flag = false;
            int32_t number = 0;
            double real = 0;
            std::string text;
            results = {exchangeBool("flag", flag), exchangeInt("number", number),
                       exchangeReal("real", real), exchangeText("text", text),
                       exchangeText("missing", text)};
        }
    };
    Reporter reporter;
    reporter.saveFile("", "Root");
    EXPECT_THAT(reporter.results, ElementsAre(false, false, false, false, false));
    ASSERT_TRUE(
        loadLines(reporter, {"<Root>", "flag=true", "number=1", "real=1", "text=", "</Root>"}));
    EXPECT_THAT(reporter.results, ElementsAre(true, true, true, true, false));
}

TEST(MarkupSections, Style1IsNotTakenForStyle10) {
    Probe probe;
    probe.children["style1"] = probeFor({"name"});
    probe.children["style10"] = probeFor({"name"});
    ASSERT_TRUE(loadLines(probe, {"<Root>", "<style10>", "name=ten", "</style10>", "<style1>",
                                  "name=one", "</style1>", "</Root>"}));
    EXPECT_EQ(probe.children["style1"].values["name"], "one");
    EXPECT_EQ(probe.children["style10"].values["name"], "ten");
}

TEST(MarkupSections, IndentedTagsOfNestedSectionsAreFound) {
    Probe probe;
    probe.children["drum machine"] = probeFor({"tempo"});
    ASSERT_TRUE(loadLines(
        probe, {"<Root>", "   <drum machine>", "\ttempo=120", "  </drum machine>  ", "</Root>"}));
    EXPECT_EQ(probe.children["drum machine"].values["tempo"], "120");
}

TEST(MarkupSections, RepeatedOpenTagStartsTheSectionAtTheNearestOne) {
    Probe probe;
    probe.children["a"] = probeFor({"x", "y"});
    ASSERT_TRUE(loadLines(probe, {"<Root>", "<a>", "x=1", "y=1", "<a>", "x=2", "</a>", "</Root>"}));
    EXPECT_EQ(probe.children["a"].values["x"], "2");
    EXPECT_EQ(probe.children["a"].values["y"], "unset");
}

TEST(MarkupSections, MissingOrUnclosedChildKeepsItsDefaultsAndTheRestLoads) {
    Sample sample;
    ASSERT_TRUE(loadLines(sample, {"<Root>", "number=8", "<second>", "level=2", "</Root>"}));
    EXPECT_EQ(sample.number, 8);
    EXPECT_EQ(sample.first.level, 5);
    EXPECT_EQ(sample.second.level, 5);
    EXPECT_TRUE(sample.second.lines.empty());
}

TEST(MarkupSections, TagInsideAValueCountsAsATag) {
    Probe probe = probeFor({"text"});
    probe.children["a"] = probeFor({"x"});
    ASSERT_TRUE(loadLines(
        probe, {"<Root>", "text=see <a>", "x=early", "<a>", "x=late", "</a>", "</Root>"}));
    EXPECT_EQ(probe.children["a"].values["x"], "late");
    ASSERT_TRUE(loadLines(
        probe, {"<Root>", "text=<a>", "x=early", "text=</a>", "<a>", "x=late", "</a>", "</Root>"}));
    EXPECT_EQ(probe.children["a"].values["x"], "early");
}

TEST(MarkupSections, ExtractSectionWorksOnAnyList) {
    class Extractor : public TextStream {
    public:
        using TextStream::extractSection;
    };
    Extractor extractor;
    Text_ source = textOf({"<a>", "1", "</a>", "<b>", "2", "3", "</b>"});
    Text_ dest = textOf({"stale"});
    EXPECT_TRUE(extractor.extractSection(source, "b", dest));
    EXPECT_THAT(itemsOf(dest), ElementsAre("2", "3"));
    EXPECT_TRUE(extractor.extractSection(source, "a", source));
    EXPECT_THAT(itemsOf(source), ElementsAre("1"));
    EXPECT_FALSE(extractor.extractSection(source, "c", dest));
    EXPECT_TRUE(dest.empty());
}

TEST(MarkupSections, DeepNestingReadsEveryLevel) {
    class Level : public TextStream {
    public:
        int32_t depth = -1;
        std::unique_ptr<Level> inner;
        void exchange() override {
            exchangeInt("depth", depth);
            // Nested sections need names of their own: the innermost of equal names would win.
            if (inner) exchangeSection("level" + std::to_string(depth + 1), *inner);
        }
    };
    auto chain = [](int levels) {
        auto root = std::make_unique<Level>();
        Level* at = root.get();
        for (int i = 0; i < levels; ++i) at = (at->inner = std::make_unique<Level>()).get();
        return root;
    };
    auto saved = chain(20);
    int depth = 0;
    for (Level* at = saved.get(); at; at = at->inner.get()) at->depth = depth++;
    saved->saveFile("", "Root");
    auto loaded = chain(20);
    ASSERT_TRUE(loadLines(*loaded, itemsOf(saved->lines)));
    depth = 0;
    for (Level* at = loaded.get(); at; at = at->inner.get()) EXPECT_EQ(at->depth, depth++);
}

class MarkupFailures : public ::testing::Test {
protected:
    void SetUp() override {
        sample.number = 42;
        sample.lines = textOf({"before"});
    }
    void expectUnchanged() {
        EXPECT_EQ(sample.number, 42);
        EXPECT_EQ(sample.first.level, 5);
        EXPECT_THAT(itemsOf(sample.lines), ElementsAre("before"));
    }
    bool loadBytes(const std::string& bytes) {
        writeFile(dir.path("doc.cfg"), bytes);
        return sample.loadFile(dir.path("doc.cfg"), "Root");
    }
    TempDir dir;
    Sample sample;
};

TEST_F(MarkupFailures, MissingFileGivesFalseAndChangesNothing) {
    EXPECT_FALSE(sample.loadFile(dir.path("missing.cfg"), "Root"));
    expectUnchanged();
}

TEST_F(MarkupFailures, EmptyOrBlankFileGivesFalse) {
    EXPECT_FALSE(loadBytes(""));
    expectUnchanged();
    EXPECT_FALSE(loadBytes("\r\n\n\t\r\n"));
    expectUnchanged();
    sample.lines.clear();
    EXPECT_FALSE(sample.loadFile("", "Root"));
}

TEST_F(MarkupFailures, FirstLineMustBeExactlyTheRootTag) {
    for (const char* bytes : {" <Root>\r\nnumber=1\r\n</Root>\r\n", "<root>\nnumber=1\n</root>\n",
                              "<Other>\nnumber=1\n</Other>\n", "\n<Root>\nnumber=1\n</Root>\n",
                              "<Root> \nnumber=1\n</Root>\n"}) {
        EXPECT_FALSE(loadBytes(bytes)) << bytes;
        expectUnchanged();
    }
}

TEST_F(MarkupFailures, TruncatedFileWithoutRootCloseTagLoadsNothingButSucceeds) {
    EXPECT_TRUE(loadBytes("<Root>\r\nnumber=1\r\n<first>\r\nlevel=2\r\n</first>\r\n"));
    EXPECT_EQ(sample.number, 42);
    EXPECT_EQ(sample.first.level, 5);
    EXPECT_EQ(sample.lines.count(), 5);
}

TEST_F(MarkupFailures, SaveToAnUnwritablePathGivesFalse) {
    EXPECT_FALSE(sample.saveFile(dir.path("missing/doc.cfg"), "Root"));
    EXPECT_EQ(sample.lines.getConst(0), "<Root>");
}

TEST_F(MarkupFailures, FailedSaveLeavesTheExistingFileIntact) {
    std::string path = dir.path("doc.cfg");
    ASSERT_TRUE(sample.saveFile(path, "Root"));
    std::string before = readFile(path);
    sample.text = std::string(5000, 'x');
    bool saved = true;
    {
        test::FileSizeLimit limit(before.size() + 10);
        saved = sample.saveFile(path, "Root");
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(readFile(path), before);
}

// Documents that stress the tag search: tags inside values, indentation, names that contain
// each other, unclosed and repeated sections, close tags before open ones, several tags on a line.
const std::vector<std::vector<std::string>>& trickyDocuments() {
    static const std::vector<std::vector<std::string>> documents = {
        {"<R>", "<style10>", "a=1", "</style10>", "<style1>", "a=2", "</style1>", "</R>"},
        {"<R>", "  <a>", "x=<b>", "</a>", "<b>", "\t</b>", "</R>"},
        {"<R>", "<a>", "<a>", "x", "</a>", "</a>", "</R>"},
        {"</a>", "<a>", "y", "</a>", "<a>", "z"},
        {"<a></a>", "<a>", "1", "</a>"},
        {"text=</b><b>", "1", "</b>", "<b>", "2", "</b>"},
        {"<a>", "<b>", "</a>", "</b>"},
        {"<", ">", "<a", "a>", "</ a>", "<a>", "</a >", "</a>"},
        {"<drum machine>", "tempo=1", "</drum machine>", "<drum>", "</drum>"},
        {"<a>", "unclosed", "<b>", "x"},
        {},
    };
    return documents;
}

const std::vector<std::string> searchedNames = {
    "a", "b", "R", "style1", "style10", "style", "drum", "drum machine", " a", "a ", "/a", "x"};

std::optional<std::pair<int, int>> asPair(std::optional<SectionBounds> bounds) {
    if (!bounds) return std::nullopt;
    return std::pair{bounds->openLine, bounds->closeLine};
}

TEST(TagIndex, IndexedSearchFindsWhatTheFullScanFinds) {
    for (const std::vector<std::string>& document : trickyDocuments()) {
        Text_ lines = textOf(document);
        TagIndex index;
        index.build(lines);
        for (const std::string& name : searchedNames) {
            EXPECT_EQ(asPair(findSection(lines, index, name)), asPair(findSection(lines, name)))
                << "section \"" << name << "\" in a document of " << document.size() << " lines";
        }
    }
}

TEST(TagIndex, FullScanFollowsTheNearestOpenTagBeforeTheFirstClose) {
    using Bounds = std::optional<std::pair<int, int>>;
    Text_ styles = textOf(trickyDocuments()[0]);
    EXPECT_EQ(asPair(findSection(styles, "style1")), Bounds({4, 6}));
    EXPECT_EQ(asPair(findSection(styles, "style10")), Bounds({1, 3}));
    EXPECT_EQ(asPair(findSection(textOf(trickyDocuments()[2]), "a")), Bounds({2, 4}));
    EXPECT_EQ(asPair(findSection(textOf(trickyDocuments()[3]), "a")), Bounds({1, 3}));
    EXPECT_EQ(asPair(findSection(textOf(trickyDocuments()[4]), "a")), Bounds({0, 0}));
    EXPECT_EQ(asPair(findSection(textOf(trickyDocuments()[5]), "b")), Bounds({0, 0}));
    EXPECT_EQ(asPair(findSection(textOf(trickyDocuments()[7]), "a")), Bounds({5, 7}));
    EXPECT_EQ(asPair(findSection(textOf(trickyDocuments()[9]), "a")), Bounds());
}

TEST(TagIndex, RandomDocumentsGiveTheSameSectionsEitherWay) {
    const std::vector<std::string> pieces = {"<a>",  "</a>",  "<a1>",    "</a1>",    "<b>",
                                             "</b>", "  <a>", "k=<b>",   "k=v",      "plain",
                                             "<",    "</",    "<a></a>", "x</b><a>", ""};
    std::mt19937 random(20240611);
    for (int round = 0; round < 500; ++round) {
        Text_ lines;
        int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) lines.append(pieces[random() % pieces.size()]);
        TagIndex index;
        index.build(lines);
        for (const char* name : {"a", "a1", "b"}) {
            ASSERT_EQ(asPair(findSection(lines, index, name)), asPair(findSection(lines, name)))
                << "round " << round << ", section " << name;
        }
    }
}

TEST(TagIndex, IndexOfAnotherLineCountIsNotTrusted) {
    Text_ lines = textOf({"<a>", "</a>"});
    TagIndex index;
    index.build(lines);
    lines.resize(0, false);
    for (const char* line : {"x", "<a>", "1", "</a>"}) lines.append(line);
    EXPECT_EQ(asPair(findSection(lines, index, "a")), std::optional(std::pair{1, 3}));
}

}  // namespace
}  // namespace brio
