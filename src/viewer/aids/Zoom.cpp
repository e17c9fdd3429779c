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
    m_paneBase = m_form.TntRichEdit1->font();
    m_list1Base = m_form.TntListBox1->font();
    m_list2Base = m_form.TntListBox2->font();
    m_paneApplied = m_paneBase;
    QMenu* view = menu("View1");
    view->addSeparator();
    // Ctrl+= too, for keyboards whose plus needs Shift on the same key.
    m_zoomIn = addAction(view, QStringLiteral("Zoom &In"), "ViewZoomIn",
                         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                         [this] { zoomStepBy(1); });
    m_zoomOut = addAction(view, QStringLiteral("Zoom &Out"), "ViewZoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
                          [this] { zoomStepBy(-1); });
    addAction(view, QStringLiteral("&Actual Size"), "ViewActualSize", {QKeySequence(Qt::CTRL | Qt::Key_0)},
              [this] { setZoom(100); });
    // View > Font is handled first (connected earlier): a choice made there is the new base.
    connect(m_form.Action11, &QAction::triggered, this, [this] { guarded([&] { takeFontChoice(); }); });
}

void ReadingAids::setZoom(int percent) {
    m_zoom = std::clamp(percent, kMinZoom, kMaxZoom);
    applyZoom();
}

void ReadingAids::zoomStepBy(int direction) { setZoom(zoomStep(m_zoom, direction, kMinZoom, kMaxZoom)); }

void ReadingAids::applyZoom() {
    QTextEdit* pane = m_form.TntRichEdit1;
    m_paneApplied = scaled(m_paneBase, m_zoom);
    pane->setFont(m_paneApplied);
    // The document's runs carry weight, slant and colour but no size: it is laid out again at
    // its new default font.
    pane->document()->setDefaultFont(m_paneApplied);
    m_form.TntListBox1->setFont(scaled(m_list1Base, m_zoom));
    m_form.TntListBox2->setFont(scaled(m_list2Base, m_zoom));
    m_zoomIn->setEnabled(m_zoom < kMaxZoom);
    m_zoomOut->setEnabled(m_zoom > kMinZoom);
}

void ReadingAids::takeFontChoice() {
    if (m_form.TntRichEdit1->font() == m_paneApplied) return; // the dialog was cancelled
    m_paneBase = m_form.TntRichEdit1->font();
    m_list1Base = m_form.TntListBox1->font();
    m_list2Base = m_form.TntListBox2->font();
    m_paneApplied = m_paneBase;
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
        guarded([&] { (this->*step)(direction); });
    }
    return true;
}

} // namespace wordhoard
