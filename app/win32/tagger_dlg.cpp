#include "tagger_dlg.h"

#include "../../res/resource.h"
#include "../../tagger/tagging.h"
#include "../icon_origin.h"
#include "tagger_app.h"

namespace {

// Begins painting the window and ends it when it goes, which validates the update region.
class CPaintContext {
public:
    explicit CPaintContext(HWND hWnd) noexcept : m_hWnd(hWnd), m_hDC(::BeginPaint(hWnd, &m_ps)) {}
    CPaintContext(const CPaintContext&) = delete;
    CPaintContext& operator=(const CPaintContext&) = delete;
    ~CPaintContext() { ::EndPaint(m_hWnd, &m_ps); }
    HDC Get() const noexcept { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC;
};

}  // namespace

CTaggerDlg::CTaggerDlg(HWND hParent)
    : CModalDialog(IDD_MAIN_DIALOG, hParent),
      m_hIcon(::LoadIconA(g_theApp.m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

BOOL CTaggerDlg::OnInitDialog() {
    CModalDialog::OnInitDialog();
    // The one icon, loaded at the large size, serves for both.
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    return TRUE;  // the focus goes to the first tab stop, the write-tags button
}

bool CTaggerDlg::OnPaint() {
    if (!::IsIconic(m_hWnd)) return false;
    const CPaintContext dc(m_hWnd);
    ::SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    const CIconOrigin origin =
        MinimizedIconOrigin(rect.right - rect.left, rect.bottom - rect.top,
                            ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    ::DrawIcon(dc.Get(), origin.x, origin.y, m_hIcon);
    return true;
}

void CTaggerDlg::OnOK() { TagArchive(); }
