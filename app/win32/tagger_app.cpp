#include "tagger_app.h"

#include <exception>

#include "../../platform/file_exception.h"
#include "../../platform/message.h"
#include "../../platform/process.h"
#include "../../platform/win32/wide.h"
#include "../app_paths.h"
#include "../dialog_template.h"
#include "tagger_dlg.h"

CTaggerApp g_theApp;

namespace {

constexpr std::string_view kTextHelpFailed = "Failed to launch help.";

// The file named as the user knows it: a full path, as the current directory is now.
std::string FullPath(const std::string& strPath) {
    const std::wstring strWide = Utf8ToWide(strPath);
    const DWORD nLength = ::GetFullPathNameW(strWide.c_str(), 0, nullptr, nullptr);
    if (strPath.empty() || nLength == 0) return strPath;
    std::wstring strFull(nLength, L'\0');
    const DWORD nWritten = ::GetFullPathNameW(strWide.c_str(), nLength, strFull.data(), nullptr);
    if (nWritten == 0 || nWritten >= nLength) return strPath;
    strFull.resize(nWritten);
    return WideToUtf8(strFull);
}

std::wstring ExecutablePath() {
    // The path may be longer than MAX_PATH: grow the buffer until it fits.
    std::wstring strPath(MAX_PATH, L'\0');
    for (;;) {
        const DWORD nLength =
            ::GetModuleFileNameW(nullptr, strPath.data(), static_cast<DWORD>(strPath.size()));
        if (nLength == 0) return std::wstring();
        if (nLength < strPath.size()) {
            strPath.resize(nLength);
            return strPath;
        }
        strPath.resize(strPath.size() * 2);
    }
}

// The text of the failure being handled.
std::string FailureText() {
    try {
        throw;
    } catch (const CFileException& e) {
        return DescribeFileException(
            CFileException(e.m_eCause, e.m_nOsError, FullPath(e.m_strFileName)));
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Неизвестная ошибка.";
    }
}

}  // namespace

int CTaggerApp::Run(HINSTANCE hInstance) {
    PrepareProcess();
    m_hInstance = hInstance;
    const std::string strExePath = WideToUtf8(ExecutablePath());
    m_strTitle = Utf8ToWide(ApplicationTitle(strExePath));
    m_strHelpPath = Utf8ToWide(HelpFilePath(strExePath));
    InitInstance();
    return ExitInstance();
}

BOOL CTaggerApp::InitInstance() {
    SetMessageHook([this](const std::string& strText) { DoMessageBox(strText, MB_OK); });
    CTaggerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

void CTaggerApp::OnHelp() {
    const HWND hOwner = m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr;
    // The help engine takes its path in the ANSI code page.
    const int nSize =
        ::WideCharToMultiByte(CP_ACP, 0, m_strHelpPath.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string strPath(nSize > 0 ? nSize : 1, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, m_strHelpPath.c_str(), -1, strPath.data(), nSize, nullptr,
                          nullptr);
    if (!::WinHelpA(hOwner, strPath.c_str(), HELP_CONTEXT, kMainDialogHelpContext))
        DoMessageBox(kTextHelpFailed, MB_OK);
}

int CTaggerApp::DoMessageBox(std::string_view strText, UINT nType) {
    if ((nType & MB_ICONMASK) == 0) nType |= MB_ICONEXCLAMATION;
    const HWND hOwner = m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr;
    return ::MessageBoxW(hOwner, Utf8ToWide(strText).c_str(), m_strTitle.c_str(), nType);
}

void CTaggerApp::ReportFailedCommand() noexcept {
    try {
        DoMessageBox(FailureText(), MB_OK | MB_ICONSTOP);
    } catch (...) {
        // Not even the box could be shown (no memory): the dialog goes on all the same.
    }
}
