// The native dialog in this process, driven from a second thread the way the system would:
// the dialog's set-up, the boxes' caption, owner and text, and the dialog staying usable.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "../../app/win32/tagger_app.h"
#include "../../platform/win32/wide.h"
#include "../../res/resource.h"
#include "../support/archive.h"

namespace {

constexpr wchar_t kCaption[] = L"ID3 Editor 4 Zelivar Trombuxiya";
constexpr wchar_t kTitle[] = L"tagger-test";

// Polls for up to five seconds.
bool WaitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 250; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

HWND WaitFor(const std::function<HWND()>& find) {
    HWND hWnd = nullptr;
    WaitUntil([&] { return (hWnd = find()) != nullptr; });
    return hWnd;
}

std::wstring WindowText(HWND hWnd) {
    wchar_t szText[1024] = {};
    ::GetWindowTextW(hWnd, szText, static_cast<int>(std::size(szText)));
    return szText;
}

struct CSearch {
    const wchar_t* pszCaption;
    HWND hFound;
};

BOOL CALLBACK MatchCaption(HWND hWnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<CSearch*>(lParam);
    if (WindowText(hWnd) != pSearch->pszCaption) return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

// A top-level window of this test's own user interface thread (another program may show a
// dialog of the same caption meanwhile).
HWND FindOwn(DWORD nThread, const wchar_t* pszCaption) {
    CSearch search{pszCaption, nullptr};
    ::EnumThreadWindows(nThread, &MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

struct CBox {
    bool bShown = false;
    bool bOwnedByDialog = false;
    bool bDialogDisabled = false;
    std::string strText;
};

// Waits for the box, notes what it is and closes it with its OK button.
CBox TakeBox(DWORD nThread, HWND hDialog) {
    CBox box;
    const HWND hBox = WaitFor([&] { return FindOwn(nThread, kTitle); });
    if (hBox == nullptr) return box;
    box.bShown = true;
    box.bOwnedByDialog = ::GetWindow(hBox, GW_OWNER) == hDialog;
    box.bDialogDisabled = !::IsWindowEnabled(hDialog);
    box.strText = WideToUtf8(WindowText(::GetDlgItem(hBox, 0xFFFF)));  // the box's message
    ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return FindOwn(nThread, kTitle) == nullptr; });
    return box;
}

}  // namespace

TEST(Win32Shell, TheDialogRunsCommandsAndReportsInBoxesItOwns) {
    CTempArchive archive;
    archive.MakeDir("A");
    archive.WriteFile("A/01 - Song.mp3", TrackBytes(1000));
    g_theApp.m_hInstance = ::GetModuleHandleW(nullptr);
    g_theApp.m_strTitle = kTitle;

    const DWORD nUiThread = ::GetCurrentThreadId();
    HWND hDialog = nullptr;
    bool bCentred = false, bFocusOnOk = false, bIcons = false;
    CBox done, failed;
    std::thread driver([&] {
        hDialog = WaitFor([&] { return FindOwn(nUiThread, kCaption); });
        if (hDialog == nullptr) return;
        // Found as soon as it is made: its set-up is done once the focus is placed.
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        bFocusOnOk = WaitUntil([&] {
            return ::GetGUIThreadInfo(nUiThread, &info) &&
                   info.hwndFocus == ::GetDlgItem(hDialog, IDOK);
        });
        RECT work{}, window{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        ::GetWindowRect(hDialog, &window);
        bCentred = std::abs((window.left + window.right) - (work.left + work.right)) <= 1 &&
                   std::abs((window.top + window.bottom) - (work.top + work.bottom)) <= 1;
        const HICON hIcon = ::LoadIconA(g_theApp.m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
        bIcons =
            hIcon != nullptr &&
            reinterpret_cast<HICON>(::SendMessageW(hDialog, WM_GETICON, ICON_BIG, 0)) == hIcon &&
            reinterpret_cast<HICON>(::SendMessageW(hDialog, WM_GETICON, ICON_SMALL, 0)) == hIcon;

        ::PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
        done = TakeBox(nUiThread, hDialog);
        archive.WriteFile("A/02 - Short.mp3", "short");
        ::PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
        failed = TakeBox(nUiThread, hDialog);
        // Whatever happened, no box of ours may stay to hold the dialog open.
        WaitUntil([&] {
            if (const HWND hBox = FindOwn(nUiThread, kTitle))
                ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
            else
                ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
            return !::IsWindow(hDialog);
        });
    });
    EXPECT_FALSE(g_theApp.InitInstance());
    driver.join();

    ASSERT_NE(hDialog, nullptr) << "the dialog never showed";
    EXPECT_FALSE(::IsWindow(hDialog));
    EXPECT_EQ(g_theApp.m_pMainWnd, nullptr);
    EXPECT_TRUE(bCentred);
    EXPECT_TRUE(bFocusOnOk);
    EXPECT_TRUE(bIcons);
    for (const CBox* pBox : {&done, &failed}) {
        EXPECT_TRUE(pBox->bShown);
        EXPECT_TRUE(pBox->bOwnedByDialog);
        EXPECT_TRUE(pBox->bDialogDisabled);
    }
    EXPECT_EQ(done.strText, "Таги прописаны успешно :)");
    // The failure names its cause and the file by its full path.
    const std::string strFull = archive.Root() + "\\A\\02 - Short.mp3";
    EXPECT_NE(failed.strText.find("перейти"), std::string::npos) << failed.strText;
    EXPECT_NE(failed.strText.find("«" + strFull + "»"), std::string::npos) << failed.strText;
}
