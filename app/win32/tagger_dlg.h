// The main dialog: picture, hint, the write-tags button and the exit button.
#pragma once

#include "modal_dialog.h"

class CTaggerDlg : public CModalDialog {
public:
    explicit CTaggerDlg(HWND hParent = nullptr);

protected:
    void DoDataExchange() override {}
    BOOL OnInitDialog() override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override { return m_hIcon; }
    // The tagging run; the dialog stays open.
    void OnOK() override;

private:
    HICON m_hIcon;  // borrowed from the resources: never destroyed
};
