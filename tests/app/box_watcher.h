// Test support for modal windows: a timer, started before the key press that opens a box, that
// records every message box it sees and closes it with its OK button. Assertions come after the
// press returns; inside the timer they would only leave the timer's lambda.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <vector>

struct CSeenBox {
    QString strCaption;
    QString strText;
    QMessageBox::Icon eIcon;
    QPointer<QWidget> pOwner;
    int nButtons;
};

class CBoxWatcher {
public:
    CBoxWatcher();
    std::vector<CSeenBox> m_boxes;

private:
    void Poll();
    QTimer m_timer;
};
