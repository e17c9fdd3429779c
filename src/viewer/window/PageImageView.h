// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <memory>

namespace wordhoard {

// What the page view draws: a picture whose size is known at once and whose pixels may be
// decoded only when first drawn. pixels() may throw once; afterwards it returns what it has.
class PagePicture {
public:
    virtual ~PagePicture() = default;
    virtual QSize size() const = 0;
    virtual const QImage& pixels() = 0;
};

// Image1: draws one page picture, either scaled to fill its bounds (Stretch) or at its own pixel
// size with the widget taking that size (AutoSize). Decoding happens on the first paint; a
// decoding fault is reported once through decodeFailed(), after the paint.
class PageImageView : public QWidget {
    Q_OBJECT
public:
    explicit PageImageView(QWidget* parent = nullptr);
    ~PageImageView() override;

    bool stretch() const { return m_stretch; }
    bool autoSize() const { return m_autoSize; }
    void setStretch(bool on);
    void setAutoSize(bool on);
    // Replaces the picture; in natural mode the widget takes the new picture's size.
    void setPicture(std::unique_ptr<PagePicture> picture);
    PagePicture* picture() const { return m_picture.get(); }
    // A quiet line drawn while there is no picture ("no scan for page wh_b0003"); a picture
    // clears it.
    void setNotice(const QString& notice);
    QString notice() const { return m_notice; }

    QSize sizeHint() const override;

signals:
    void clicked();
    // A new picture (or none) replaced the one shown.
    void pictureChanged();
    void decodeFailed(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void applyAutoSize();

    std::unique_ptr<PagePicture> m_picture;
    // The decoded picture made ready to draw once, and scaled once per size of the widget: a page
    // scan is millions of pixels, too many to convert and scale on every paint. A picture made
    // larger than its own size is drawn scaled, part by part as painted, instead: a page zoomed
    // to 400% would be hundreds of megabytes.
    QPixmap m_pixmap;
    QPixmap m_scaled;
    QString m_notice;
    bool m_stretch = true;
    bool m_autoSize = false;
};

} // namespace wordhoard
