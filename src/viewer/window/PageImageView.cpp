// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/PageImageView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <exception>

namespace wordhoard {

PageImageView::PageImageView(QWidget* parent) : QWidget(parent) {
    resize(634, 373);
}

PageImageView::~PageImageView() = default;

void PageImageView::setStretch(bool on) {
    m_stretch = on;
    update();
}

void PageImageView::setAutoSize(bool on) {
    m_autoSize = on;
    applyAutoSize();
}

void PageImageView::setNotice(const QString& notice) {
    m_notice = notice;
    update();
}

void PageImageView::setPicture(std::unique_ptr<PagePicture> picture) {
    m_picture = std::move(picture);
    m_notice.clear();
    m_pixmap = QPixmap();
    m_scaled = QPixmap();
    applyAutoSize();
    update();
    emit pictureChanged();
}

void PageImageView::applyAutoSize() {
    if (m_autoSize && m_picture) resize(m_picture->size());
}

QSize PageImageView::sizeHint() const {
    return m_picture ? m_picture->size() : QSize(634, 373);
}

void PageImageView::paintEvent(QPaintEvent*) {
    if (!m_picture) {
        if (m_notice.isEmpty()) return;
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_notice);
        return;
    }
    const QImage* image = nullptr;
    try {
        image = &m_picture->pixels();
    } catch (const std::exception& e) {
        // Reported after the paint, never from inside it; the picture keeps what was decoded.
        const QString message = QString::fromUtf8(e.what());
        QTimer::singleShot(0, this, [this, message] { emit decodeFailed(message); });
        image = &m_picture->pixels();
    }
    if (image->isNull()) return;
    if (m_pixmap.isNull()) m_pixmap = QPixmap::fromImage(*image);
    QPainter painter(this);
    if (m_stretch && (width() > m_pixmap.width() || height() > m_pixmap.height())) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), m_pixmap);
    } else if (m_stretch) {
        if (m_scaled.size() != size()) {
            m_scaled = m_pixmap.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        painter.drawPixmap(QPoint(0, 0), m_scaled);
    } else {
        painter.drawPixmap(QPoint(0, 0), m_pixmap);
    }
}

void PageImageView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QWidget::mousePressEvent(event);
}

} // namespace wordhoard
