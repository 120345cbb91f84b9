// The resources as the executable carries them, read back byte by byte: the dialog template
// must be the one every shell lays out, and icon, picture and version what they must be.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "../../app/dialog_template.h"
#include "../../platform/win32/wide.h"

namespace {

constexpr WORD kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);

// A resource of this program in Russian; empty when there is none.
std::string Resource(LPCSTR pszType, int nId, WORD nLanguage = kRussian) {
    const HRSRC hInfo = ::FindResourceExA(nullptr, pszType, MAKEINTRESOURCEA(nId), nLanguage);
    if (hInfo == nullptr) return {};
    const HGLOBAL hData = ::LoadResource(nullptr, hInfo);
    const auto* pData = static_cast<const char*>(::LockResource(hData));
    return pData != nullptr ? std::string(pData, ::SizeofResource(nullptr, hInfo)) : "";
}

// Reads a resource's fields in order, as the dialog manager does.
class CReader {
public:
    explicit CReader(std::string strData) : m_strData(std::move(strData)) {}

    template <typename T>
    T Get() {
        T value{};
        if (m_nAt + sizeof(T) > m_strData.size()) throw std::out_of_range("past the resource");
        std::memcpy(&value, m_strData.data() + m_nAt, sizeof(T));
        m_nAt += sizeof(T);
        return value;
    }
    // A zero-terminated UTF-16 string, as UTF-8.
    std::string String() {
        std::wstring strText;
        while (const auto c = Get<wchar_t>()) strText += c;
        return WideToUtf8(strText);
    }
    // A name or an ordinal: "#n" for an ordinal.
    std::string NameOrOrdinal() {
        if (Peek() == 0xFFFF) {
            Get<WORD>();
            return "#" + std::to_string(Get<WORD>());
        }
        return String();
    }
    void AlignToDword() { m_nAt = (m_nAt + 3) & ~std::size_t{3}; }

private:
    WORD Peek() {
        const std::size_t nAt = m_nAt;
        const WORD n = Get<WORD>();
        m_nAt = nAt;
        return n;
    }
    std::string m_strData;
    std::size_t m_nAt = 0;
};

CDialogRect GetRect(CReader& in) {
    CDialogRect rect;
    rect.x = in.Get<short>();
    rect.y = in.Get<short>();
    rect.cx = in.Get<short>();
    rect.cy = in.Get<short>();
    return rect;
}

}  // namespace

TEST(Resources, TheDialogTemplateIsTheSharedOneToTheByte) {
    const CDialogTemplate& dlg = MainDialogTemplate();
    const std::string strData = Resource(RT_DIALOG, dlg.nId);
    ASSERT_FALSE(strData.empty()) << "no Russian dialog " << dlg.nId;
    CReader in(strData);
    EXPECT_EQ(in.Get<WORD>(), 1);       // version of the extended template
    EXPECT_EQ(in.Get<WORD>(), 0xFFFF);  // its signature
    EXPECT_EQ(in.Get<DWORD>(), 0u);     // help id
    EXPECT_EQ(in.Get<DWORD>(), dlg.dwExStyle);
    EXPECT_EQ(in.Get<DWORD>(), dlg.dwStyle);
    const WORD nControls = in.Get<WORD>();
    EXPECT_EQ(GetRect(in), dlg.rect);
    EXPECT_EQ(in.NameOrOrdinal(), "");  // no menu
    EXPECT_EQ(in.NameOrOrdinal(), "");  // the standard dialog class
    EXPECT_EQ(in.String(), dlg.strCaption);
    EXPECT_EQ(in.Get<WORD>(), dlg.nFontPoints);
    EXPECT_EQ(in.Get<WORD>(), FW_NORMAL);
    EXPECT_EQ(in.Get<BYTE>(), 0);  // upright
    EXPECT_EQ(in.Get<BYTE>(), DEFAULT_CHARSET);
    EXPECT_EQ(in.String(), dlg.strFontFace);

    ASSERT_EQ(nControls, dlg.controls.size());
    for (const CControlTemplate& control : dlg.controls) {
        in.AlignToDword();
        EXPECT_EQ(in.Get<DWORD>(), 0u) << control.nId;  // help id
        EXPECT_EQ(in.Get<DWORD>(), 0u) << control.nId;  // extended style
        EXPECT_EQ(in.Get<DWORD>(), control.dwStyle) << control.nId;
        EXPECT_EQ(GetRect(in), control.rect) << control.nId;
        EXPECT_EQ(static_cast<int>(in.Get<DWORD>()), control.nId);
        const bool bButton = control.eKind == EControlKind::defPushButton ||
                             control.eKind == EControlKind::pushButton;
        EXPECT_EQ(in.NameOrOrdinal(), bButton ? "#128" : "#130") << control.nId;  // the class
        const std::string strText = in.NameOrOrdinal();
        if (control.eKind == EControlKind::bitmapStatic)
            EXPECT_EQ(strText, "#" + std::to_string(control.nImageId));
        else
            EXPECT_EQ(strText, control.strText);
        EXPECT_EQ(in.Get<WORD>(), 0) << control.nId;  // no creation data
    }
}

TEST(Resources, IconPictureAndVersionAreWhatTheProgramShows) {
    // The icon group: 32x32 and 16x16 with 16 colours, 16x16 with 256.
    CReader icons(Resource(RT_GROUP_ICON, IDR_MAINFRAME));
    EXPECT_EQ(icons.Get<WORD>(), 0);
    EXPECT_EQ(icons.Get<WORD>(), 1);
    ASSERT_EQ(icons.Get<WORD>(), 3);
    const struct { int nSize, nBits; } kImages[] = {{32, 4}, {16, 4}, {16, 8}};
    for (const auto& image : kImages) {
        EXPECT_EQ(icons.Get<BYTE>(), image.nSize);
        EXPECT_EQ(icons.Get<BYTE>(), image.nSize);
        icons.Get<BYTE>();  // colour count
        icons.Get<BYTE>();
        EXPECT_EQ(icons.Get<WORD>(), 1);  // planes
        EXPECT_EQ(icons.Get<WORD>(), image.nBits);
        icons.Get<DWORD>();  // size
        icons.Get<WORD>();   // the image's id
    }
    EXPECT_NE(::LoadIconA(::GetModuleHandleW(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);

    // The picture: 183x74, 8 bits a pixel, uncompressed.
    CReader picture(Resource(RT_BITMAP, IDB_LOGO));
    const auto header = picture.Get<BITMAPINFOHEADER>();
    EXPECT_EQ(header.biWidth, 183);
    EXPECT_EQ(header.biHeight, 74);
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

    // The version: 1.0.0.1, an application.
    const std::string strVersion =
        Resource(RT_VERSION, 1, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    const DWORD nSignature = VS_FFI_SIGNATURE;
    const std::size_t nAt =
        strVersion.find(std::string(reinterpret_cast<const char*>(&nSignature), 4));
    ASSERT_NE(nAt, std::string::npos);
    VS_FIXEDFILEINFO info{};
    ASSERT_LE(nAt + sizeof info, strVersion.size());
    std::memcpy(&info, strVersion.data() + nAt, sizeof info);
    EXPECT_EQ(info.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(info.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(info.dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));
}
