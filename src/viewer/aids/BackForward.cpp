// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Back and Forward through the entries shown.
#include "aids/ReadingAids.h"

#include "window/ListBox.h"
#include "window/ListModels.h"
#include "window/MainForm.h"
#include "window/PageImageView.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace wordhoard {

namespace {
// How long typing must pause before the look-up's entry becomes a history step.
constexpr int kTypingPauseMs = 1000;
} // namespace

void ReadingAids::addBackForward() {
    m_back = addAction(m_goMenu, tr("&Back"), "GoBack", {QKeySequence(Qt::ALT | Qt::Key_Left)},
                       [this] { goBack(); });
    m_forward = addAction(m_goMenu, tr("&Forward"), "GoForward", {QKeySequence(Qt::ALT | Qt::Key_Right)},
                          [this] { goForward(); });
    m_typingPause = new QTimer(this);
    m_typingPause->setSingleShot(true);
    m_typingPause->setInterval(kTypingPauseMs);
    connect(m_typingPause, &QTimer::timeout, this, [this] { settleTyping(); });
    updateHistoryActions();
}

void ReadingAids::entryShown(std::int32_t start, int list, bool whileTyping) {
    endPageTurning();
    if (whileTyping) {
        m_typed = Visit{start, list};
        m_typingPause->start();
        return;
    }
    settleTyping();
    m_history.record({start, list});
    updateHistoryActions();
}

void ReadingAids::settleTyping() {
    m_typingPause->stop();
    if (const std::optional<Visit> typed = std::exchange(m_typed, std::nullopt)) m_history.record(*typed);
    updateHistoryActions();
}

bool ReadingAids::goBack() {
    settleTyping();
    if (checkText() == TextCheck::Unreadable) return false;
    const std::optional<Visit> visit = m_history.back();
    if (visit) show(*visit);
    updateHistoryActions();
    return visit.has_value();
}

bool ReadingAids::goForward() {
    settleTyping();
    if (checkText() == TextCheck::Unreadable) return false;
    const std::optional<Visit> visit = m_history.forward();
    if (visit) show(*visit);
    updateHistoryActions();
    return visit.has_value();
}

void ReadingAids::show(const Visit& visit) {
    MainUnit& unit = m_form.unit();
    // The tab first: whether the hit list is in front decides what Format marks.
    m_form.listTabs()->setCurrentIndex(visit.list);
    ListBox* list = visit.list == 0 ? m_form.wordList() : m_form.hitList();
    int row = -1;
    if (visit.list == 0) {
        const auto& starts = unit.EntryOffsets().offsets;
        const auto found = std::lower_bound(starts.begin(), starts.end(), visit.start);
        // Line i is entry i only in file order.
        if (found != starts.end() && *found == visit.start && !m_form.wordListModel->sorted()) {
            row = static_cast<int>(found - starts.begin());
        }
    } else {
        const auto& hits = unit.HitOffsets;
        const auto found = std::find(hits.begin(), hits.end(), visit.start);
        if (found != hits.end()) row = static_cast<int>(found - hits.begin());
    }
    // From code: no click follows. A list that no longer holds the entry shows no line selected.
    list->selectRow(row);
    if (row >= 0) list->scrollTo(list->model()->index(row, 0));

    // The display path of Browse.
    endPageTurning();
    m_form.showEntry(visit.start);
    if (!m_form.pagePicture()->isHidden()) m_form.Load_Image(m_form.shownPage());
}

void ReadingAids::restoreHistory(History history) {
    m_history = std::move(history);
    updateHistoryActions();
}

void ReadingAids::updateHistoryActions() {
    if (m_back) m_back->setEnabled(m_history.canGoBack());
    if (m_forward) m_forward->setEnabled(m_history.canGoForward());
    emit historyChanged();
}

} // namespace wordhoard
