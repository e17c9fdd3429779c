// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "display/PageFiles.h"

#include "text/CodePage.h"

#include <QDir>
#include <QFileInfo>

namespace wordhoard {

namespace {
constexpr QByteArrayView kFirstPage = "wh_b0001";
} // namespace

QString dictionaryTextPath(const QString& folder) {
    const QString relative = QStringLiteral("txt/WH-main_01.txt");
    return folder.isEmpty() ? relative : QDir(folder).filePath(relative);
}

std::optional<QString> pageImagePath(const QString& folder, QByteArrayView name) {
    if (name.contains('/') || name.contains('\\') || name.contains('\0') || name.contains("..")) return std::nullopt;
    const QString relative = QStringLiteral("img/") + widen(name) + QStringLiteral(".jpg");
    return folder.isEmpty() ? relative : QDir(folder).filePath(relative);
}

PageLoad planPageLoad(QByteArrayView requested, QByteArrayView lastImage, const QString& folder) {
    PageLoad load;
    load.name = (requested.isEmpty() ? kFirstPage : requested).toByteArray();
    if (load.name == lastImage) return load;
    if (const auto path = pageImagePath(folder, load.name)) {
        const QFileInfo file(*path);
        if (file.exists() && !file.isDir()) load.file = path;
    }
    return load;
}

} // namespace wordhoard
