// The Image tab: the scanned page of the entry shown, loaded once per page name.
#include "MainForm.h"

#include "CodePage.h"
#include "JpegPicture.h"
#include "PageImageView.h"

#include <QFileInfo>
#include <QLabel>

namespace wordhoard {

namespace {

const QByteArray kDefaultPage = QByteArrayLiteral("wh_b0001");
constexpr QSize kStretchedSize(761, 448);

class JpegPagePicture : public PagePicture {
public:
    explicit JpegPagePicture(JpegPicture picture) : m_picture(std::move(picture)) {}
    QSize size() const override { return {m_picture.width(), m_picture.height()}; }
    const QImage& pixels() override { return m_picture.image(); }

private:
    JpegPicture m_picture;
};

// A page name is a plain file name: one holding a path separator, a NUL or ".." names no page
// (it would reach outside img/).
bool isPlainPageName(const QByteArray& name) {
    return !name.contains('/') && !name.contains('\\') && !name.contains('\0') && !name.contains("..");
}

} // namespace

void TMainForm::Load_Image(const QByteArray& requested) {
    const QByteArray name = requested.isEmpty() ? kDefaultPage : requested;
    if (name != m_unit.LastImage && isPlainPageName(name)) {
        const QString path = QStringLiteral("img/") + widen(name) + QStringLiteral(".jpg");
        const QFileInfo file(path);
        if (file.exists() && !file.isDir()) {
            // A fault in the file or its header throws here: LastImage keeps its old name, so the
            // next request for this page tries again.
            Image1->setPicture(std::make_unique<JpegPagePicture>(JpegPicture::fromFile(path)));
        }
    }
    m_unit.LastImage = name;
}

void TMainForm::TabSheet4Show() { Load_Image(narrow(StatusPanel1->text()).value_or(QByteArray())); }

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
}

} // namespace wordhoard
