// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The links of the entry shown: drawn over the designed display, hovered, clicked, stepped
// through with keys and followed.
#include "links/EntryLinks.h"

#include "Dictionary.h"
#include "aids/BackgroundIndexes.h"
#include "aids/ReadingAids.h"
#include "language/FirstGloss.h"
#include "text/CodePage.h"
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/MainForm.h"
#include "window/PageImageView.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

namespace wordhoard {

EntryLinks::EntryLinks(TMainForm& form) : QObject(&form), m_form(form) {
    setObjectName(QStringLiteral("EntryLinks"));
    buildActions();
    buildPanel();
    const auto refresh = [this] {
        m_form.guarded([&] {
            draw();
            updatePanel();
        });
    };
    connect(&m_form, &TMainForm::entryDisplayed, this, refresh);
    connect(&m_form.backgroundIndexes(), &BackgroundIndexes::linksReady, this, refresh);
    connect(&m_form, &TMainForm::textOpened, this, refresh);
    m_pane = m_form.entryPane();
    m_paneViewport = m_pane->viewport();
    m_pane->installEventFilter(this);
    m_paneViewport->setMouseTracking(true);
    m_paneViewport->installEventFilter(this);
}

EntryLinks::~EntryLinks() = default;

void EntryLinks::buildActions() {
    ReadingAids& aids = m_form.readingAids();
    QMenu* go = m_form.menuBar()->findChild<QMenu*>(QStringLiteral("Go1"), Qt::FindDirectChildrenOnly);
    const auto add = [&](const QString& text, const char* name, QList<QKeySequence> keys, auto handler) {
        auto* action = new QAction(text, &m_form);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, [this, handler] { m_form.guarded(handler); });
        aids.listAction(action);
        return action;
    };
    // F4 beside F3 (the marks): no designed key, no key of the other additions and no standard
    // key of Qt's on any platform uses it.
    m_next = add(tr("Next &Link"), "GoNextLink", {QKeySequence(Qt::Key_F4)}, [this] { selectLink(1); });
    m_previous = add(tr("Previous Lin&k"), "GoPreviousLink", {QKeySequence(Qt::SHIFT | Qt::Key_F4)},
                     [this] { selectLink(-1); });
    for (QAction* action : {m_next, m_previous}) {
        m_form.addAction(action);
        if (go) go->addAction(action);
    }
    // Enter in the pane, where it did nothing, while a link is selected (eventFilter): no shortcut,
    // which would take Enter from the pane whatever it holds.
    aids.listHint(tr("Follow the Selected Link (in the text)"),
                  QKeySequence(Qt::Key_Enter).toString(QKeySequence::NativeText));
}

void EntryLinks::draw() {
    m_shown.clear();
    m_pressed.reset();
    m_drawnFor = m_form.unit().dictionary;
    const std::optional<std::int32_t> start = m_form.shownEntry();
    const LinkIndex* links = m_drawnFor->linksIfMade();
    if (!start || !links) return;
    const std::span<const LinkIndex::Link> of = links->linksOf(*start);
    if (of.empty()) return;
    QTextEdit* pane = m_form.entryPane();
    const QColor colour = pane->palette().color(QPalette::Link);
    QTextCursor cursor(pane->document());
    std::vector<std::pair<int, int>> plain; // the parts of a link without a colour of their own
    for (const LinkIndex::Link& link : of) {
        const int from = m_form.screenPosition(link.pos);
        const int to = m_form.screenPosition(link.pos + link.len);
        if (from < 0 || to <= from) continue;
        m_shown.push_back({from, to, link});
        // Underlined throughout; coloured where the designed display gave no colour, so that a
        // red search mark stays red.
        plain.clear();
        for (QTextBlock block = pane->document()->findBlock(from); block.isValid() && block.position() < to;
             block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int a = std::max(from, fragment.position());
                const int b = std::min(to, fragment.position() + fragment.length());
                if (a < b && !fragment.charFormat().hasProperty(QTextFormat::ForegroundBrush)) {
                    plain.emplace_back(a, b);
                }
            }
        }
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(underline);
        QTextCharFormat coloured;
        coloured.setForeground(colour);
        for (const auto& [a, b] : plain) {
            cursor.setPosition(a);
            cursor.setPosition(b, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(coloured);
        }
    }
}

const EntryLinks::Shown* EntryLinks::linkAtPosition(int at) const {
    const auto it = std::upper_bound(m_shown.begin(), m_shown.end(), at,
                                     [](int position, const Shown& s) { return position < s.from; });
    if (it == m_shown.begin()) return nullptr;
    const Shown& before = *(it - 1);
    return at < before.to ? &before : nullptr;
}

const EntryLinks::Shown* EntryLinks::linkAt(QPoint point) const {
    if (m_shown.empty()) return nullptr;
    const QTextEdit* pane = m_form.entryPane();
    const QPointF inDocument(point.x() + pane->horizontalScrollBar()->value(),
                             point.y() + pane->verticalScrollBar()->value());
    const int at = pane->document()->documentLayout()->hitTest(inDocument, Qt::ExactHit);
    return at < 0 ? nullptr : linkAtPosition(at);
}

bool EntryLinks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panelRow && event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        // A new width wraps the list anew; a new height is the row's own doing.
        if (resize->size().width() != resize->oldSize().width()) m_form.guarded([&] { updatePanel(); });
    }
    if (watched == m_pane && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            bool followed = false;
            m_form.guarded([&] { followed = followSelected(); });
            return followed;
        }
    }
    if (watched != m_paneViewport) return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() == Qt::NoButton && !m_shown.empty()) {
            auto* viewport = static_cast<QWidget*>(watched);
            viewport->setCursor(linkAt(mouse->position().toPoint()) ? Qt::PointingHandCursor
                                                                    : Qt::IBeamCursor);
        }
        break;
    }
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        const Shown* link = linkAt(help->pos());
        if (!link) break;
        QString text;
        m_form.guarded([&] { text = describe(link->link); });
        QToolTip::showText(help->globalPos(), text, static_cast<QWidget*>(watched));
        return true;
    }
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressed.reset();
        // A plain click only: Ctrl+click and the other buttons keep their own meaning.
        if (mouse->button() != Qt::LeftButton || mouse->modifiers() != Qt::NoModifier) break;
        m_pressPoint = mouse->position().toPoint();
        if (const Shown* link = linkAt(m_pressPoint)) m_pressed = static_cast<int>(link - m_shown.data());
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const std::optional<int> pressed = std::exchange(m_pressed, std::nullopt);
        if (!pressed || mouse->button() != Qt::LeftButton) break;
        // A drag selects, as it always did; only a click that stayed put follows.
        const QPoint at = mouse->position().toPoint();
        if ((at - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) break;
        const Shown* link = linkAt(at);
        if (!link || link - m_shown.data() != *pressed) break;
        // Once the pane has finished with the click: following replaces its document.
        QTimer::singleShot(0, this, [this, target = link->link] { m_form.guarded([&] { follow(target); }); });
        break;
    }
    case QEvent::ContextMenu: {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        m_menuAt.reset();
        if (menu->reason() == QContextMenuEvent::Mouse) {
            if (const Shown* link = linkAt(menu->pos())) m_menuAt = link->from;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void EntryLinks::follow(const LinkIndex::Link& link) {
    if (link.isPage()) {
        m_form.readingAids().turnToPage(narrow(link.page).value_or(QByteArray()));
        return;
    }
    showEntry(link.target);
}

void EntryLinks::showEntry(std::int32_t start) {
    ReadingAids& aids = m_form.readingAids();
    // A text changed on disk is read again first, and shows the entry asked for.
    if (aids.checkText(start) != ReadingAids::TextCheck::Current) return;
    // As a click in the word list: its tab in front (no search marks), its line selected where
    // the list is in file order.
    m_form.listTabs()->setCurrentIndex(0);
    const auto& starts = m_form.unit().EntryOffsets().offsets;
    const auto found = std::lower_bound(starts.begin(), starts.end(), start);
    int row = -1;
    if (found != starts.end() && *found == start && !m_form.wordListModel->sorted()) {
        row = static_cast<int>(found - starts.begin());
    }
    ListBox* list = m_form.wordList();
    list->selectRow(row);
    if (row >= 0) list->scrollTo(list->model()->index(row, 0));
    m_form.showEntry(start);
    aids.entryShown(start, 0);
    if (!m_form.pagePicture()->isHidden()) m_form.Load_Image(m_form.shownPage());
}

bool EntryLinks::selectLink(int direction) {
    if (m_shown.empty()) return false;
    QTextEdit* pane = m_form.entryPane();
    m_form.entryTabs()->setCurrentIndex(0);
    pane->setFocus(Qt::ShortcutFocusReason);
    const QTextCursor now = pane->textCursor();
    const auto count = static_cast<int>(m_shown.size());
    int next = -1;
    for (int k = 0; k < count; ++k) {
        if (m_shown[k].from == now.selectionStart() && m_shown[k].to == now.selectionEnd()) {
            next = (k + direction + count) % count;
        }
    }
    if (next < 0 && direction > 0) {
        // The first link at or after the caret, else round to the first.
        const auto it = std::find_if(m_shown.begin(), m_shown.end(),
                                     [&](const Shown& s) { return s.from >= now.selectionStart(); });
        next = it == m_shown.end() ? 0 : static_cast<int>(it - m_shown.begin());
    } else if (next < 0) {
        const auto it = std::find_if(m_shown.rbegin(), m_shown.rend(),
                                     [&](const Shown& s) { return s.to <= now.selectionEnd(); });
        next = it == m_shown.rend() ? count - 1 : static_cast<int>(m_shown.rend() - it) - 1;
    }
    QTextCursor cursor(pane->document());
    cursor.setPosition(m_shown[static_cast<std::size_t>(next)].from);
    cursor.setPosition(m_shown[static_cast<std::size_t>(next)].to, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor); // which scrolls the pane to it
    return true;
}

bool EntryLinks::followSelected() {
    const QTextCursor now = m_form.entryPane()->textCursor();
    const Shown* link = now.hasSelection() ? linkAtPosition(now.selectionStart()) : nullptr;
    if (!link || link->to != now.selectionEnd()) return false;
    follow(link->link);
    return true;
}

QString EntryLinks::headwordOf(std::int32_t start) const {
    const EntryIndex& index = m_form.dictionary().index();
    const auto found = std::lower_bound(index.offsets.begin(), index.offsets.end(), start);
    if (found == index.offsets.end() || *found != start) return {};
    return index.headword(found - index.offsets.begin());
}

QString EntryLinks::glossOf(std::int32_t start) const {
    return firstGloss(m_form.dictionary().text(), start);
}

QString EntryLinks::describe(const LinkIndex::Link& link) const {
    if (link.isPage()) return tr("Page %1: click to see its scan on the Image tab").arg(link.page);
    const auto line = [&](std::int32_t start) {
        const QString gloss = glossOf(start);
        return QStringLiteral("<b>%1</b>%2")
            .arg(headwordOf(start).toHtmlEscaped(),
                 gloss.isEmpty() ? QString() : u' ' + gloss.toHtmlEscaped());
    };
    QString text = line(link.target);
    const LinkIndex* links = m_drawnFor ? m_drawnFor->linksIfMade() : nullptr;
    if (links && !links->homographs(link).empty()) {
        text += QStringLiteral("<br>") + tr("Also (in the text's menu):");
        for (const std::int32_t other : links->homographs(link))
            text += QStringLiteral("<br>") + line(other);
    }
    return text;
}

} // namespace wordhoard
