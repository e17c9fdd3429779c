#pragma once

#include <QDialog>

class QAction;
class QFrame;
class QLabel;
class QPushButton;

namespace wordhoard {

// Help > About: fixed content, a link to the bundled documentation page, and OK.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The documentation page the link names, as shown ("docs/index.html"), and where it lies:
    // beside the program.
    static QString pageAddress();
    static QUrl pageUrl();

    void Label2Click();

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QLabel* CreditLabel = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OKButton = nullptr;
    QAction* BrowseURL1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace wordhoard
