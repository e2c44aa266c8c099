#pragma once

#include "CountPlan.h"

#include <QFutureWatcher>
#include <QObject>

#include <memory>
#include <optional>
#include <string>

namespace practice {

// The count in force in the drill: the counter's game, its rules always the table's, and the
// work off the window's thread that it needs, one piece of each at a time: the plan that
// keeping the count and Your edge read, and the index chart's page. The window connects to the
// signals and shows; nothing here has a widget.
class CountInForce : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CountInForce)

public:
    explicit CountInForce(std::optional<counting::Game> game, QObject* parent = nullptr);
    ~CountInForce() override;

    bool has() const { return game_.has_value(); }
    const counting::Game& game() const { return *game_; }
    // The table's rules, the game's from now on.
    void setRules(const rules::Rules& rules);
    // Another game, played at the table's rules.
    void setGame(counting::Game game);

    // The plan of the game as it stands; nothing while it is worked out (planReady() then
    // comes), and its work is started if it is not under way.
    std::shared_ptr<const CountPlan> plan();
    // The index chart of the game as it stands, as a web page: indexChartReady() brings it.
    // False while one is being made, until it is brought.
    bool makeIndexChart();
    bool makingIndexChart() const { return makingChart_; }

signals:
    void planStarted(const QString& countWords);
    void planReady();
    void indexChartReady(const std::string& page);

private slots:
    void PlanDone();
    void IndicesDone();

private:
    std::optional<counting::Game> game_;
    std::shared_ptr<const CountPlan> plan_;
    QFutureWatcher<std::shared_ptr<const CountPlan>> planning_;
    QFutureWatcher<std::string> indices_;
    // Until the chart is brought: the work itself may end before the window hears of it.
    bool makingChart_ = false;
};

} // namespace practice
