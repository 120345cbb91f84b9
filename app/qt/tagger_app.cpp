#include "tagger_app.h"

#include "../../platform/message.h"
#include "../app_paths.h"
#include "../dialog_template.h"
#include "help_launcher.h"
#include "message_box.h"
#include "tagger_dlg.h"

CTaggerApp g_theApp;

namespace {
constexpr const char* kTextHelpFailed = "Failed to launch help.";
}

void CTaggerApp::InitApplication(std::string_view strExePath) {
    m_strTitle = ApplicationTitle(strExePath);
    m_strHelpFilePath = ::HelpFilePath(strExePath);
    SetMessageHook(
        [this](const std::string& strText) { DoMessageBox(strText, QMessageBox::Warning); });
}

bool CTaggerApp::InitInstance() {
    CTaggerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // The window is gone with the end of the modal run; nothing may find it as an owner.
    m_pMainWnd = nullptr;
    return false;
}

int CTaggerApp::ExitInstance() { return 0; }

void CTaggerApp::OnHelp() {
    if (!LaunchHelp(m_strHelpFilePath, kMainDialogHelpContext)) {
        DoMessageBox(kTextHelpFailed, QMessageBox::Warning);
    }
}

void CTaggerApp::DoMessageBox(const std::string& strText, QMessageBox::Icon eIcon) const {
    ShowMessageBox(m_pMainWnd, m_strTitle, strText, eIcon);
}
