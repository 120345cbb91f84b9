// The Windows shell's own arithmetic: names from the executable's path, the minimized icon.
#include <gtest/gtest.h>

#include "../../app/win32/app_paths.h"
#include "../../app/win32/tagger_dlg.h"

TEST(AppPaths, TitleAndHelpFileComeFromTheExecutablesPath) {
    const struct {
        const wchar_t* pszExe;
        const wchar_t* pszTitle;
        const wchar_t* pszHelp;
    } kCases[] = {
        {L"C:\\Archive\\zelivar-tagger.exe", L"zelivar-tagger", L"C:\\Archive\\zelivar-tagger.HLP"},
        {L"C:\\Archive\\x.exe", L"x", L"C:\\Archive\\x.HLP"},
        {L"D:\\a\\b.c.exe", L"b.c", L"D:\\a\\b.c.HLP"},
        {L"C:x.exe", L"x", L"C:x.HLP"},
        {L"Z:/tmp/\x0422\x0435\x0433.exe", L"\x0422\x0435\x0433", L"Z:/tmp/\x0422\x0435\x0433.HLP"},
        // A dot in a folder's name is no extension of the program's.
        {L"C:\\Program.Files\\tagger", L"tagger", L"C:\\Program.Files\\tagger.HLP"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ApplicationTitle(c.pszExe), c.pszTitle);
        EXPECT_EQ(HelpFilePath(c.pszExe), c.pszHelp);
    }
}

TEST(MinimizedIcon, IsCentredTruncatingTowardZero) {
    EXPECT_EQ(IconOrigin(36, 32), 2);
    EXPECT_EQ(IconOrigin(0, 32), -15);  // -31 / 2
    EXPECT_EQ(IconOrigin(1, 32), -15);
    EXPECT_EQ(IconOrigin(32, 32), 0);
    EXPECT_EQ(IconOrigin(160, 32), 64);
}
