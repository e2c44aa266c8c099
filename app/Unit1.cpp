#include "Unit1.h"

#include "ui_Unit1.h"

#include "LayoutFonts.h"
#include "Version.h"

#include <QScreen>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TAboutBox>()) {
    ui->setupUi(this);
    ui->Version->setText(QStringLiteral("Version " HITWISE_VERSION));
    applyPixelSizes(this);
    sizeLabelsToText(this);
    connect(ui->OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::showInFront() {
    if (!shownBefore) {
        shownBefore = true;
        if (const QScreen* screen = this->screen()) {
            QRect place = rect();
            place.moveCenter(screen->availableGeometry().center());
            move(place.topLeft());
        }
    }
    show();
    raise();
    activateWindow();
}

void TAboutBox::OKButtonClick() {
    close();
}
