// View > Loose Matching: the look-up, the full-text search and the marks in the shown entry
// compare letters folded (accents, length marks and case ignored, þ = ð, ƿ = w). Off at start.
#include "window/MainForm.h"

#include "search/HeadwordLookup.h"
#include "search/LooseSearch.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace wordhoard {

void TMainForm::buildLooseMatching() {
    auto* view = menuBar()->findChild<QMenu*>(QStringLiteral("View1"));
    view->addSeparator();
    LooseMatching1 = view->addAction(QStringLiteral("&Loose Matching"));
    LooseMatching1->setObjectName(QStringLiteral("LooseMatching1"));
    LooseMatching1->setCheckable(true);
    LooseMatching1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    LooseMatching1->setToolTip(QStringLiteral("Ignore accents, length marks and case; þ matches ð, ƿ matches w"));
    connect(LooseMatching1, &QAction::toggled, this, [this](bool on) { guarded([&] { setLooseMatching(on); }); });
}

void TMainForm::setLooseMatching(bool on) {
    if (LooseMatching1->isChecked() != on) LooseMatching1->setChecked(on); // raises this again
    m_lookup.reset(); // the next keystroke makes a look-up that compares as now asked
}

bool TMainForm::looseMatching() const { return LooseMatching1->isChecked(); }

const LooseIndex* TMainForm::looseIndex() {
    if (!looseMatching()) return nullptr;
    // Made on the first loose search of a text: a tenth of a second for 60 MB.
    if (!m_looseIndex) m_looseIndex = std::make_unique<LooseIndex>(*m_unit.text);
    return m_looseIndex.get();
}

} // namespace wordhoard
