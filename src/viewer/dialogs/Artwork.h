// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

namespace wordhoard {

// A picture bundled into the program (":/art/..."). JPEG pictures go through the same libjpeg
// decoder as the page images; a missing or damaged one gives a null image, never an error box
// during start-up. A JPEG picture makes no QObject, so it may be decoded on any thread, also
// before the application object exists.
QImage bundledPicture(const QString& resource);

} // namespace wordhoard
