// The application object: start-up, the main window, message boxes and help.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

class CModalDialog;

class CTaggerApp {
public:
    // Derives the title and the help path from the executable, then InitInstance and
    // ExitInstance; gives what ExitInstance gives.
    int Run(HINSTANCE hInstance);
    // Runs the main dialog and gives FALSE: no message loop follows.
    BOOL InitInstance();
    int ExitInstance() noexcept { return 0; }

    // The help request for the main dialog.
    void OnHelp();
    // The program's message box (text in UTF-8): owned by the main window, the title as
    // caption, the exclamation icon when nType gives none.
    int DoMessageBox(std::string_view strText, UINT nType);
    // The box for a failure that escaped a command; only inside a catch block.
    void ReportFailedCommand() noexcept;

    HINSTANCE m_hInstance = nullptr;
    CModalDialog* m_pMainWnd = nullptr;
    std::wstring m_strTitle;
    std::wstring m_strHelpPath;
};

// The one application object.
extern CTaggerApp g_theApp;
