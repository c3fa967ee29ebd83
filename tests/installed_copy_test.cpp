// Where an installed copy keeps its files, its command line, the style library it prefers and
// the device reset the capture writes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "accompaniment/StyleLibrary.h"
#include "foundation/FileIo.h"
#include "foundation/TextUtils.h"
#include "foundation/UserFolders.h"
#include "main/CommandLine.h"
#include "midi/CaptureMidiBackend.h"
#include "TestFiles.h"

namespace brio {
namespace {

namespace fs = std::filesystem;

void writeText(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << text;
}

FolderEnvironment environmentOf(std::map<std::string, std::string> variables, std::string documents = {}) {
    return {[variables](const std::string& name) {
                auto found = variables.find(name);
                return found == variables.end() ? std::string() : found->second;
            },
            [documents] { return documents; }};
}

TEST(FolderPlan, PortableAndInstalledCopiesKeepTheirFilesWhereTheyBelong) {
    test::TempDir dir;
    const std::string root = dir.folder();
    const std::string home = root + "/home";
    fs::create_directories(home + "/Docs");
    writeText(root + "/portable/styles.cfg", "x");
    writeText(root + "/usr/share/brioletta/styles.cfg", "x");
    fs::create_directories(root + "/usr/bin");
    writeText(root + "/afile", "x");

    struct Case {
        const char* name;
        std::string exe;
        std::map<std::string, std::string> variables;
        std::string documents;  // what xdg-user-dir reports
        bool portable;
        std::string shipped, settings, userData, docs;
        size_t problems;
    };
    const Case cases[] = {
        {"portable", root + "/portable", {{"HOME", home}}, "", true, root + "/portable/", root + "/portable/", "",
         root + "/portable/", 0},
        {"installed, defaults", root + "/usr/bin/", {{"HOME", home}}, home + "/Docs\n", false,
         root + "/usr/share/brioletta/", home + "/.config/brioletta/", home + "/.local/share/brioletta/",
         home + "/Docs/", 0},
        {"installed, XDG set", root + "/usr/bin", {{"HOME", home}, {"XDG_CONFIG_HOME", root + "/cfg"},
         {"XDG_DATA_HOME", root + "/data/"}}, "", false, root + "/usr/share/brioletta/", root + "/cfg/brioletta/",
         root + "/data/brioletta/", home + "/", 0},
        {"relative and file XDG", root + "/usr/bin", {{"HOME", home}, {"XDG_CONFIG_HOME", "cfg"},
         {"XDG_DATA_HOME", root + "/afile"}}, "/no/such/folder", false, root + "/usr/share/brioletta/",
         home + "/.config/brioletta/", home + "/.local/share/brioletta/", home + "/", 2},
    };
    for (const Case& c : cases) {
        const FolderPlan plan = planFolders(c.exe, environmentOf(c.variables, c.documents));
        EXPECT_EQ(plan.portable, c.portable) << c.name;
        EXPECT_EQ(plan.shipped, c.shipped) << c.name;
        EXPECT_EQ(plan.settings, c.settings) << c.name;
        EXPECT_EQ(plan.userData, c.userData) << c.name;
        EXPECT_EQ(plan.documents, c.docs) << c.name;
        EXPECT_EQ(plan.problems.size(), c.problems) << c.name;
    }

    // The settings folder is made with its parents; a file in the way is a clear refusal.
    std::string problem;
    EXPECT_TRUE(createFolder(home + "/.config/brioletta/", problem)) << problem;
    EXPECT_TRUE(fs::is_directory(home + "/.config/brioletta"));
    EXPECT_FALSE(createFolder(root + "/afile/brioletta/", problem));
    EXPECT_NE(problem.find("cannot be created"), std::string::npos) << problem;
}

TEST(FolderPlan, AnEditedStyleLibraryIsPreferredUnlessItIsBroken) {
    test::TempDir dir;
    const std::string root = dir.folder();
    const std::string shipped = BRIO_SOURCE_DIR "/data/";
    FolderPlan plan;
    plan.portable = false;
    plan.shipped = shipped;
    plan.settings = root + "/cfg/";
    plan.userData = root + "/data/";
    plan.documents = root + "/";
    installFolderPlan(plan);

    const StyleLibrary fromShipped;  // no edited copy yet
    EXPECT_TRUE(fromShipped.loadProblem.empty());
    const std::string firstName = fromShipped.style(0).name;
    ASSERT_FALSE(firstName.empty());

    // Foreign, or a pattern's end tag lost: the shipped library is used, the file kept as it is.
    const std::string path = root + "/data/styles.cfg";
    for (const std::string& content :
         {std::string("not a style library\n"),
          std::string(
              "<Pelmora Base Styles>\n<arp3999>\nname=Mine\n36;1;0;1\n"
              "</arp3999>\n<arp7>\n<style0>\nname=Mine\n</style0>\n</Pelmora Base Styles>\n")}) {
        writeText(path, content);
        StyleLibrary broken;
        EXPECT_NE(broken.loadProblem.find(path), std::string::npos) << content.size();
        EXPECT_TRUE(broken.style(0).name == firstName && broken.pattern(3999).name.empty());
        EXPECT_TRUE(!broken.save() && test::readFile(path) == content) << content.size();
    }

    // Saving makes the data folder and writes there; the next start reads the edited copy.
    fs::remove_all(root + "/data");
    StyleLibrary edited;
    edited.style(0).name = "Edited";
    EXPECT_TRUE(edited.save());
    EXPECT_EQ(StyleLibrary::savePath(), root + "/data/styles.cfg");
    EXPECT_EQ(StyleLibrary().style(0).name, "Edited");
    EXPECT_EQ(documentsFolder(), root + "/");
    EXPECT_EQ(resolvePath("options.cfg"), root + "/cfg/options.cfg");
    setProgramFolder("");
}

TEST(CommandLineParse, OptionsAndOneFile) {
    using A = CommandLine::Action;
    struct Case {
        std::vector<std::string> args;
        A action;
        std::string file;
        bool recording;
    };
    const Case cases[] = {
        {{}, A::run, "", false},
        {{"--help"}, A::help, "", false},
        {{"--version"}, A::version, "", false},
        {{"song.pws"}, A::run, "/home/u/song.pws", false},
        {{"my songs/a b.pws"}, A::run, "/home/u/my songs/a b.pws", false},
        {{"/tmp/take.PRC"}, A::run, "/tmp/take.PRC", true},
        {{"take.mid"}, A::run, "/home/u/take.mid", true},
        {{"/tmp/take.MIDI"}, A::run, "/tmp/take.MIDI", true},
        {{"take.midx"}, A::run, "/home/u/take.midx", false},
        {{"--", "-odd.pws"}, A::run, "/home/u/-odd.pws", false},
        {{"--bogus"}, A::usageError, "", false},
        {{"a.pws", "b.pws"}, A::usageError, "", false},
        {{""}, A::usageError, "", false},
    };
    for (const Case& c : cases) {
        const std::string shown = c.args.empty() ? "(none)" : c.args[0];
        const CommandLine line = parseCommandLine(c.args, "/home/u");
        EXPECT_EQ(line.action, c.action) << shown;
        if (c.action == A::usageError) {
            EXPECT_FALSE(line.problem.empty()) << shown;
            continue;
        }
        EXPECT_EQ(line.file, c.file) << shown;
        EXPECT_EQ(line.recording, c.recording) << shown;
    }
    EXPECT_NE(helpText().find(usageLine()), std::string::npos);
}

TEST(CaptureReset, IsWrittenAsAPortReceivesIt) {
    test::TempDir dir;
    const std::string path = dir.folder() + "/capture.txt";
    {
        CaptureMidiBackend capture(path);
        capture.reset();
        EXPECT_TRUE(capture.messages.empty());  // only what was sent
        EXPECT_EQ(capture.resets, 1);
    }
    std::string text;
    ASSERT_TRUE(readWholeFile(path, text));
    for (int channel = 0; channel < 16; ++channel) {
        for (int controller : {123, 120, 121}) {
            const std::string line = ";" + std::to_string(0xB0 + channel) + ";" + std::to_string(controller) + ";0;\n";
            EXPECT_NE(text.find(line), std::string::npos) << line;
        }
    }
}

}  // namespace
}  // namespace brio
