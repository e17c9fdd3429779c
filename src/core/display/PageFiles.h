// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace wordhoard {

// A dictionary folder holds the text and the page pictures:
//   ""        gives "txt/WH-main_01.txt"        (the working directory, as relative paths)
//   "/d/oe"   gives "/d/oe/txt/WH-main_01.txt"
QString dictionaryTextPath(const QString& folder);

// The page picture of page "wh_b0001" is img/wh_b0001.jpg in the dictionary folder (the
// working directory when `folder` is empty).
//
// A page name is a plain file name: one holding '/', '\', a NUL or ".." names no file (it would
// reach outside img/), and is treated as a page whose picture is missing.
std::optional<QString> pageImagePath(const QString& folder, QByteArrayView name);

// What one request for a page picture does under the one-name cache. An empty request stands for
// the first page, "wh_b0001". A file is loaded only when the page differs from the one asked for
// last and its picture is there:
//   ("wh_b0002", last "wh_b0001")  gives name "wh_b0002" and its file, when present
//   ("wh_b0002", last "wh_b0002")  gives name "wh_b0002" and no file
// The caller loads the file and then makes `name` the last page asked for (a load that fails
// leaves the last name as it was, so the next request tries again).
struct PageLoad {
    QByteArray name;
    std::optional<QString> file;
};
PageLoad planPageLoad(QByteArrayView requested, QByteArrayView lastImage, const QString& folder);

} // namespace wordhoard
