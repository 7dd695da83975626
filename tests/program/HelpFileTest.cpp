#include "program/HelpFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace quillet;
using test::TempDir;

struct HelpPlace {
    const char *name;
    bool inStart, besideProgram, folderInStart;
    const char *found; ///< "start", "program" or ""
};

class HelpFileLookup : public ::testing::TestWithParam<HelpPlace> {};

TEST_P(HelpFileLookup, StartDirectoryFirstThenBesideTheProgram)
{
    const HelpPlace &c = GetParam();
    TempDir start, program;
    if (c.inStart)
        start.write("quillet.html", {"<html>"});
    if (c.folderInStart)
        std::filesystem::create_directory(start / "quillet.html");
    if (c.besideProgram)
        program.write("quillet.html", {"<html>"});
    const auto file = findHelpFile(start.path(), program.path());
    const std::string expected = c.found;
    if (expected.empty())
        EXPECT_FALSE(file.has_value());
    else
        EXPECT_EQ(file, (expected == "start" ? start : program) / "quillet.html");
}

INSTANTIATE_TEST_SUITE_P(Places, HelpFileLookup,
                         ::testing::Values(HelpPlace{"both", true, true, false, "start"},
                                           HelpPlace{"start", true, false, false, "start"},
                                           HelpPlace{"program", false, true, false, "program"},
                                           HelpPlace{"neither", false, false, false, ""},
                                           HelpPlace{"folderOfThatName", false, true, true, "program"}),
                         [](const auto &info) { return std::string(info.param.name); });
