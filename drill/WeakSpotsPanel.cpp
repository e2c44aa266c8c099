#include "WeakSpotsPanel.h"

#include "ui_WeakSpotsPanel.h"

using namespace practice;

WeakSpotsPanel::WeakSpotsPanel(const AnswerStats& stats, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::WeakSpotsPanel>()), model_(stats) {
    ui->setupUi(this);
    ui->WeakSpotsGrid->setModel(&model_);
}

WeakSpotsPanel::~WeakSpotsPanel() = default;
