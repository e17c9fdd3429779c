// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What refers to the entry shown: a row under the text pane (View > Referred To By, off at
// first, so the designed layout stays until the reader asks for it) and the pane's context menu.
#include "Dictionary.h"
#include "links/EntryLinks.h"
#include "window/MainForm.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

namespace wordhoard {

namespace {
// The row grows with its list up to this many lines, then scrolls.
constexpr int kPanelLines = 4;
} // namespace

void EntryLinks::buildPanel() {
    m_panel = new QLabel;
    m_panel->setObjectName(QStringLiteral("ReferredToBy"));
    m_panel->setTextFormat(Qt::RichText);
    m_panel->setWordWrap(true);
    m_panel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_panel->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_panel->setFont(m_form.searchField()->font()); // the dictionary font: the headwords' letters
    m_panel->setAccessibleName(tr("Referred to by"));
    m_panel->setAccessibleDescription(tr("The entries that refer to the one shown, each a link"));
    connect(m_panel, &QLabel::linkActivated, this,
            [this](const QString& start) { m_form.guarded([&] { showEntry(start.toInt()); }); });
    m_panelRow = new QScrollArea;
    m_panelRow->setObjectName(QStringLiteral("ReferredToByRow"));
    m_panelRow->setAccessibleName(tr("Referred to by"));
    m_panelRow->setWidget(m_panel);
    m_panelRow->setWidgetResizable(true);
    m_panelRow->setFrameShape(QFrame::NoFrame);
    m_panelRow->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_panelRow->hide();
    m_panelRow->installEventFilter(this);
    // Under the pane, on the Text tab: the pane holds exactly the one entry.
    m_form.TabSheet3->layout()->addWidget(m_panelRow);

    m_panelAction = new QAction(tr("&Referred To By"), &m_form);
    m_panelAction->setObjectName(QStringLiteral("ViewReferredToBy"));
    m_panelAction->setCheckable(true);
    connect(m_panelAction, &QAction::toggled, this, [this](bool on) {
        m_panelRow->setVisible(on);
        m_form.guarded([&] { updatePanel(); });
    });
    if (auto* view =
            m_form.menuBar()->findChild<QMenu*>(QStringLiteral("View1"), Qt::FindDirectChildrenOnly)) {
        view->addSeparator();
        view->addAction(m_panelAction);
    }
}

QString EntryLinks::referrersText() const {
    const std::optional<std::int32_t> start = m_form.shownEntry();
    if (!start) return {};
    const LinkIndex* links = m_form.dictionary().linksIfMade();
    if (!links) return tr("Referred to by: (still being found)");
    const std::span<const std::int32_t> referrers = links->referrers(*start);
    if (referrers.empty()) return tr("Nothing refers to this entry.");
    QStringList names;
    names.reserve(static_cast<qsizetype>(referrers.size()));
    for (const std::int32_t from : referrers) {
        names << QStringLiteral("<a href=\"%1\">%2</a>").arg(from).arg(headwordOf(from).toHtmlEscaped());
    }
    return tr("Referred to by: %1").arg(names.join(QStringLiteral(", ")));
}

void EntryLinks::updatePanel() {
    if (m_panelRow->isHidden()) return;
    m_panel->setText(referrersText());
    // As high as its lines, up to kPanelLines of them.
    const int lines = m_panel->fontMetrics().lineSpacing() * kPanelLines;
    const int width = m_panelRow->width() - m_panelRow->verticalScrollBar()->sizeHint().width();
    m_panelRow->setFixedHeight(std::min(m_panel->heightForWidth(std::max(width, 1)), lines));
}

void EntryLinks::addMenuItems(QMenu* menu) {
    addMenuItems(menu, std::exchange(m_menuAt, std::nullopt));
}

void EntryLinks::addMenuItems(QMenu* menu, std::optional<int> at) {
    const auto goTo = [this](QMenu* into, std::int32_t start, const QString& text) {
        QAction* action = into->addAction(text);
        connect(action, &QAction::triggered, this,
                [this, start] { m_form.guarded([&] { showEntry(start); }); });
    };
    // The link clicked on, or else the one the keys selected: each entry its word names.
    if (!at) {
        const QTextCursor now = m_form.entryPane()->textCursor();
        if (now.hasSelection()) at = now.selectionStart();
    }
    const Shown* link = at ? linkAtPosition(*at) : nullptr;
    const LinkIndex* links = m_form.dictionary().linksIfMade();
    if (link && !link->link.isPage() && links) {
        menu->addSeparator();
        const auto item = [&](std::int32_t start) {
            const QString gloss = glossOf(start);
            return gloss.isEmpty() ? tr("Go to %1").arg(headwordOf(start))
                                   : tr("Go to %1: %2").arg(headwordOf(start), gloss);
        };
        goTo(menu, link->link.target, item(link->link.target));
        for (const std::int32_t other : links->homographs(link->link))
            goTo(menu, other, item(other));
    }

    if (!m_form.shownEntry()) return;
    QMenu* referred = menu->addMenu(tr("Referred To By"));
    referred->setObjectName(QStringLiteral("ReferredToByMenu"));
    referred->menuAction()->setObjectName(QStringLiteral("ReferredToBy"));
    if (!links) {
        referred->addAction(tr("(still being found)"))->setEnabled(false);
        return;
    }
    const std::span<const std::int32_t> referrers = links->referrers(*m_form.shownEntry());
    if (referrers.empty()) referred->addAction(tr("Nothing refers to this entry"))->setEnabled(false);
    for (const std::int32_t from : referrers)
        goTo(referred, from, headwordOf(from));
}

} // namespace wordhoard
