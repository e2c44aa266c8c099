#pragma once

// TForm1, the main window, and how its parts meet.
//
// Hand entry: the thirteen player buttons (Button2..Button14) and the thirteen dealer buttons
// (Button15..Button27) each have a one-line handler over enterPlayerCard() or enterDealerCard()
// and the card faces cards::kFaces (Card.h). Those routines write HandState, the totals Label15 and
// Label14, the card pictures Image2..Image4 and the buttons' enabled states.
//
// Advice: the dealer's card runs AdviseByRuleSet(), which reads the rule set from RadioGroup1
// and runs AdviseSingleDeck(), AdviseMultiDeck() or AdviseEuropean(). Each hands HandState to
// its table in the strategy library and writes the text it gets into Label13, which Timer1
// blinks every 500 ms.
//
// Pictures: the picture boxes load card faces from files in the program's folder, which
// FormCreate() makes the current directory. A load that fails throws; every handler runs
// through runHandler(), so the error box shows and the rest of that handler is skipped.
//
// Documents: the chart button, Help and F1 hand "single.htm", "multi.htm", "european.htm" and
// "bj.htm" to the desktop's document opener.

#include "Application.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <string_view>

class QLabel;
class QPushButton;
class QTimer;
class TAboutBox;

namespace Ui {
class TForm1;
}

// The hand being entered; all zero at start and after Reset. Card values: ace 1, court 10.
struct HandStateRecord {
    std::int32_t FirstCardEntered = 0;
    std::int32_t PlayerCard1 = 0;
    std::int32_t PlayerCard2 = 0;
    std::int32_t DealerUpCard = 0;
};
extern HandStateRecord HandState;

// The program's folder with its trailing separator; set by FormCreate and Button1Click.
extern QString AppDir;

class TForm1 : public QMainWindow, public KeyPreview {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm1)

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    TAboutBox* aboutBox() const { return AboutBox; }

public slots:
    void FormCreate();
    void FormKeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void Button14Click();
    void Button15Click();
    void Button16Click();
    void Button17Click();
    void Button18Click();
    void Button19Click();
    void Button20Click();
    void Button21Click();
    void Button22Click();
    void Button23Click();
    void Button24Click();
    void Button25Click();
    void Button26Click();
    void Button27Click();
    void Button28Click();
    void Timer1Timer();
    void Help1Click();
    void About1Click();

    void AdviseByRuleSet();
    void AdviseSingleDeck();
    void AdviseMultiDeck();
    void AdviseEuropean();

protected:
    void previewKeyPress(QObject* receiver, QKeyEvent* event) override;

private:
    void bindHandlers();
    void enterPlayerCard(int index);
    void enterDealerCard(int index);
    void showAdvice(std::string_view text);
    void openDocument(const QString& file);

    std::unique_ptr<Ui::TForm1> ui;
    QTimer* Timer1;
    TAboutBox* AboutBox;
    QList<QPushButton*> playerButtons;
    QList<QPushButton*> dealerButtons;
};

// Sets a label's text and sizes the label to it, its top-left corner staying where it is.
void setCaption(QLabel* label, const QString& text);
