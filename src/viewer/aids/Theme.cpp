// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aids/Theme.h"

#include <QApplication>
#include <QStyle>

namespace wordhoard {

namespace {

const QColor kDesignedMark(240, 0, 0);
const QColor kDarkMark(0xFF, 0x7A, 0x7A); // 6.6:1 on the dark base

QPalette darkPalette() {
    const QColor window(0x2D, 0x2D, 0x2D);
    const QColor base(0x1E, 0x1E, 0x1E);
    const QColor text(0xE6, 0xE6, 0xE6);
    const QColor dimmed(0x9A, 0x9A, 0x9A); // 4.9:1 on the window colour
    QPalette palette(text, QColor(0x38, 0x38, 0x38), QColor(0x4A, 0x4A, 0x4A), QColor(0x1A, 0x1A, 0x1A),
                     QColor(0x30, 0x30, 0x30), text, QColor(0xFF, 0xFF, 0xFF), base, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::AlternateBase, QColor(0x26, 0x26, 0x26));
    palette.setColor(QPalette::Highlight, QColor(0x2F, 0x65, 0xCA));
    palette.setColor(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xFF));
    palette.setColor(QPalette::Link, QColor(0x8A, 0xB4, 0xF8));
    palette.setColor(QPalette::LinkVisited, QColor(0xC5, 0x8A, 0xF9));
    palette.setColor(QPalette::PlaceholderText, QColor(0xA6, 0xA6, 0xA6));
    palette.setColor(QPalette::ToolTipBase, QColor(0x3C, 0x3C, 0x3C));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::BrightText, kDarkMark);
    palette.setColor(QPalette::Shadow, QColor(0x10, 0x10, 0x10));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                           QPalette::PlaceholderText, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Disabled, role, dimmed);
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x44, 0x44, 0x44));
    return palette;
}

} // namespace

QPalette themePalette(ViewerSettings::Theme theme) {
    switch (theme) {
    case ViewerSettings::Theme::Light:
        return QApplication::style()->standardPalette();
    case ViewerSettings::Theme::Dark:
        return darkPalette();
    case ViewerSettings::Theme::System:
        break;
    }
    // A palette that sets no colour: the application takes the platform's (or the style's) own.
    return QPalette();
}

void applyTheme(ViewerSettings::Theme theme) { QApplication::setPalette(themePalette(theme)); }

QColor markColour(const QPalette& palette) {
    return palette.color(QPalette::Base).lightness() < 128 ? kDarkMark : kDesignedMark;
}

} // namespace wordhoard
