// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ViewerFixture.h"

#include "window/ListBox.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

namespace wordhoard::testing {

ViewerTest::~ViewerTest() {
    form.reset();
    if (!previousDir.isEmpty()) QDir::setCurrent(previousDir);
}

void ViewerTest::start(const QByteArray* bytes) {
    if (bytes) dir.write(QStringLiteral("txt/WH-main_01.txt"), *bytes);
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path(QStringLiteral(".")));
    form = std::make_unique<TMainForm>(unit);
    form->setErrorReporter([this](const QString& message) { errors << message; });
    form->hide();
    form->LoadFile(QStringLiteral("txt/WH-main_01.txt"));
    form->FillCombo();
    form->Wordlist();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

void ViewerTest::clickLine(ListBox* list, int row) {
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

void ViewerTest::pressKeyInSearchField(Qt::Key key) { QTest::keyClick(form->TntEdit1, key); }

QString ViewerTest::paneText() const { return form->TntRichEdit1->document()->toPlainText(); }

QString ViewerTest::paneStyles() const {
    QString out;
    for (QTextBlock block = form->TntRichEdit1->document()->begin(); block.isValid(); block = block.next()) {
        if (block != form->TntRichEdit1->document()->begin()) out += u'\n';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            QChar c = u'.';
            if (f.fontUnderline() && f.foreground().color() == QColor(240, 0, 0)) {
                c = u'!';
            } else if (f.fontWeight() >= QFont::Bold) {
                c = f.fontItalic() ? u'B' : u'b';
            } else if (f.fontItalic()) {
                c = u'i';
            }
            out += QString(fragment.length(), c);
        }
    }
    return out;
}

} // namespace wordhoard::testing
