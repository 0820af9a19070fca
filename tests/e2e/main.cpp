// Entry of the end-to-end test program (a wide-character console program under Wine).
//
// Run as `linova_e2e.exe --record-launch FILE ARGUMENT` it is not a test run: it stands in for a
// program that the shell starts (a browser, say), appends ARGUMENT as a line to FILE and ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>

namespace {

int RecordLaunch(const wchar_t* file, const wchar_t* argument) {
    FILE* out = _wfopen(file, L"ab");
    if (!out) return 1;
    const bool written = std::fprintf(out, "%ls\n", argument) > 0;
    return std::fclose(out) == 0 && written ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wcscmp(argv[1], L"--record-launch") == 0) {
        return RecordLaunch(argv[2], argv[3]);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
