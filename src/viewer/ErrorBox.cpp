#include "ErrorBox.h"

#include <QMessageBox>

namespace wordhoard {

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > u'.') return message + u'.';
    return message;
}

void showErrorBox(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Wordhoard"), errorBoxText(message), QMessageBox::Ok,
                    parent);
    box.exec();
}

} // namespace wordhoard
