// What the About box shows and how big it draws it: its title, the build line, the home-page
// address, the version font and the colour strip.
#include "dialogs/about.h"

#include "linova_build_date.h"
#include "model/text_format.h"

#ifndef LINOVA_HOME_PAGE
#error "LINOVA_HOME_PAGE (the maker's home page) is set by the build"
#endif

namespace {

// The title and the build line are made in buffers of 64 characters.
constexpr size_t kLineBuffer = 64;

}  // namespace

std::wstring AboutTitle(const std::wstring& className) {
    return FitBuffer(L"Version - " + className, kLineBuffer);
}

std::string BuildLine(const char* date, const char* time) {
    const std::string line = std::string("Build : ") + date + ", " + time;
    return line.substr(0, kLineBuffer - 1);
}

std::string ProgramBuildLine() {
    return BuildLine(LINOVA_BUILD_DATE, LINOVA_BUILD_TIME);
}

const wchar_t* HomePageAddress() {
    return L"" LINOVA_HOME_PAGE;
}

int32_t VersionFontHeight(float dpiY) {
    // Truncated toward zero, as a negative height is.
    return static_cast<int32_t>(-18.0 * dpiY / 96.0);
}
