// What the About box shows and how big it draws it: its title, the build line, the home-page
// address, the version font and the colour strip.
#pragma once

#include <cstdint>
#include <string>

#include "model/geometry.h"

// "Version - Linova <3>": the box names the ruler it belongs to.
std::wstring AboutTitle(const std::wstring& className);

// "Build : Mar  5 2024, 09:07:02" from a date and a time written as the compiler writes them;
// at most 63 characters.
std::string BuildLine(const char* date, const char* time);

// The build line of this program, from the moment its build takes as its own (the last
// commit's, unless the build names another).
std::string ProgramBuildLine();

// The maker's home page, fixed when the program is built.
const wchar_t* HomePageAddress();

// The character height of the version text: 18 pixels at 96 dots per inch, negative as fonts
// take a character height.
int32_t VersionFontHeight(float dpiY);

// The text colours of the version text and of the link.
inline constexpr Rgb kVersionTextColour = MakeRgb(0, 92, 128);
inline constexpr Rgb kLinkColour = MakeRgb(0, 0, 232);
