// The main dialog's template as data: sizes in dialog units, controls in template order, which is
// also the tab order. Free of any toolkit, so every shell lays the dialog out from the same data.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "../res/resource.h"

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
// What a help request asks for: the dialog's own context, the help base plus its template id.
inline constexpr unsigned kHelpContextBase = 0x20000;
inline constexpr unsigned kMainDialogHelpContext = kHelpContextBase + IDD_MAIN_DIALOG;

enum class EControlKind {
    defPushButton,
    pushButton,
    bitmapStatic,
    textStatic,
};

struct CDialogRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    friend bool operator==(const CDialogRect&, const CDialogRect&) = default;
};

struct CControlTemplate {
    int nId;
    EControlKind eKind;
    std::string_view strText;  // UTF-8; empty for the picture
    int nImageId;              // the bitmap a picture shows, 0 otherwise
    CDialogRect rect;          // dialog units
    std::uint32_t dwStyle;
};

struct CDialogTemplate {
    int nId;
    std::uint32_t dwStyle;
    std::uint32_t dwExStyle;
    CDialogRect rect;  // dialog units; position 0, 0 asks the shell to centre the window
    std::string_view strCaption;
    std::string_view strFontFace;
    int nFontPoints;
    std::span<const CControlTemplate> controls;
};

const CDialogTemplate& MainDialogTemplate();

// The dialog base units of a font: the average width of the Latin letters, rounded as the
// dialog manager does, and the font's line height.
struct CBaseUnits {
    int cx;
    int cy;
};
CBaseUnits DialogBaseUnits(int nAlphabetWidth, int nFontHeight);

// Dialog units to pixels: x * base width / 4, y * base height / 8.
CDialogRect DialogUnitsToPixels(const CDialogRect& rect, CBaseUnits units);
