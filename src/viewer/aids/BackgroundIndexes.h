// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <memory>

namespace wordhoard {

class Dictionary;
class TMainForm;

// Makes the open dictionary's form index and links on a worker thread once the window has first
// painted, and again for every text opened after, so the look-up list and the links of the text
// pane are there when the reader first needs them without ever holding up start-up or a
// keystroke. What needs them uses Dictionary::formsIfMade()/linksIfMade() and waits for the
// signals; a worker still busy with a text that has since been replaced finishes for nothing.
class BackgroundIndexes : public QObject {
    Q_OBJECT
public:
    explicit BackgroundIndexes(TMainForm& form);
    ~BackgroundIndexes() override;

    // Makes them now for the open text, if not made or being made (the first paint calls it).
    void start();

signals:
    // The open dictionary's forms or links have been made (never for one replaced meanwhile).
    void formsReady();
    void linksReady();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finished(const std::weak_ptr<const Dictionary>& dictionary, bool links);

    TMainForm& m_form;
    bool m_painted = false;
    std::weak_ptr<const Dictionary> m_started; // the text the last worker was started for
};

} // namespace wordhoard
