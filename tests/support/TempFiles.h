// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace wordhoard::testing {

// A temporary folder that tests write dictionary texts and images into; removed afterwards.
class TempDir {
public:
    TempDir();
    QString path(const QString& relative) const;
    // Writes `bytes` to `relative` (creating folders) and returns the full path.
    QString write(const QString& relative, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
};

// The source tree, for the bundled sample and the test data.
QString sourceDir();

// A file of tests/data (as "jpeg/libjpeg-turbo/testorig.jpg"): its full path, and its bytes. A
// missing or unreadable file throws, so a test that needs it fails instead of passing idly.
QString testDataPath(const QString& relative);
QByteArray readTestData(const QString& relative);

// A dictionary of `entries` entries made by tools/gen-corpus with `seed`, written into `dir`;
// throws when the generator fails.
QByteArray generateDictionary(const TempDir& dir, int entries, int seed);

} // namespace wordhoard::testing
