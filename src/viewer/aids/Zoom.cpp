// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Zoom of the entry text and both lists together; list rows follow their font.
#include "aids/ReadingAids.h"

#include "window/ListBox.h"
#include "window/MainForm.h"
#include "reading/ZoomSteps.h"

#include <QAction>
#include <QMenu>
#include <QTextDocument>
#include <QTextEdit>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace wordhoard {

namespace {

// `base` at `percent` of its size, in the unit it was given in (the design font in pixels, a
// View > Font choice in points).
QFont scaled(QFont base, int percent) {
    if (base.pixelSize() > 0) {
        base.setPixelSize(std::max(1, static_cast<int>(std::lround(base.pixelSize() * percent / 100.0))));
    } else if (base.pointSizeF() > 0) {
        base.setPointSizeF(base.pointSizeF() * percent / 100.0);
    }
    return base;
}

} // namespace

void ReadingAids::addZoom() {
    m_paneBase = m_form.entryPane()->font();
    m_list1Base = m_form.wordList()->font();
    m_list2Base = m_form.hitList()->font();
    QMenu* view = menu("View1");
    view->addSeparator();
    // Ctrl+= too, for keyboards whose plus needs Shift on the same key.
    m_zoomIn = addAction(view, tr("Zoom &In"), "ViewZoomIn",
                         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                         [this] { zoomStepBy(1); });
    m_zoomOut = addAction(view, tr("Zoom &Out"), "ViewZoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
                          [this] { zoomStepBy(-1); });
    addAction(view, tr("&Actual Size"), "ViewActualSize", {QKeySequence(Qt::CTRL | Qt::Key_0)},
              [this] { setZoom(100); });
    // A choice made with View > Font is the new base.
    connect(&m_form, &TMainForm::fontChosen, this, [this] { m_form.guarded([&] { takeFontChoice(); }); });
}

void ReadingAids::setZoom(int percent) {
    m_zoom = std::clamp(percent, kMinZoom, kMaxZoom);
    applyZoom();
}

void ReadingAids::zoomStepBy(int direction) { setZoom(zoomStep(m_zoom, direction, kMinZoom, kMaxZoom)); }

void ReadingAids::applyZoom() {
    QTextEdit* pane = m_form.entryPane();
    const QFont applied = scaled(m_paneBase, m_zoom);
    pane->setFont(applied);
    // The document's runs carry weight, slant and colour but no size: it is laid out again at
    // its new default font.
    pane->document()->setDefaultFont(applied);
    m_form.wordList()->setFont(scaled(m_list1Base, m_zoom));
    m_form.hitList()->setFont(scaled(m_list2Base, m_zoom));
    m_zoomIn->setEnabled(m_zoom < kMaxZoom);
    m_zoomOut->setEnabled(m_zoom > kMinZoom);
}

void ReadingAids::takeFontChoice() {
    m_paneBase = m_form.entryPane()->font();
    m_list1Base = m_form.wordList()->font();
    m_list2Base = m_form.hitList()->font();
    m_zoom = 100;
    m_zoomIn->setEnabled(true);
    m_zoomOut->setEnabled(true);
}

bool ReadingAids::wheelZoom(QEvent* event, void (ReadingAids::*step)(int)) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
    // A notch is 120; finer wheels and touch pads send parts of one.
    m_wheelRest += wheel->angleDelta().y();
    while (std::abs(m_wheelRest) >= 120) {
        const int direction = m_wheelRest > 0 ? 1 : -1;
        m_wheelRest -= direction * 120;
        m_form.guarded([&] { (this->*step)(direction); });
    }
    return true;
}

} // namespace wordhoard
