#include "dialog_template.h"

#include <array>

namespace {

// Window style bits of the template.
constexpr std::uint32_t kStylePopup = 0x80000000;
constexpr std::uint32_t kStyleVisible = 0x10000000;
constexpr std::uint32_t kStyleCaption = 0x00C00000;
constexpr std::uint32_t kStyleSysMenu = 0x00080000;
constexpr std::uint32_t kStyleModalFrame = 0x00000080;
constexpr std::uint32_t kStyleSetFont = 0x00000040;
constexpr std::uint32_t kStyleChild = 0x40000000;
constexpr std::uint32_t kStyleTabStop = 0x00010000;
constexpr std::uint32_t kStyleDefPushButton = 0x00000001;
constexpr std::uint32_t kStyleStaticBitmap = 0x0000000E;
constexpr std::uint32_t kExStyleAppWindow = 0x00040000;

constexpr std::uint32_t kButton = kStyleChild | kStyleVisible | kStyleTabStop;
constexpr std::uint32_t kStatic = kStyleChild | kStyleVisible;

constexpr std::array kControls{
    CControlTemplate{kIdOk,
                     EControlKind::defPushButton,
                     "Прописать таги",
                     0,
                     {129, 7, 151, 14},
                     kButton | kStyleDefPushButton},
    CControlTemplate{kIdCancel, EControlKind::pushButton, "Выход", 0, {130, 21, 150, 14}, kButton},
    CControlTemplate{IDC_STATIC,
                     EControlKind::bitmapStatic,
                     "",
                     IDB_LOGO,
                     {7, 7, 122, 46},
                     kStatic | kStyleStaticBitmap},
    CControlTemplate{IDC_STATIC,
                     EControlKind::textStatic,
                     "Скопируйте прогу в папку, где находятся директории с названиями альбомов",
                     0,
                     {133, 36, 142, 17},
                     kStatic},
};

constexpr CDialogTemplate kMainDialog{
    IDD_MAIN_DIALOG,
    kStylePopup | kStyleVisible | kStyleCaption | kStyleSysMenu | kStyleModalFrame | kStyleSetFont,
    kExStyleAppWindow,
    {0, 0, 282, 60},
    "ID3 Editor 4 Zelivar Trombuxiya",
    "MS Sans Serif",
    8,
    kControls,
};

static_assert(kMainDialog.dwStyle == 0x90C800C0);
static_assert(kControls[0].dwStyle == 0x50010001 && kControls[1].dwStyle == 0x50010000);
static_assert(kControls[2].dwStyle == 0x5000000E && kControls[3].dwStyle == 0x50000000);

}  // namespace

const CDialogTemplate& MainDialogTemplate() { return kMainDialog; }

CBaseUnits DialogBaseUnits(int nAlphabetWidth, int nFontHeight) {
    // The width of the 52 letters, averaged over 26 and halved with rounding.
    return {(nAlphabetWidth / 26 + 1) / 2, nFontHeight};
}

CDialogRect DialogUnitsToPixels(const CDialogRect& rect, CBaseUnits units) {
    return {rect.x * units.cx / 4, rect.y * units.cy / 8, rect.cx * units.cx / 4,
            rect.cy * units.cy / 8};
}
