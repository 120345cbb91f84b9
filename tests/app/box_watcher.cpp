#include "box_watcher.h"

#include <QAbstractButton>
#include <QApplication>

CBoxWatcher::CBoxWatcher() {
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
    m_timer.start(10);
}

void CBoxWatcher::Poll() {
    auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (pBox == nullptr || !pBox->isVisible()) {
        return;
    }
    m_boxes.push_back({pBox->windowTitle(), pBox->text(), pBox->icon(), pBox->parentWidget(),
                       static_cast<int>(pBox->buttons().size())});
    if (QAbstractButton* pOk = pBox->button(QMessageBox::Ok)) {
        pOk->click();
    } else {
        pBox->reject();
    }
}
