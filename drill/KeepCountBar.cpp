#include "KeepCountBar.h"

#include "ui_KeepCountBar.h"

using namespace practice;

KeepCountBar::KeepCountBar(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::KeepCountBar>()) {
    ui->setupUi(this);
    connect(ui->BetButton, &QPushButton::clicked, this, &KeepCountBar::BetClick);
    connect(ui->BetBox, &QSpinBox::editingFinished, this, &KeepCountBar::BetEnter);
    connect(ui->InsureButton, &QPushButton::clicked, this, &KeepCountBar::InsureClick);
    connect(ui->DeclineButton, &QPushButton::clicked, this, &KeepCountBar::DeclineClick);
    connect(ui->CheckButton, &QPushButton::clicked, this, &KeepCountBar::CheckClick);
    connect(ui->CheckBox, &QDoubleSpinBox::editingFinished, this, &KeepCountBar::CheckEnter);
}

KeepCountBar::~KeepCountBar() = default;

void KeepCountBar::showView(const PracticeView& view, bool keeping) {
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->BetLabel, ui->BetBox, ui->BetButton})
        widget->setVisible(view.betting);
    ui->InsureButton->setVisible(view.insuring);
    ui->DeclineButton->setVisible(view.insuring);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{ui->CheckLabel, ui->CheckBox, ui->CheckButton})
        widget->setVisible(view.checkingCount);
    ui->CountLabel->setText(keeping && view.count.isEmpty()
                                ? QStringLiteral("The count is hidden: C shows it.")
                                : view.count);
    setVisible(keeping);
}

void KeepCountBar::focusWaiting(const PracticeView& view) {
    if (view.betting) {
        ui->BetButton->setFocus();
    } else if (view.insuring) {
        ui->InsureButton->setFocus();
    } else if (view.checkingCount) {
        ui->CheckBox->setFocus();
        ui->CheckBox->selectAll();
    }
}

void KeepCountBar::BetClick() {
    emit betPlaced(ui->BetBox->value());
}

// Enter in a box answers; leaving it does not.
void KeepCountBar::BetEnter() {
    if (ui->BetBox->hasFocus()) BetClick();
}

void KeepCountBar::InsureClick() {
    emit insured(true);
}

void KeepCountBar::DeclineClick() {
    emit insured(false);
}

void KeepCountBar::CheckClick() {
    emit countAnswered(ui->CheckBox->value());
}

void KeepCountBar::CheckEnter() {
    if (ui->CheckBox->hasFocus()) CheckClick();
}
