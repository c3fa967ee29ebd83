#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "foundation/FileIo.h"
#include "foundation/Text.h"
#include "foundation/TextUtils.h"

namespace brio {
namespace {

using test::itemsOf;

using test::readFile;
using test::TempDir;
using test::writeFile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;


Text_ textOf(std::initializer_list<std::string> lines) {
    Text_ text;
    for (const std::string& line : lines) text.append(line);
    return text;
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

mode_t permissionsOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Reads `bytes` from a file through readTextFile.
Text_ readBack(const std::string& bytes, bool trim) {
    TempDir dir;
    writeFile(dir.path("in.txt"), bytes);
    Text_ text;
    EXPECT_TRUE(text.readTextFile(dir.path("in.txt"), trim));
    return text;
}

TEST(TextRead, FinalLineEndGivesAnEmptyLastLineUnlessTrimmed) {
    EXPECT_THAT(itemsOf(readBack("a\nb\n", false)), ElementsAre("a", "b", ""));
    EXPECT_THAT(itemsOf(readBack("a\nb\n", true)), ElementsAre("a", "b"));
}

TEST(TextRead, CrLfAndLfBothEndLinesButALoneCrStays) {
    EXPECT_THAT(itemsOf(readBack("a\r\nb\nc\rd\r\n", true)), ElementsAre("a", "b", "c\rd"));
    EXPECT_THAT(itemsOf(readBack("a\r\r\n", false)), ElementsAre("a\r", ""));
}

TEST(TextRead, FileWithoutLineEndGivesItsTextAsOneLine) {
    EXPECT_THAT(itemsOf(readBack("last", false)), ElementsAre("last"));
    EXPECT_THAT(itemsOf(readBack("a\nlast", true)), ElementsAre("a", "last"));
}

TEST(TextRead, EmptyFileGivesNoLinesAndTrue) {
    EXPECT_THAT(itemsOf(readBack("", true)), IsEmpty());
    EXPECT_THAT(itemsOf(readBack("", false)), IsEmpty());
}

TEST(TextRead, TrimRemovesEveryTrailingLineOfControlCharactersOnly) {
    // A space is a visible character here: only codes 0-31 make a line blank.
    Text_ text = readBack("a\n \n\t\r\n\x01\n\n", true);
    EXPECT_THAT(itemsOf(text), ElementsAre("a", " "));
}

TEST(TextRead, ReplacesEarlierItemsAndLeavesGrowthAtAThousand) {
    TempDir dir;
    writeFile(dir.path("in.txt"), "x\ny\n");
    Text_ text = textOf({"old1", "old2", "old3"});
    ASSERT_TRUE(text.readTextFile(dir.path("in.txt"), true));
    EXPECT_THAT(itemsOf(text), ElementsAre("x", "y"));
    EXPECT_EQ(text.growth, 1000);
}

TEST(TextRead, MissingFileOrFolderGivesFalseAndKeepsTheItems) {
    TempDir dir;
    Text_ text = textOf({"keep"});
    EXPECT_FALSE(text.readTextFile(dir.path("missing.txt"), true));
    EXPECT_FALSE(text.readTextFile(dir.folder(), false));
    EXPECT_THAT(itemsOf(text), ElementsAre("keep"));
}

TEST(TextRead, LineLongerThanTheOldBufferIsReadWhole) {
    std::string longLine(20000, 'x');
    longLine[9999] = 'M';
    EXPECT_THAT(itemsOf(readBack("a\n" + longLine + "\r\nb\n", true)),
                ElementsAre("a", longLine, "b"));
}

TEST(TextRead, NulAndHighBytesAreKeptInTheLine) {
    std::string binary("a\0b\xff\x80", 5);
    EXPECT_THAT(itemsOf(readBack(binary + "\n" + binary, true)), ElementsAre(binary, binary));
}

TEST(TextRead, LargeFileReadsEveryLine) {
    std::string bytes;
    for (int i = 0; i < 300000; ++i) bytes += std::to_string(i) + "\r\n";
    Text_ text = readBack(bytes, true);
    ASSERT_EQ(text.count(), 300000);
    EXPECT_EQ(text.getConst(299999), "299999");
}

// A file of nothing but line ends would cost a string per byte: the most lines a real document
// has are read, one more refuses the file and keeps what was there.
TEST(TextRead, MoreLinesThanAnyDocumentHasAreRefused) {
    Text_ text;
    ASSERT_TRUE(text.setFromBytes(std::string(Text_::maxLines - 1, '\n'), false));
    EXPECT_EQ(size_t(text.count()), Text_::maxLines);
    text.clear();
    text.append("kept");
    EXPECT_FALSE(text.setFromBytes(std::string(Text_::maxLines, '\n'), false));
    EXPECT_FALSE(text.setFromBytes("a\n" + std::string(Text_::maxLineBytes + 1, 'x'), false));  // no line end
    ASSERT_EQ(text.count(), 1);
    EXPECT_EQ(text.getConst(0), "kept");
}

TEST(TextRead, FortySevenMegabytesOfBinaryGarbageReadsEveryByte) {
    // Uniform random bytes: about one LF in 256, with CR and NUL bytes among them; as large as
    // readTextFile takes by default, in whole megabytes.
    std::string bytes(47 << 20, '\0');
    ASSERT_LE(bytes.size(), Text_::defaultMaxFileBytes);
    std::mt19937_64 random(7);
    for (size_t i = 0; i < bytes.size(); i += sizeof(uint64_t)) {
        uint64_t word = random();
        std::memcpy(bytes.data() + i, &word, sizeof word);
    }
    Text_ text = readBack(bytes, false);
    size_t lineEnds = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    size_t droppedCr = 0;
    for (size_t i = 1; i < bytes.size(); ++i) droppedCr += bytes[i] == '\n' && bytes[i - 1] == '\r';
    ASSERT_EQ(static_cast<size_t>(text.count()), lineEnds + 1);
    size_t kept = 0;
    for (const std::string& line : text) kept += line.size();
    EXPECT_EQ(kept + lineEnds + droppedCr, bytes.size());
}

TEST(TextTrim, HighBytesCountAsVisibleCharacters) {
    Text_ text = textOf({"a", "\xe9", "", "\x7f"});
    text.trimTrailingBlankLines();
    // 127 (DEL) is above 31 too, so nothing goes.
    EXPECT_THAT(itemsOf(text), ElementsAre("a", "\xe9", "", "\x7f"));
    Text_ blank = textOf({"", " \x1f", ""});
    blank.trimTrailingBlankLines();
    EXPECT_THAT(itemsOf(blank), ElementsAre("", " \x1f"));
    Text_ allBlank = textOf({"", "\t"});
    allBlank.trimTrailingBlankLines();
    EXPECT_TRUE(allBlank.empty());
}

TEST(TextWrite, EndsEveryLineWithCrLf) {
    TempDir dir;
    ASSERT_TRUE(textOf({"a", "", "b=c"}).writeTextFile(dir.path("out.txt")));
    EXPECT_EQ(readFile(dir.path("out.txt")), "a\r\n\r\nb=c\r\n");
}

TEST(TextWrite, EmptyListCreatesAnEmptyFile) {
    TempDir dir;
    ASSERT_TRUE(Text_().writeTextFile(dir.path("out.txt")));
    EXPECT_TRUE(std::filesystem::exists(dir.path("out.txt")));
    EXPECT_EQ(readFile(dir.path("out.txt")), "");
}

TEST(TextWrite, WrittenLinesReadBackUnchanged) {
    TempDir dir;
    Text_ text = textOf({" lead", "trail ", "a=b=c", std::string(15000, 'z')});
    ASSERT_TRUE(text.writeTextFile(dir.path("out.txt")));
    Text_ back;
    ASSERT_TRUE(back.readTextFile(dir.path("out.txt"), true));
    EXPECT_EQ(itemsOf(back), itemsOf(text));
}

TEST(TextWrite, ReplacesAnExistingFileAndKeepsItsPermissions) {
    TempDir dir;
    std::string path = dir.path("out.txt");
    writeFile(path, "old contents that are longer\r\n");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(textOf({"new"}).writeTextFile(path));
    EXPECT_EQ(readFile(path), "new\r\n");
    EXPECT_EQ(permissionsOf(path), 0640u);
    EXPECT_THAT(folderEntries(dir.folder()), ElementsAre("out.txt"));
}

TEST(TextWrite, NewFileGetsReadWriteLessTheUmask) {
    TempDir dir;
    mode_t old = ::umask(027);
    bool written = textOf({"x"}).writeTextFile(dir.path("out.txt"));
    ::umask(old);
    ASSERT_TRUE(written);
    EXPECT_EQ(permissionsOf(dir.path("out.txt")), 0640u);
}

TEST(TextWrite, WritesThroughASymbolicLink) {
    TempDir dir;
    writeFile(dir.path("real.txt"), "old\r\n");
    ASSERT_EQ(::symlink("real.txt", dir.path("link.txt").c_str()), 0);
    ASSERT_TRUE(textOf({"new"}).writeTextFile(dir.path("link.txt")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path("link.txt")));
    EXPECT_EQ(readFile(dir.path("real.txt")), "new\r\n");
}

TEST(TextWrite, FailedWriteGivesFalseAndLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    std::string path = dir.path("out.txt");
    writeFile(path, "old\r\n");
    Text_ big;
    for (int i = 0; i < 1000; ++i) big.append("a line that will not fit under the limit");
    bool written = true;
    {
        test::FileSizeLimit limit(100);
        written = big.writeTextFile(path);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(readFile(path), "old\r\n");
    EXPECT_THAT(folderEntries(dir.folder()), ElementsAre("out.txt"));
}

TEST(TextWrite, UnwritablePathsGiveFalse) {
    TempDir dir;
    writeFile(dir.path("file"), "x");
    std::filesystem::create_directory(dir.path("folder"));
    writeFile(dir.path("folder/inside"), "keep");

    EXPECT_FALSE(textOf({"a"}).writeTextFile(dir.path("missing/out.txt")));
    EXPECT_FALSE(textOf({"a"}).writeTextFile(dir.path("file/out.txt")));
    EXPECT_FALSE(textOf({"a"}).writeTextFile(dir.path("folder")));
    EXPECT_FALSE(textOf({"a"}).writeTextFile(""));
    ASSERT_EQ(::mkfifo(dir.path("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(textOf({"a"}).writeTextFile(dir.path("pipe")));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.path("pipe")));
    EXPECT_EQ(readFile(dir.path("folder/inside")), "keep");
    std::vector<std::string> entries = folderEntries(dir.folder());
    std::sort(entries.begin(), entries.end());
    EXPECT_THAT(entries, ElementsAre("file", "folder", "pipe"));
}

// Runs `check` where permissions bind: in a child process as an unprivileged user when this
// one is root. The result is the check's exit status (0 for success), -1 when none could run.
int runUnprivileged(const std::function<int()>& check) {
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        constexpr uid_t nobody = 65534;
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(100);
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST(TextWrite, AReadOnlyFolderGetsAWritableFileWrittenInPlaceAndKeepsAReadOnlyOne) {
    TempDir dir;
    ::chmod(dir.folder().c_str(), 0755);
    std::filesystem::create_directory(dir.path("locked"));
    const std::string writable = dir.path("locked/options.cfg");
    const std::string readOnly = dir.path("locked/styles.cfg");
    writeFile(writable, "old\r\n");
    writeFile(readOnly, "old\r\n");
    ::chmod(writable.c_str(), 0666);
    ::chmod(readOnly.c_str(), 0644);
    ::chmod(dir.path("locked").c_str(), 0555);
    const int status = runUnprivileged([&] {
        if (::access(dir.path("locked").c_str(), W_OK) == 0) return 1;  // must not bind: no test
        if (!textOf({"new"}).writeTextFile(writable)) return 2;
        if (textOf({"new"}).writeTextFile(readOnly)) return 3;
        return 0;
    });
    ASSERT_NE(status, -1) << "no unprivileged check could run";
    ASSERT_NE(status, 1) << "permissions do not bind";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(writable), "new\r\n");
    EXPECT_EQ(readFile(readOnly), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path("locked")),
                            std::filesystem::directory_iterator()),
              2);  // no temporary file left behind
}

TEST(TextRead, AFifoOrAFolderIsRefusedAtOnceInsteadOfBlocking) {
    TempDir dir;
    const std::string fifo = dir.path("options.cfg");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Text_ lines = textOf({"kept"});
    EXPECT_FALSE(lines.readTextFile(fifo, true));
    EXPECT_FALSE(lines.readTextFile(dir.folder(), true));
    EXPECT_EQ(lines.count(), 1);
    EXPECT_FALSE(isReadableFile(fifo));
    EXPECT_TRUE(pathExists(fifo));
    EXPECT_FALSE(pathExists(dir.path("missing")));
}

TEST(TextSplit, SplitFirstCutsAtTheFirstSeparatorOnly) {
    std::string left = "?";
    std::string right = "?";
    EXPECT_TRUE(splitFirst("key=a=b", '=', left, right));
    EXPECT_EQ(left, "key");
    EXPECT_EQ(right, "a=b");
    EXPECT_TRUE(splitFirst("=", '=', left, right));
    EXPECT_EQ(left, "");
    EXPECT_EQ(right, "");
    EXPECT_FALSE(splitFirst("plain", '=', left, right));
    EXPECT_EQ(left, "plain");
    EXPECT_EQ(right, "");
}

TEST(TextSplit, SplitGivesEveryPieceIncludingEmptyOnes) {
    Text_ pieces = textOf({"stale"});
    split("A;B;C", ';', pieces);
    EXPECT_THAT(itemsOf(pieces), ElementsAre("A", "B", "C"));
    split("A;B;", ';', pieces);
    EXPECT_THAT(itemsOf(pieces), ElementsAre("A", "B", ""));
    split(";;", ';', pieces);
    EXPECT_THAT(itemsOf(pieces), ElementsAre("", "", ""));
    split("whole", ';', pieces);
    EXPECT_THAT(itemsOf(pieces), ElementsAre("whole"));
    split("", ';', pieces);
    EXPECT_THAT(itemsOf(pieces), ElementsAre(""));
}

TEST(TextNumbers, FormatIntAndUnsignedCoverTheirWholeRange) {
    EXPECT_EQ(formatInt(0), "0");
    EXPECT_EQ(formatInt(-42), "-42");
    EXPECT_EQ(formatInt(INT32_MIN), "-2147483648");
    EXPECT_EQ(formatInt(INT32_MAX), "2147483647");
    EXPECT_EQ(formatUnsigned(UINT32_MAX), "4294967295");
}

TEST(TextNumbers, ParseIntReadsLeadingDigitsOnly) {
    EXPECT_EQ(parseInt("12abc"), 12);
    EXPECT_EQ(parseInt("abc"), 0);
    EXPECT_EQ(parseInt(""), 0);
    EXPECT_EQ(parseInt(" -7"), -7);
    EXPECT_EQ(parseInt("\t\n+15 3"), 15);
    EXPECT_EQ(parseInt("- 7"), 0);
    EXPECT_EQ(parseInt("0042"), 42);
    EXPECT_EQ(parseInt("3.9"), 3);
}

TEST(TextNumbers, ParseIntClampsOverflowToTheInt32Range) {
    EXPECT_EQ(parseInt("2147483647"), INT32_MAX);
    EXPECT_EQ(parseInt("2147483648"), INT32_MAX);
    EXPECT_EQ(parseInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(parseInt("-2147483649"), INT32_MIN);
    EXPECT_EQ(parseInt(std::string(400, '9')), INT32_MAX);
    EXPECT_EQ(parseInt("-" + std::string(400, '9')), INT32_MIN);
}

TEST(TextBool, ParseBoolAcceptsOnlyTrueAmidBlanks) {
    EXPECT_EQ(formatBool(true), "true");
    EXPECT_EQ(formatBool(false), "false");
    EXPECT_TRUE(parseBool("true"));
    EXPECT_TRUE(parseBool(" \ttrue\r "));
    EXPECT_FALSE(parseBool("TRUE"));
    EXPECT_FALSE(parseBool("1"));
    EXPECT_FALSE(parseBool("t rue"));
    EXPECT_FALSE(parseBool("truer"));
    EXPECT_FALSE(parseBool(""));
}

class ListFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"b.cfg", "A.cfg", "c.txt", ".hidden.cfg"}) {
            writeFile(dir.path(name), "");
        }
        std::filesystem::create_directory(dir.path("d.cfg"));
    }
    TempDir dir;
};

TEST_F(ListFiles, MatchesFilesAndFoldersOfAnyKindSortedWithoutCase) {
    EXPECT_THAT(itemsOf(listFiles(dir.path("*.cfg"), true)),
                ElementsAre(".hidden.cfg", "A.cfg", "b.cfg", "d.cfg"));
}

TEST_F(ListFiles, LeavesOutDotEntriesAndCanBeUnsorted) {
    std::vector<std::string> names = itemsOf(listFiles(dir.path("*"), false));
    std::sort(names.begin(), names.end());
    EXPECT_THAT(names, ElementsAre(".hidden.cfg", "A.cfg", "b.cfg", "c.txt", "d.cfg"));
}

TEST_F(ListFiles, NoMatchOrMissingFolderGivesAnEmptyList) {
    EXPECT_TRUE(listFiles(dir.path("*.pws"), true).empty());
    EXPECT_TRUE(listFiles(dir.path("missing/*"), true).empty());
}

TEST_F(ListFiles, ANameWithoutFolderMeansTheCurrentFolderAndALeadingSlashTheRoot) {
    std::string previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.folder());
    Text_ root = listFiles("/*", true);
    Text_ withoutSlash = listFiles("c.*", true);
    std::filesystem::current_path(previous);
    EXPECT_THAT(itemsOf(root), ::testing::IsSupersetOf({"proc", "tmp"}));
    EXPECT_THAT(itemsOf(root), ::testing::Not(::testing::Contains("c.txt")));
    EXPECT_THAT(itemsOf(withoutSlash), ElementsAre("c.txt"));
}

TEST(ResolvePath, CompletesBareNamesWithTheProgramFolder) {
    std::string real = programFolder();
    ASSERT_FALSE(real.empty());
    EXPECT_EQ(real.back(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(real));

    setProgramFolder("/opt/brio");
    EXPECT_EQ(resolvePath("styles.cfg"), "/opt/brio/styles.cfg");
    EXPECT_EQ(resolvePath("Help/index.html"), "Help/index.html");
    EXPECT_EQ(resolvePath("/etc/x.cfg"), "/etc/x.cfg");
    setProgramFolder("");
    EXPECT_EQ(programFolder(), real);
}

}  // namespace
}  // namespace brio
