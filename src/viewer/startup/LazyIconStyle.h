// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProxyStyle>

namespace wordhoard {

// The platform's own style, except that the menu bar's overflow arrow is read when it is first
// drawn. Qt makes that icon as the menu bar is created, and reading the picture loads every
// image-format plugin there is (about a millisecond of start-up); the arrow only shows on a
// window too narrow for its menus.
class LazyIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace wordhoard
