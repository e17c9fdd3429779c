// Turning the scanned pages on the Image tab, in the order of the text's page markers.
#include "aids/ReadingAids.h"

#include "text/CodePage.h"
#include "window/MainForm.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QTabWidget>

namespace wordhoard {

void ReadingAids::addPageTurning() {
    m_goMenu->addSeparator();
    // The keys work while the focus is on the Image tab (its picture or its tab); elsewhere
    // PageDown, PageUp and Home keep their usual meaning.
    const auto pageAction = [this](const QString& text, const char* name, Qt::Key key, std::function<void()> handler) {
        QAction* action = addAction(m_goMenu, text, name, {QKeySequence(key)}, std::move(handler),
                                    Qt::WidgetWithChildrenShortcut, m_form.PageControl2);
        action->setProperty(kWhere, QStringLiteral("on the Image tab"));
        m_pageActions.push_back(action);
    };
    pageAction(QStringLiteral("&Next Page"), "GoNextPage", Qt::Key_PageDown, [this] { turnPage(1); });
    pageAction(QStringLiteral("&Previous Page"), "GoPreviousPage", Qt::Key_PageUp, [this] { turnPage(-1); });
    pageAction(QStringLiteral("&Entry's Page"), "GoEntryPage", Qt::Key_Home, [this] { showEntryPage(); });
    connect(m_form.PageControl2, &QTabWidget::currentChanged, this, [this](int page) {
        updatePageActions();
        // Clicked to the front, the Image tab takes the focus from the text pane it hides, so
        // that its keys work at once; a focus elsewhere (a list, the search field) stays.
        QWidget* focus = m_form.focusWidget();
        if (page == 1 && (!focus || m_form.PageControl2->isAncestorOf(focus))) {
            m_form.ScrollBox1->setFocus(Qt::OtherFocusReason);
        }
    });
}

void ReadingAids::updatePageActions() {
    const bool imageInFront = m_form.PageControl2->currentIndex() == 1;
    for (QAction* action : m_pageActions) action->setEnabled(imageInFront);
}

const PageOrder& ReadingAids::pageOrder() {
    if (!m_pageOrder) m_pageOrder = PageOrder(m_form.unit().text->bytes());
    return *m_pageOrder;
}

void ReadingAids::turnPage(int direction) {
    // From the page last asked for: a page whose picture is missing counts as turned to (the
    // previous picture stays, as for an entry on such a page).
    const QByteArray& current = m_form.unit().LastImage;
    const std::optional<QByteArray> page = direction > 0 ? pageOrder().next(current) : pageOrder().previous(current);
    if (page) m_form.Load_Image(*page);
}

void ReadingAids::showEntryPage() { m_form.Load_Image(narrow(m_form.StatusPanel1->text()).value_or(QByteArray())); }

} // namespace wordhoard
