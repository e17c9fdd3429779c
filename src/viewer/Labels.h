#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

namespace wordhoard {

// The serif face that stands in for Times New Roman on the splash and in the about box.
inline constexpr const char* kSerifFace = "DejaVu Serif";

// A font by character height (negative, as the design gives most of them: the em size in pixels)
// or by cell height (positive: the whole line, of which the em is about five sixths).
inline QFont designFont(const char* face, int height, bool bold = false, bool italic = false) {
    QFont font{QString::fromLatin1(face)};
    font.setPixelSize(height < 0 ? -height : height * 5 / 6);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// A transparent label at a fixed place, as the design lays these windows out.
inline QLabel* placedLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, const QFont& font,
                           Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

} // namespace wordhoard
