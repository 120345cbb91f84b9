// The program's message box: modal, owned by the given window, one OK button.
#pragma once

#include <QMessageBox>
#include <string>

class QWidget;

// Returns when the user has closed the box. Caption and text are UTF-8.
void ShowMessageBox(QWidget* pOwner, const std::string& strCaption, const std::string& strText,
                    QMessageBox::Icon eIcon);
