// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

namespace wordhoard {

// The serif face that stands in for Times New Roman (same widths, so the design's boxes fit) on the splash and in the about box.
inline constexpr const char* kSerifFace = "Liberation Serif"; // metric-compatible with Times New Roman

// A font by character height (negative, as the design gives most of them: the em size in pixels)
// or by cell height (positive: the whole line, of which the em is about five sixths).
inline QFont designFont(const char* face, int height, bool bold = false, bool italic = false) {
    QFont font{QString::fromLatin1(face)};
    font.setPixelSize(height < 0 ? -height : height * 5 / 6);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// Widens a label standing in its design box when the stand-in font draws its text wider, about
// its centre when it is centred, so that nothing is clipped (as a label that sizes itself to its
// text would). Growing once is enough: a second call finds the text fits.
inline void growToFit(QLabel* label) {
    QRect geometry = label->geometry();
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
    if (needed <= geometry.width()) return;
    const int grow = needed - geometry.width();
    geometry.setWidth(needed);
    if (label->alignment() & Qt::AlignHCenter) geometry.translate(-grow / 2, 0);
    label->setGeometry(geometry);
}

// When a placed label is fitted to its text: at once, or when its window is first shown (by the
// window's showEvent), which spares a window made at start-up but seldom opened from loading
// its fonts then.
enum class Fit { Now, WhenShown };

// A transparent label at its design place, fitted to its text.
inline QLabel* placedLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, const QFont& font,
                           Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop, Fit fit = Fit::Now) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setGeometry(geometry);
    if (fit == Fit::Now) growToFit(label);
    return label;
}

} // namespace wordhoard
