// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The reading aids' menus and the list of keys that Help shows.
#include "aids/ReadingAids.h"

#include "window/MainForm.h"
#include "window/PageImageView.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace wordhoard {

ReadingAids::ReadingAids(TMainForm& form) : m_form(form) {
    setObjectName(QStringLiteral("ReadingAids"));
    // A Go menu between View and Help.
    m_goMenu = new QMenu(tr("&Go"), m_form.menuBar());
    m_goMenu->setObjectName(QStringLiteral("Go1"));
    m_form.menuBar()->insertMenu(menu("Help1")->menuAction(), m_goMenu);

    addFolderItems();
    addBackForward();
    addPageTurning();
    addKeyboard();
    addZoom();
    addPageFit();
    addCopying();
    addHelp();
    addTextWatch();
    connect(&m_form, &TMainForm::textOpened, this, [this] { reset(); });
    // One filter over the application's events: the mouse's back and forward buttons work over
    // the whole window, whatever is under them (a list would take the press for itself), and
    // Ctrl+wheel and resizes are caught on their way to the widgets concerned.
    qApp->installEventFilter(this);
}

ReadingAids::~ReadingAids() = default;

QMenu* ReadingAids::menu(const char* objectName) const {
    return m_form.menuBar()->findChild<QMenu*>(QLatin1String(objectName), Qt::FindDirectChildrenOnly);
}

QAction* ReadingAids::addAction(QMenu* menu, const QString& text, const char* objectName,
                                const QList<QKeySequence>& keys, std::function<void()> handler,
                                Qt::ShortcutContext context, QWidget* owner) {
    auto* action = new QAction(text, &m_form);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcuts(keys);
    action->setShortcutContext(context);
    // A shortcut works only where its action is added: the window, or the widget that owns it.
    (owner ? owner : &m_form)->addAction(action);
    if (menu) menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { m_form.guarded(handler); });
    m_listed.push_back(action);
    return action;
}

bool ReadingAids::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusOut:
        if (watched == m_form.searchField()) settleTyping();
        break;
    case QEvent::MouseButtonPress: {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button != Qt::BackButton && button != Qt::ForwardButton) break;
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != &m_form) break;
        m_form.guarded([&] { button == Qt::BackButton ? goBack() : goForward(); });
        return true;
    }
    case QEvent::Wheel:
        if (watched == m_form.entryPane()->viewport()) return wheelZoom(event, &ReadingAids::zoomStepBy);
        if (watched == m_form.pagePicture() || watched == m_form.pageScroller()->viewport()) {
            return wheelZoom(event, &ReadingAids::zoomPageBy);
        }
        break;
    case QEvent::Resize:
        if (watched == m_form.pageScroller() && m_pageFit == PageFit::Width) m_form.guarded([&] { applyPageFit(); });
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void ReadingAids::addHelp() {
    QMenu* help = menu("Help1");
    QAction* list = addAction(nullptr, tr("&Keyboard Shortcuts"), "HelpKeyboardShortcuts",
                              {QKeySequence(Qt::Key_F1)}, [this] { showShortcutList(); });
    help->insertAction(help->actions().value(0), list);
}

std::vector<std::pair<QString, QString>> ReadingAids::shortcutList() const {
    std::vector<std::pair<QString, QString>> list;
    for (const QAction* action : m_listed) {
        QStringList keys;
        for (const QKeySequence& key : action->shortcuts()) keys << key.toString(QKeySequence::NativeText);
        QString what = action->text().remove(u'&');
        if (what.endsWith(u"...")) what.chop(3);
        if (const QString where = action->property(kWhere).toString(); !where.isEmpty()) what += tr(" (%1)").arg(where);
        list.emplace_back(what, keys.join(tr(" or ")));
    }
    list.insert(list.end(), m_hints.begin(), m_hints.end());
    list.emplace_back(tr("Copy Headword (in a list)"), QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText));
    list.emplace_back(tr("Back and Forward"), tr("the mouse's back and forward buttons"));
    list.emplace_back(tr("Zoom the entry text and the lists"), tr("Ctrl+wheel over the text"));
    list.emplace_back(tr("Zoom the page"), tr("Ctrl+wheel over the page"));
    list.emplace_back(tr("The text's menu (Copy, Select All, Copy Entry with Citation, Favourite)"),
                      tr("Menu or Shift+F10 in the text"));
    return list;
}

void ReadingAids::showShortcutList() {
    if (!m_shortcutDialog) {
        m_shortcutDialog = new QDialog(&m_form);
        m_shortcutDialog->setObjectName(QStringLiteral("KeyboardShortcuts"));
        m_shortcutDialog->setWindowTitle(tr("Keyboard Shortcuts"));
        auto* text = new QTextBrowser(m_shortcutDialog);
        text->setObjectName(QStringLiteral("ShortcutText"));
        text->setAccessibleName(tr("Keyboard shortcuts"));
        // Two pairs of columns, the first half of the list on the left: the list stays short
        // enough to be read whole without scrolling.
        const auto list = shortcutList();
        const std::size_t rows = (list.size() + 1) / 2;
        const auto cells = [&](std::size_t k) {
            if (k >= list.size()) return QStringLiteral("<td></td><td></td>");
            return QStringLiteral("<td>%1</td><td><b>%2</b></td>")
                .arg(list[k].first.toHtmlEscaped(), list[k].second.toHtmlEscaped());
        };
        QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">");
        for (std::size_t row = 0; row < rows; ++row) {
            html += QStringLiteral("<tr>%1<td width=\"16\"></td>%2</tr>").arg(cells(row), cells(row + rows));
        }
        text->setHtml(html + QStringLiteral("</table>"));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_shortcutDialog);
        connect(buttons, &QDialogButtonBox::rejected, m_shortcutDialog, &QDialog::hide);
        auto* layout = new QVBoxLayout(m_shortcutDialog);
        layout->addWidget(text);
        layout->addWidget(buttons);
        // As large as the table, so that no scroll bar shows, unless the screen is smaller.
        // Wide enough that no cell wraps: the widest text of each column, its padding, the gap
        // and the document's margins.
        const QFontMetrics plain(text->font());
        QFont boldFont = text->font();
        boldFont.setBold(true);
        const QFontMetrics bold(boldFont);
        int width = 16 + 8 * 3 + 2 * static_cast<int>(text->document()->documentMargin()) + 4;
        for (const std::size_t first : {std::size_t{0}, rows}) {
            int whatWidth = 0;
            int keysWidth = 0;
            for (std::size_t k = first; k < std::min(first + rows, list.size()); ++k) {
                whatWidth = std::max(whatWidth, plain.horizontalAdvance(list[k].first));
                keysWidth = std::max(keysWidth, bold.horizontalAdvance(list[k].second));
            }
            width += whatWidth + keysWidth;
        }
        // Measured on a copy: the browser lays its own document out at its present width.
        QTextDocument measured;
        measured.setDefaultFont(text->font());
        measured.setHtml(text->toHtml());
        measured.setTextWidth(width);
        const QSize table = measured.size().toSize() + QSize(1, 1);
        const int frame = 2 * text->frameWidth();
        const QMargins margins = layout->contentsMargins();
        QSize wanted(table.width() + frame + margins.left() + margins.right(),
                     table.height() + frame + layout->spacing() + buttons->sizeHint().height() + margins.top() +
                         margins.bottom());
        if (const QScreen* screen = m_form.screen()) wanted = wanted.boundedTo(screen->availableSize() * 9 / 10);
        m_shortcutDialog->resize(wanted);
    }
    // Not modal: it may stay open beside the window while the reader tries the keys.
    m_shortcutDialog->show();
    m_shortcutDialog->raise();
    m_shortcutDialog->activateWindow();
}

} // namespace wordhoard
