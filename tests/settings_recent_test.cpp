#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "foundation/TextUtils.h"
#include "settings/RecentFiles.h"

namespace brio {
namespace {

using test::itemsOf;

using test::readFile;
using test::TempDir;
using test::writeFile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;


class RecentFilesTest : public ::testing::Test {
protected:
    static constexpr int capacity = 10;

    void SetUp() override { setProgramFolder(dir.folder()); }
    void TearDown() override { setProgramFolder(""); }

    std::string file() const { return dir.path("recentS.cfg"); }
    std::string folder() const { return dir.folder() + "/"; }

    static std::string numbered(int index) {
        std::string digits = std::to_string(index);
        return "/w/song" + std::string(2 - std::min<size_t>(2, digits.size()), '0') + digits +
               ".pws";
    }

    TempDir dir;
};

TEST_F(RecentFilesTest, EntriesAreWrittenMostRecentFirstAndReadBack) {
    {
        RecentFiles recent(file(), capacity);
        EXPECT_THAT(itemsOf(recent.entries), IsEmpty());
        recent.add("/w/a.pws");
        recent.add("/w/b.pws");
        recent.add("/w/with spaces = and more.pws");
        EXPECT_EQ(readFile(file()),
                  "<Recent Files>\r\n/w/with spaces = and more.pws\r\n/w/b.pws\r\n/w/a.pws\r\n"
                  "</Recent Files>\r\n");
    }
    RecentFiles recent(file(), capacity);
    EXPECT_THAT(itemsOf(recent.entries),
                ElementsAre("/w/with spaces = and more.pws", "/w/b.pws", "/w/a.pws"));
    EXPECT_THAT(itemsOf(recent.copy()),
                ElementsAre("/w/with spaces = and more.pws", "/w/b.pws", "/w/a.pws"));
}

TEST_F(RecentFilesTest, ABareFileNameIsTakenAsTheProgramsFolder) {
    RecentFiles recent("recentR.cfg", capacity);
    EXPECT_EQ(recent.fileName, folder() + "recentR.cfg");
    recent.add("/w/take.prc");
    EXPECT_NE(readFile(dir.path("recentR.cfg")).find("/w/take.prc"), std::string::npos);
}

TEST_F(RecentFilesTest, BodyLinesLoseLeadingBlanksAndBareNamesGetTheProgramsFolder) {
    writeFile(file(), "<Recent Files>\n   /w/a.pws\n\tb.pws\n\n  \nsub/c.pws\n</Recent Files>\n");
    RecentFiles recent(file(), capacity);
    EXPECT_THAT(itemsOf(recent.entries), ElementsAre("/w/a.pws", folder() + "b.pws", "sub/c.pws"));
}

TEST_F(RecentFilesTest, AddingAPathInOtherLetterCaseReplacesTheOldEntry) {
    RecentFiles recent(file(), capacity);
    recent.add("/w/Song.pws");
    recent.add("/w/other.pws");
    recent.add("/W/SONG.pws");
    EXPECT_THAT(itemsOf(recent.entries), ElementsAre("/W/SONG.pws", "/w/other.pws"));
}

TEST_F(RecentFilesTest, TheEleventhPathDropsTheOldestEntry) {
    RecentFiles recent(file(), capacity);
    for (int i = 1; i <= 11; ++i) recent.add(numbered(i));
    ASSERT_EQ(recent.entries.count(), capacity);
    EXPECT_EQ(recent.entries.getConst(0), numbered(11));
    EXPECT_EQ(recent.entries.getConst(9), numbered(2));
    // Re-adding a listed path in a full list keeps every other entry.
    recent.add(numbered(5));
    EXPECT_EQ(recent.entries.count(), capacity);
    EXPECT_EQ(recent.entries.getConst(0), numbered(5));
    EXPECT_EQ(recent.entries.getConst(9), numbered(2));
}

TEST_F(RecentFilesTest, RemoveMatchesExactlyAndWritesTheFileEitherWay) {
    RecentFiles recent(file(), capacity);
    recent.add("/w/Keep.pws");
    recent.add("/w/gone.pws");
    std::remove(file().c_str());
    recent.remove("/w/keep.pws");
    EXPECT_EQ(readFile(file()),
              "<Recent Files>\r\n/w/gone.pws\r\n/w/Keep.pws\r\n</Recent Files>\r\n");
    recent.remove("/w/gone.pws");
    EXPECT_EQ(readFile(file()), "<Recent Files>\r\n/w/Keep.pws\r\n</Recent Files>\r\n");
}

TEST_F(RecentFilesTest, TheFileIsWrittenAgainAtTheEnd) {
    {
        RecentFiles recent(file(), capacity);
        recent.add("/w/a.pws");
        std::remove(file().c_str());
    }
    EXPECT_EQ(readFile(file()), "<Recent Files>\r\n/w/a.pws\r\n</Recent Files>\r\n");
}

TEST_F(RecentFilesTest, AFirstStartInAFolderOfTwelveWorkspacesListsTheLastTen) {
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i) names.push_back("Song" + std::to_string(i + 10) + ".pws");
    std::shuffle(names.begin(), names.end(), std::mt19937(7));
    for (const std::string& name : names) writeFile(dir.path(name), "");
    writeFile(dir.path("zz.prc"), "");
    writeFile(dir.path("zz.pws.bak"), "");

    RecentFiles recent(file(), capacity);
    recent.seedFromFolder("*.pws");
    ASSERT_EQ(recent.entries.count(), capacity);
    for (int i = 0; i < capacity; ++i) {
        EXPECT_EQ(recent.entries.getConst(i), folder() + "Song" + std::to_string(22 - i) + ".pws");
    }
}

TEST_F(RecentFilesTest, SeedingLeavesAListThatHasEntries) {
    writeFile(dir.path("new.pws"), "");
    RecentFiles recent(file(), capacity);
    recent.add("/w/old.pws");
    recent.seedFromFolder("*.pws");
    EXPECT_THAT(itemsOf(recent.entries), ElementsAre("/w/old.pws"));
}

TEST_F(RecentFilesTest, AFileWithoutACompleteRootSectionGivesAnEmptyList) {
    std::string binary(4096, '\0');
    std::mt19937 random(11);
    for (char& byte : binary) byte = static_cast<char>(random());
    const std::vector<std::string> broken = {binary, "/w/a.pws\n/w/b.pws\n",
                                             "<recent files>\n/w/a.pws\n</recent files>\n",
                                             "<Recent Files>\n/w/a.pws\n/w/b.pws\n"};
    for (const std::string& content : broken) {
        writeFile(file(), content);
        RecentFiles recent(file(), capacity);
        EXPECT_THAT(itemsOf(recent.entries), IsEmpty());
    }
}

TEST_F(RecentFilesTest, GarbageInTheBodyGivesAtMostCapacityUsablePaths) {
    std::mt19937 random(3);
    std::string body;
    body += std::string(3'000'000, 'x') + "\n";            // one huge line
    body += std::string("/w/nul\0inside.pws", 17) + "\n";  // a NUL byte cannot be in a path
    for (int line = 0; line < 500; ++line) {
        std::string junk(1 + random() % 200, ' ');
        for (char& byte : junk) byte = static_cast<char>(random());
        std::replace(junk.begin(), junk.end(), '\n', '?');
        body += junk + "\n";
    }
    writeFile(file(), "<Recent Files>\n" + body + "</Recent Files>\n");
    RecentFiles recent(file(), capacity);
    EXPECT_LE(recent.entries.count(), capacity);
    for (const std::string& entry : recent.entries) {
        EXPECT_FALSE(entry.empty());
        EXPECT_LE(entry.size(), RecentFiles::maxPathLength + folder().size());
        EXPECT_EQ(entry.find('\0'), std::string::npos);
    }
    recent.add("/w/fresh.pws");
    EXPECT_EQ(recent.entries.getConst(0), "/w/fresh.pws");
    EXPECT_LE(recent.entries.count(), capacity);
}

TEST_F(RecentFilesTest, ALongListIsCutToCapacityOnReading) {
    std::string body;
    for (int i = 1; i <= 30; ++i) body += numbered(i) + "\n";
    writeFile(file(), "<Recent Files>\n" + body + "</Recent Files>\n");
    RecentFiles recent(file(), capacity);
    ASSERT_EQ(recent.entries.count(), capacity);
    EXPECT_EQ(recent.entries.getConst(0), numbered(1));
    EXPECT_EQ(recent.entries.getConst(9), numbered(10));
}

}  // namespace
}  // namespace brio
