// The main dialog: picture, hint and the two buttons, laid out from the template at run time.
#pragma once

#include <QDialog>
#include <QIcon>

class QAbstractButton;

class CTaggerDlg : public QDialog {
    Q_OBJECT

public:
    explicit CTaggerDlg(QWidget* pParent = nullptr);

    // Sets the dialog up, shows it centred and runs it until the Cancel command ends it; gives
    // kIdCancel then.
    int DoModal();
    QIcon OnQueryDragIcon() const { return m_hIcon; }

    // The command that a button or key gives; a file exception that escapes it is reported here,
    // and the command counts as done.
    void OnCommand(int nId);

    void accept() override;
    void reject() override;

protected:
    virtual void DoDataExchange();
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnPaint(QPaintEvent* pEvent);

    void paintEvent(QPaintEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void CreateControls();
    void CentreOnPrimaryScreen();
    QAbstractButton* Button(int nId) const;

    QIcon m_hIcon;
};
