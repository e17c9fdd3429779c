// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Search: the headword look-up while typing, and the full-text search into the hit list.
#include "window/MainForm.h"

#include "search/FullTextSearch.h"
#include "search/HeadwordLookup.h"
#include "window/ListBox.h"
#include "window/ListModels.h"
#include "aids/ReadingAids.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTabWidget>

namespace wordhoard {

// Shows a modal progress dialog with Cancel once a search request has run for a moment.
class TMainForm::SearchProgressGate {
public:
    explicit SearchProgressGate(QWidget* owner) : m_owner(owner) { m_clock.start(); }

    // False once the reader has pressed Cancel.
    bool update(std::int64_t scanned, std::int64_t total) {
        if (!m_dialog) {
            if (m_clock.elapsed() < kShowAfterMs) return true;
            m_dialog = std::make_unique<QProgressDialog>(TMainForm::tr("Searching the dictionary..."),
                                                         TMainForm::tr("Cancel"), 0, kSteps, m_owner);
            m_dialog->setWindowTitle(TMainForm::tr("Wordhoard"));
            m_dialog->setWindowModality(Qt::WindowModal);
            m_dialog->setMinimumDuration(0);
        }
        // A modal progress dialog lets the events through that repaint it and press Cancel.
        const std::int64_t steps = scanned * kSteps / std::max<std::int64_t>(total, 1);
        m_dialog->setValue(static_cast<int>(std::min<std::int64_t>(steps, kSteps - 1)));
        return !m_dialog->wasCanceled();
    }

private:
    static constexpr int kShowAfterMs = 300;
    static constexpr int kSteps = 1000;
    QWidget* m_owner;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};

void TMainForm::TntButton1Click() { ProcesSearch(TntEdit1->text()); }

void TMainForm::TntEdit1Change() { Select(TntEdit1->text()); }

void TMainForm::ProcesSearch(const QString& term) {
    // A text changed on disk is read again first.
    if (m_aids->checkText() == ReadingAids::TextCheck::Unreadable) return;
    m_lastSearch.reset();
    hitListModel->clear();
    m_unit.HitOffsets.clear();
    SearchProgressGate gate(this);
    SearchRequest request(m_unit.text(), term, *PerlRegEx1,
                          [&gate](std::int64_t scanned, std::int64_t total) { return gate.update(scanned, total); },
                          looseIndex());
    m_request = &request;
    const auto done = qScopeGuard([this, &term] {
        m_request = nullptr;
        showHitCount(term); // also after an error or a cancel: the hits found stay
    });
    // An error or a cancel in a pass throws: it ends the request.
    for (const QString& pattern : request.passes()) Search(pattern);
    m_lastSearch = term;
    // Changed while it was searched: the hits may not be what the text says; they go with the
    // text read again.
    m_aids->checkText();
}

void TMainForm::Search(const QString& pattern) {
    // The Search page comes to the front at the start of every pass, hits or not.
    PageControl1->setCurrentIndex(1);
    if (!m_request) return; // a pass belongs to a request

    SearchOutcome outcome = m_request->runPass(pattern);
    for (const SearchHit& hit : outcome.hits) m_unit.HitOffsets.push_back(hit.start);
    hitListModel->append(m_unit.dictionary, std::move(outcome.hits));
    // The hits found so far stay.
    if (outcome.error) throw RegexError(outcome.error->toStdString());
    if (outcome.cancelled) throw RequestCancelled{};
}

void TMainForm::Select(const QString& typed) {
    // Only the word list follows the typing; while the Search page is in front nothing moves.
    if (TntListBox1->isHidden()) return;
    const LookupResult found = lookup().find(typed);
    switch (found.kind) {
    case LookupResult::Kind::NoMatch:
        return;
    case LookupResult::Kind::ClearSelection:
        TntListBox1->selectRow(-1);
        break;
    case LookupResult::Kind::Line:
        TntListBox1->scrollRowToTop(static_cast<int>(found.line));
        TntListBox1->selectRow(static_cast<int>(found.line));
        break;
    }
    const QScopedValueRollback inLookUp(m_inLookUp, true);
    TntListBox1Click();
}

} // namespace wordhoard
