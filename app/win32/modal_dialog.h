// A modal dialog from a template, in the role a framework's dialog class plays: the handlers
// are virtual operations, and a failure that escapes a command is reported, not passed on.
#pragma once

#include <windows.h>

class CModalDialog {
public:
    CModalDialog(UINT nTemplateId, HWND hParent) noexcept
        : m_nTemplateId(nTemplateId), m_hParent(hParent) {}
    CModalDialog(const CModalDialog&) = delete;
    CModalDialog& operator=(const CModalDialog&) = delete;
    virtual ~CModalDialog() = default;

    // Creates the window, runs its modal loop until it is ended and gives the result it was
    // ended with; -1 when the template cannot be loaded or the window cannot be made.
    INT_PTR DoModal();
    HWND GetSafeHwnd() const noexcept { return m_hWnd; }

protected:
    virtual void DoDataExchange() {}
    virtual BOOL OnInitDialog();
    // True when it painted; false leaves the painting to the default processing.
    virtual bool OnPaint() { return false; }
    virtual HICON OnQueryDragIcon() { return nullptr; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    void EndDialog(int nResult) noexcept;

    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    void CenterInWorkArea() noexcept;

    UINT m_nTemplateId;
    HWND m_hParent;
};
