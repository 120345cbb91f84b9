#include "modal_dialog.h"

#include "tagger_app.h"

INT_PTR CModalDialog::DoModal() {
    return ::DialogBoxParamW(g_theApp.m_hInstance, MAKEINTRESOURCEW(m_nTemplateId), m_hParent,
                             &CModalDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CModalDialog::OnInitDialog() {
    DoDataExchange();
    return TRUE;
}

void CModalDialog::EndDialog(int nResult) noexcept { ::EndDialog(m_hWnd, nResult); }

void CModalDialog::CenterInWorkArea() noexcept {
    // The template says 0, 0: the dialog goes to the middle of the primary monitor's work area.
    RECT work{}, window{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) || !::GetWindowRect(m_hWnd, &window))
        return;
    const int nWidth = window.right - window.left, nHeight = window.bottom - window.top;
    const int x = work.left + (work.right - work.left - nWidth) / 2;
    const int y = work.top + (work.bottom - work.top - nHeight) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CModalDialog::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    auto* pDialog = reinterpret_cast<CModalDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    if (nMessage == WM_INITDIALOG) {
        pDialog = reinterpret_cast<CModalDialog*>(lParam);
        ::SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        pDialog->m_hWnd = hWnd;
    }
    if (pDialog == nullptr) return FALSE;
    // No exception may cross the system's code that called us: a failed command is reported
    // here, counts as done, and the dialog goes on.
    try {
        return pDialog->OnMessage(nMessage, wParam, lParam);
    } catch (...) {
        g_theApp.ReportFailedCommand();
        return TRUE;
    }
}

INT_PTR CModalDialog::OnMessage(UINT nMessage, WPARAM wParam, LPARAM /*lParam*/) {
    switch (nMessage) {
        case WM_INITDIALOG:
            CenterInWorkArea();
            return OnInitDialog();
        case WM_PAINT:
            return OnPaint() ? TRUE : FALSE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) return FALSE;  // also what Enter and Esc send
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
            return FALSE;
        case WM_HELP:
            // F1 alone asks for help; with Shift, Ctrl or Alt it does nothing.
            if (::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0 ||
                ::GetKeyState(VK_MENU) < 0)
                return TRUE;
            g_theApp.OnHelp();
            return TRUE;
        case WM_NCDESTROY:
            if (g_theApp.m_pMainWnd == this) g_theApp.m_pMainWnd = nullptr;
            m_hWnd = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}
