// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Fit width and zoom of the page picture, beside the documented click that switches natural and
// stretched size. Both are stretched pictures whose bounds keep the page's aspect ratio, so the
// click leaves them for the natural size as it leaves the stretched one.
#include "aids/ReadingAids.h"

#include "window/MainForm.h"
#include "window/PageImageView.h"
#include "reading/ZoomSteps.h"

#include <QAction>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace wordhoard {

void ReadingAids::addPageFit() {
    QMenu* view = menu("View1");
    view->addSeparator();
    const auto pageAction = [this, view](const QString& text, const char* name, const QList<QKeySequence>& keys,
                                         std::function<void()> handler) {
        QAction* action = addAction(view, text, name, keys, std::move(handler), Qt::WidgetWithChildrenShortcut,
                                    m_form.entryTabs());
        action->setProperty(kWhere, tr("on the Image tab"));
        m_pageActions.push_back(action);
    };
    pageAction(tr("Fit Page &Width"), "ViewFitPageWidth", {QKeySequence(Qt::Key_W)},
               [this] { fitPageWidth(); });
    pageAction(tr("Zoom &Page In"), "ViewZoomPageIn", {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)},
               [this] { zoomPageBy(1); });
    pageAction(tr("Zoom Pa&ge Out"), "ViewZoomPageOut", {QKeySequence(Qt::Key_Minus)},
               [this] { zoomPageBy(-1); });
    // What a click on the picture does.
    pageAction(tr("&Natural or Stretched Page"), "ViewNaturalOrStretched", {QKeySequence(Qt::Key_Space)},
               [this] { m_form.Image1Click(); });
    updatePageActions();

    // The click and the key that does the same end the fit.
    connect(&m_form, &TMainForm::pictureClicked, this, [this] { m_pageFit = PageFit::Click; });
    connect(m_form.pagePicture(), &PageImageView::pictureChanged, this, [this] { m_form.guarded([&] { applyPageFit(); }); });
}

void ReadingAids::fitPageWidth() {
    m_pageFit = PageFit::Width;
    applyPageFit();
}

void ReadingAids::setPageFit(PageFit fit, double scale) {
    m_pageFit = fit;
    m_pageScale = std::clamp(scale, kMinPageZoom / 100.0, kMaxPageZoom / 100.0);
    applyPageFit();
}

void ReadingAids::zoomPageBy(int direction) {
    PageImageView* image = m_form.pagePicture();
    if (!image->picture() || image->picture()->size().isEmpty()) return;
    // From the scale shown, whatever the mode: natural is 100%, a fitted width lies between rungs.
    const double shown = static_cast<double>(image->width()) / image->picture()->size().width();
    const int percent = zoomStep(static_cast<int>(std::lround(shown * 100)), direction, kMinPageZoom, kMaxPageZoom);
    m_pageFit = PageFit::Scale;
    m_pageScale = percent / 100.0;
    applyPageFit();
}

void ReadingAids::applyPageFit() {
    PageImageView* image = m_form.pagePicture();
    if (m_pageFit == PageFit::Click || !image->picture() || image->picture()->size().isEmpty()) return;
    const QSize picture = image->picture()->size();
    QSize bounds;
    if (m_pageFit == PageFit::Width) {
        // The room without scroll bars; a page taller than that needs the vertical bar's width.
        const QSize room = m_form.pageScroller()->maximumViewportSize();
        const auto heightFor = [&](int width) {
            return static_cast<int>(std::lround(static_cast<double>(width) * picture.height() / picture.width()));
        };
        int width = room.width();
        if (heightFor(width) > room.height()) {
            width -= m_form.pageScroller()->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_form.pageScroller());
        }
        width = std::max(width, 1);
        bounds = QSize(width, std::max(heightFor(width), 1));
    } else {
        bounds = QSize(std::max(1, static_cast<int>(std::lround(picture.width() * m_pageScale))),
                       std::max(1, static_cast<int>(std::lround(picture.height() * m_pageScale))));
    }
    image->setStretch(true);
    image->setAutoSize(false);
    image->resize(bounds);
}

} // namespace wordhoard
