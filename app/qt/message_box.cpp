#include "message_box.h"

void ShowMessageBox(QWidget* pOwner, const std::string& strCaption, const std::string& strText,
                    QMessageBox::Icon eIcon) {
    QMessageBox box(eIcon, QString::fromStdString(strCaption), QString::fromStdString(strText),
                    QMessageBox::Ok, pOwner);
    box.exec();
}
