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

// A transparent label at its design place. Like a label that sizes itself to its text, it grows
// when the stand-in font draws the text wider than the design box (about its centre when centred),
// so nothing is clipped.
inline QLabel* placedLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, const QFont& font,
                           Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TranslucentBackground);
    const int needed = label->fontMetrics().horizontalAdvance(text) + 1;
    if (needed > geometry.width()) {
        const int grow = needed - geometry.width();
        geometry.setWidth(needed);
        if (alignment & Qt::AlignHCenter) geometry.translate(-grow / 2, 0);
    }
    label->setGeometry(geometry);
    return label;
}

} // namespace wordhoard
