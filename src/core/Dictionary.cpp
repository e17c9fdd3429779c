#include "Dictionary.h"

#include "Messages.h"
#include "display/PageOrder.h"
#include "language/LinkIndex.h"
#include "search/LooseSearch.h"

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

const HeadwordLookup& Dictionary::lookup(HeadwordLookup::Matching matching) const {
    std::unique_ptr<HeadwordLookup>& made = m_lookup[matching == HeadwordLookup::Matching::Loose ? 1 : 0];
    if (!made) made = std::make_unique<HeadwordLookup>(m_index, QLocale(), matching);
    return *made;
}

const LooseIndex& Dictionary::looseIndex() const {
    if (!m_looseIndex) m_looseIndex = std::make_unique<LooseIndex>(*m_text);
    return *m_looseIndex;
}

const PageOrder& Dictionary::pageOrder() const {
    if (!m_pageOrder) m_pageOrder = std::make_unique<PageOrder>(m_text->bytes());
    return *m_pageOrder;
}

const LinkIndex& Dictionary::links() const {
    if (!m_links) m_links = std::make_unique<LinkIndex>(*m_text, m_index);
    return *m_links;
}

} // namespace wordhoard
