// SPDX-FileCopyrightText: 2026 The Wordhoard developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Image tab: the scanned page of the entry shown, loaded once per page name.
#include "window/MainForm.h"

#include "text/CodePage.h"
#include "JpegPicture.h"
#include "display/PageFiles.h"
#include "window/PageImageView.h"

#include <QLabel>

namespace wordhoard {

namespace {

constexpr QSize kStretchedSize(761, 448);

class JpegPagePicture : public PagePicture {
public:
    explicit JpegPagePicture(JpegPicture picture) : m_picture(std::move(picture)) {}
    QSize size() const override { return {m_picture.width(), m_picture.height()}; }
    const QImage& pixels() override { return m_picture.image(); }

private:
    JpegPicture m_picture;
};

} // namespace

void TMainForm::Load_Image(const QByteArray& requested) {
    const PageLoad load = planPageLoad(requested, m_unit.LastImage, m_unit.folder);
    // A fault in the file or its header throws here: LastImage keeps its old name, so the next
    // request for this page tries again.
    if (load.file) {
        Image1->setPicture(std::make_unique<JpegPagePicture>(JpegPicture::fromFile(*load.file)));
        Image1->setAccessibleName(tr("Scanned page %1").arg(widen(load.name))); // for a screen reader
    } else if (!Image1->picture() && load.name != m_unit.LastImage) {
        // Beside the design: where no picture has been shown, an empty pane would say nothing.
        Image1->setNotice(tr("no scan for page %1").arg(widen(load.name)));
    }
    m_unit.LastImage = load.name;
}

void TMainForm::TabSheet4Show() { Load_Image(shownPage()); }

void TMainForm::TabSheet4Hide() {}

void TMainForm::Image1Click() {
    if (Image1->stretch()) {
        Image1->setStretch(false);
        Image1->setAutoSize(true);
    } else {
        Image1->setStretch(true);
        Image1->setAutoSize(false);
        Image1->resize(kStretchedSize);
    }
    emit pictureClicked();
}

} // namespace wordhoard
