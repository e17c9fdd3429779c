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

// The source tree, for the bundled sample and shared test data.
QString sourceDir();

} // namespace wordhoard::testing
