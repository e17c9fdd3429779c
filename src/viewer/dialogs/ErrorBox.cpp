// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/ErrorBox.h"

#include "Messages.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace wordhoard {

QString errorBoxText(const QString& message) { return withFullStop(message); }

void showErrorBox(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("wordhoard::ErrorBox", "Wordhoard"), errorBoxText(message), QMessageBox::Ok,
                    parent);
    box.exec();
}

} // namespace wordhoard
