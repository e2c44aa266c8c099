#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TAboutBox;
}

// The About box: product name, version, copyright and contact. Modeless; closing it only
// hides it, so it keeps its place for the next showing.
class TAboutBox : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAboutBox)

public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // Shows the box without blocking its owner and brings it to the front; centred on the
    // screen the first time.
    void showInFront();

public slots:
    void OKButtonClick();

private:
    std::unique_ptr<Ui::TAboutBox> ui;
    bool shownBefore = false;
};
