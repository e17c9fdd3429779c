// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/StartupCheck.h"

#include "aids/ReaderMemory.h"
#include "dialogs/AboutBox.h"
#include "settings/SettingsStore.h"
#include "window/ListModels.h"
#include "window/MainForm.h"
#include "display/PageFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <memory>

namespace wordhoard {

void checkOnceShown(TMainForm& form) {
    auto failed = std::make_shared<bool>(false);
    form.setErrorReporter([failed](const QString& message) {
        std::fprintf(stderr, "wordhoard: %s\n", qPrintable(message));
        *failed = true;
    });
    // Queued behind the start-up error that showing the window posted, so that it is counted.
    QTimer::singleShot(0, &form, [&form, failed] {
        const QString text = QFileInfo(dictionaryTextPath(form.unit().folder)).absoluteFilePath();
        const SettingsStore* store = form.readerMemory().store();
        std::printf("dictionary: %s\nheadwords: %d\ndocumentation: %s\nsettings: %s\n", qPrintable(text),
                    form.wordListModel->rowCount(), qPrintable(TAboutBox::pageUrl().toLocalFile()),
                    qPrintable(store ? store->settingsFile() : QString()));
        std::fflush(stdout);
        QCoreApplication::exit(*failed ? 1 : 0);
    });
}

} // namespace wordhoard
