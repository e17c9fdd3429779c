// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Dictionary.h"

#include "Messages.h"
#include "display/PageOrder.h"
#include "language/FormIndex.h"
#include "language/LinkIndex.h"
#include "search/LooseSearch.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

namespace wordhoard {

Dictionary::Dictionary() : m_text(std::make_unique<TMapTextfile>()) {}

Dictionary::Dictionary(LoadedText loaded, QString fileName)
    : m_fileName(std::move(fileName)), m_text(std::move(loaded.text)), m_index(std::move(loaded.index)) {
    if (!m_text) m_text = std::make_unique<TMapTextfile>();
}

Dictionary::~Dictionary() = default;

std::unique_ptr<Dictionary> Dictionary::load(const QString& fileName) {
    return std::make_unique<Dictionary>(PendingText(fileName, {}).take(), fileName);
}

QString Dictionary::openError() const {
    return opened() ? QString() : cannotOpenText(m_fileName, m_text->errorString());
}

const std::vector<int>& Dictionary::sortedOrder() const {
    return m_sortedOrder.get([this] {
        const auto count = static_cast<std::size_t>(m_index.size());
        std::vector<QString> words(count);
        for (std::size_t i = 0; i < count; ++i) words[i] = m_index.headword(static_cast<qsizetype>(i));
        auto order = std::make_unique<std::vector<int>>(count);
        std::iota(order->begin(), order->end(), 0);
        QCollator collator;
        std::stable_sort(order->begin(), order->end(), [&](int a, int b) {
            return collator.compare(words[static_cast<std::size_t>(a)], words[static_cast<std::size_t>(b)]) < 0;
        });
        return order;
    });
}

const HeadwordLookup& Dictionary::lookup(HeadwordLookup::Matching matching, bool sorted) const {
    const int m = matching == HeadwordLookup::Matching::Loose ? 1 : 0;
    return m_lookups[m][sorted ? 1 : 0].get([&] {
        if (!sorted) return std::make_unique<HeadwordLookup>(m_index, QLocale(), matching);
        const std::vector<int>& order = sortedOrder();
        return std::make_unique<HeadwordLookup>(
            [&](qsizetype line) { return m_index.headword(order[static_cast<std::size_t>(line)]); },
            static_cast<qsizetype>(order.size()), QLocale(), matching);
    });
}

const LooseIndex& Dictionary::looseIndex() const {
    return m_looseIndex.get([this] { return std::make_unique<LooseIndex>(*m_text); });
}

const PageOrder& Dictionary::pageOrder() const {
    return m_pageOrder.get([this] { return std::make_unique<PageOrder>(m_text->bytes()); });
}

const FormIndex& Dictionary::forms() const {
    return m_forms.get([this] { return std::make_unique<FormIndex>(*m_text, m_index); });
}

const LinkIndex& Dictionary::links() const {
    return m_links.get(
        [this] { return std::make_unique<LinkIndex>(*m_text, m_index, formResolver(m_index, forms())); });
}

} // namespace wordhoard
