// The application object: start-up, the help command and the program's message boxes.
#pragma once

#include <QMessageBox>
#include <string>
#include <string_view>

class QWidget;

class CTaggerApp {
public:
    CTaggerApp() = default;
    CTaggerApp(const CTaggerApp&) = delete;
    CTaggerApp& operator=(const CTaggerApp&) = delete;
    virtual ~CTaggerApp() = default;

    // The start-up that precedes InitInstance: title and help file from the executable's path,
    // and the engine's messages routed to this object's boxes.
    void InitApplication(std::string_view strExePath);
    // Runs the main dialog modally and gives false: there is no loop after it.
    virtual bool InitInstance();
    int ExitInstance();

    // F1: asks the help launcher for the main dialog's context in the help file.
    void OnHelp();
    // A modal box owned by the main window, captioned with the application title, one OK.
    void DoMessageBox(const std::string& strText, QMessageBox::Icon eIcon) const;

    const std::string& Title() const noexcept { return m_strTitle; }
    const std::string& HelpFilePath() const noexcept { return m_strHelpFilePath; }

    QWidget* m_pMainWnd = nullptr;

private:
    std::string m_strTitle;
    std::string m_strHelpFilePath;
};

extern CTaggerApp g_theApp;
