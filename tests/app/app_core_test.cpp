// The shell's toolkit-free pieces: paths from the executable, the template, the icon's place.
#include <gtest/gtest.h>

#include "../../app/app_paths.h"
#include "../../app/dialog_template.h"
#include "../../app/icon_origin.h"

namespace {

struct CPathCase {
    const char* szExe;
    const char* szTitle;
    const char* szHelp;
};

TEST(AppPaths, TitleAndHelpFileComeFromTheFileNameOnly) {
    const CPathCase cases[] = {
        {"C:\\Music\\x.exe", "x", "C:\\Music\\x.HLP"},
        {"/opt/archive/x", "x", "/opt/archive/x.HLP"},
        // A dot in a folder's name is no extension of the program's.
        {"/home/u/.local/bin/zelivar-tagger", "zelivar-tagger",
         "/home/u/.local/bin/zelivar-tagger.HLP"},
        {"/srv/Live.1990/tagger", "tagger", "/srv/Live.1990/tagger.HLP"},
        {"/usr/bin/zelivar-tagger.bin.old", "zelivar-tagger.bin",
         "/usr/bin/zelivar-tagger.bin.HLP"},
        {"/tmp/.hidden", ".hidden", "/tmp/.hidden.HLP"},
        {"D:x.exe", "x", "D:x.HLP"},
        {"x", "x", "x.HLP"},
    };
    for (const CPathCase& c : cases) {
        EXPECT_EQ(ApplicationTitle(c.szExe), c.szTitle) << c.szExe;
        EXPECT_EQ(HelpFilePath(c.szExe), c.szHelp) << c.szExe;
    }
}

TEST(DialogTemplate, HoldsTheMainDialogInTabOrder) {
    const CDialogTemplate& dlg = MainDialogTemplate();
    EXPECT_EQ(dlg.nId, 102);
    EXPECT_EQ(dlg.rect, (CDialogRect{0, 0, 282, 60}));
    EXPECT_EQ(dlg.dwExStyle, 0x00040000u);
    ASSERT_EQ(dlg.controls.size(), 4u);
    EXPECT_EQ(dlg.controls[0].nId, kIdOk);
    EXPECT_EQ(dlg.controls[0].strText, "Прописать таги");
    EXPECT_EQ(dlg.controls[1].nId, kIdCancel);
    EXPECT_EQ(dlg.controls[1].strText, "Выход");
    EXPECT_EQ(dlg.controls[2].nImageId, IDB_LOGO);
    // The two buttons end at the same right edge.
    EXPECT_EQ(dlg.controls[0].rect.x + dlg.controls[0].rect.cx, 280);
    EXPECT_EQ(dlg.controls[1].rect.x + dlg.controls[1].rect.cx, 280);
    EXPECT_EQ(kMainDialogHelpContext, 131174u);
}

TEST(DialogTemplate, UnitsScaleWithTheFontsBaseUnits) {
    // The template's font at the standard resolution: 6 x 13 pixels.
    const CBaseUnits units = DialogBaseUnits(311, 13);
    EXPECT_EQ(units.cx, 6);
    EXPECT_EQ(units.cy, 13);
    const CDialogTemplate& dlg = MainDialogTemplate();
    EXPECT_EQ(DialogUnitsToPixels(dlg.rect, units), (CDialogRect{0, 0, 423, 97}));
    // The picture's area holds the 183 x 74 bitmap.
    EXPECT_EQ(DialogUnitsToPixels(dlg.controls[2].rect, units), (CDialogRect{10, 11, 183, 74}));
    EXPECT_EQ(DialogBaseUnits(364, 15).cx, 7);
}

TEST(MinimizedIcon, IsCentredWithTruncatingDivision) {
    EXPECT_EQ(MinimizedIconOrigin(36, 36, 32, 32).x, 2);
    EXPECT_EQ(MinimizedIconOrigin(0, 0, 32, 32).x, -15);
    EXPECT_EQ(MinimizedIconOrigin(0, 0, 32, 32).y, -15);
    EXPECT_EQ(MinimizedIconOrigin(100, 33, 32, 32).y, 1);
}

}  // namespace
