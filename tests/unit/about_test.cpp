// The About box's title, build line and sizes, and the uninstall question.
#include <gtest/gtest.h>

#include <regex>

#include "dialogs/about.h"
#include "dialogs/uninstall.h"
#include "model/placement.h"

namespace {

TEST(AboutBox, TitleNamesTheRulerWithinItsBuffer) {
    EXPECT_EQ(AboutTitle(L"Linova <3>"), L"Version - Linova <3>");
    // The title buffer holds 63 characters and the terminator.
    const std::wstring title = AboutTitle(std::wstring(60, L'x'));
    EXPECT_EQ(title, L"Version - " + std::wstring(53, L'x'));
}

TEST(AboutBox, BuildLineJoinsDateAndTimeAsTheCompilerWritesThem) {
    EXPECT_EQ(BuildLine("Mar  5 2024", "09:07:02"), "Build : Mar  5 2024, 09:07:02");
    EXPECT_EQ(BuildLine("Dec 31 1999", "23:59:59"), "Build : Dec 31 1999, 23:59:59");
    // Cut to the 63 characters its buffer holds.
    EXPECT_EQ(BuildLine(std::string(60, 'd').c_str(), "t"), "Build : " + std::string(55, 'd'));
    // This program's own line has that form.
    EXPECT_TRUE(std::regex_match(ProgramBuildLine(),
                                 std::regex("Build : (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|"
                                            "Dec) [ 123][0-9] [0-9]{4}, [0-2][0-9]:[0-5][0-9]:"
                                            "[0-5][0-9]")))
        << ProgramBuildLine();
}

TEST(AboutBox, VersionFontAndColourStripGrowWithTheDotsPerInch) {
    EXPECT_EQ(VersionFontHeight(96), -18);
    EXPECT_EQ(VersionFontHeight(120), -22);  // -22.5, toward zero
    EXPECT_EQ(VersionFontHeight(144), -27);
    EXPECT_EQ(VersionFontHeight(192), -36);
    EXPECT_EQ(ColourStripWidth(96), 15);
    EXPECT_EQ(ColourStripWidth(120), 18);  // 18.75
    EXPECT_EQ(ColourStripWidth(144), 22);  // 22.5
    EXPECT_EQ(ColourStripWidth(192), 30);
}

TEST(Uninstall, QuestionWithAndWithoutConsent) {
    EXPECT_EQ(UninstallQuestion(true),
              L"Delete OK ?\n\nLinova information.\n\nYes ... Delete and Linova exit.\n"
              L"No ... No delete.");
    EXPECT_EQ(UninstallQuestion(false), L"Delete OK ?\n\n\nYes ... Delete.\nNo ... No delete.");
}

}  // namespace
