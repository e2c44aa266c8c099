#include "PracticeText.h"

#include "CardText.h"
#include "Held.h"

#include <QStringList>

namespace practice {

QString playText(analysis::Play play) {
    return QString::fromLatin1(analysis::playName(play).data());
}

QString totalText(const std::vector<int>& cards) {
    const analysis::Held held = analysis::holding(cards);
    return (held.soft() ? QStringLiteral("soft ") : QString()) + QString::number(held.total());
}

QString settledText(const RoundHand& hand) {
    switch (hand.settled) {
    case Settled::Won: return QStringLiteral("won");
    case Settled::Lost:
        return hand.end == HandEnd::Surrendered ? QStringLiteral("surrendered")
                                                : QStringLiteral("lost");
    case Settled::Pushed: return QStringLiteral("pushed");
    case Settled::Blackjack: return QStringLiteral("blackjack");
    }
    return {};
}

QString unitsText(double result) {
    return (result > 0 ? "+" : "") + QString::number(result, 'g', 3);
}

QString percentText(int part, int whole) {
    return whole == 0 ? QStringLiteral("-") : QString::number(qRound(100.0 * part / whole)) + " %";
}

QString cardsText(const std::vector<cards::Card>& cards) {
    QStringList names;
    for (const cards::Card& card : cards)
        names << cards::spokenName(card);
    return names.join(", ");
}

QString handPrompt() {
    return QStringLiteral("Your play? Hit (H), Stand (S), Double (D), Split (P) or Surrender (R).");
}

QString roundPrompt() {
    return QStringLiteral("Your play? Hit (H), Stand (S), Double (D), Split (P) or Surrender (R), "
                          "where the hand may.");
}

QString gradeText(const Grade& grade, analysis::Play play, bool atChart) {
    auto value = [](double v) { return QString::number(v, 'f', 4); };
    QString text;
    if (grade.right && grade.closeCall && grade.closeTo) {
        text = QStringLiteral("Right, a close call: %1 (%2) and %3 (%4) are within 0.1 % of "
                              "the bet.")
                   .arg(playText(play), value(*grade.answerValue), playText(grade.closeTo->first),
                        value(grade.closeTo->second));
    } else if (grade.right) {
        text = QStringLiteral("Right: %1.").arg(playText(play));
    } else {
        text = QStringLiteral("Wrong: you chose %1; the play is %2.")
                   .arg(playText(play), playText(grade.rightPlay));
    }
    if (atChart) text += QStringLiteral(" The chart says \"%1\".").arg(grade.adviceText);
    if (!grade.answerAllowed) {
        text += QStringLiteral(" %1 is not allowed for this hand under these rules.")
                    .arg(playText(play));
    } else if (const auto cost = grade.cost(); cost && *cost >= 0) {
        text += QStringLiteral(" Your play costs %1 % of the bet.")
                    .arg(QString::number(100 * *cost, 'f', 1));
    } else if (cost) {
        // A hand-made chart is not always the best play: say so rather than price it as a loss.
        text += QStringLiteral(" Your play is worth %1 % of the bet more than the chart's.")
                    .arg(QString::number(-100 * *cost, 'f', 1));
    }
    return text;
}

QString notAllowedText(analysis::Play play) {
    return QStringLiteral("%1 is not allowed for this hand now; choose another play.")
        .arg(playText(play));
}

} // namespace practice
