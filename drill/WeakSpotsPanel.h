#pragma once

#include "WeakSpotsModel.h"

#include <QWidget>

#include <memory>

namespace Ui {
class WeakSpotsPanel;
}

// The Weak spots tab: its words and the grid of the player's answers by cell.
class WeakSpotsPanel : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WeakSpotsPanel)

public:
    WeakSpotsPanel(const practice::AnswerStats& stats, QWidget* parent = nullptr);
    ~WeakSpotsPanel() override;
    WeakSpotsModel& model() { return model_; }

private:
    std::unique_ptr<Ui::WeakSpotsPanel> ui;
    WeakSpotsModel model_;
};
