#include "bj.h"

#include "CardText.h"
#include "DocumentOpener.h"
#include "ErrorHandler.h"
#include "KnownCharts.h"
#include "LayoutFonts.h"
#include "ProgramFolder.h"
#include "Unit1.h"
#include "ui_bj.h"

#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <exception>

HandStateRecord HandState;
QString AppDir;

namespace {

constexpr int kBlinkInterval = 500; // ms

strategy::Hand currentHand() {
    return {HandState.PlayerCard1, HandState.PlayerCard2, HandState.DealerUpCard};
}

// A picture box's name for screen readers: its role, then what it shows.
void describePicture(PictureBox* box, const QString& shows) {
    box->setAccessibleName(box->accessibleDescription() + QStringLiteral(": ") + shows);
}

void setGroupEnabled(const QList<QPushButton*>& buttons, bool enabled) {
    for (QPushButton* button : buttons) {
        button->setEnabled(enabled);
    }
}

// Whether the window's focus is on one of the buttons, which disabling them would send on to
// the next control in the tab order (the same test Qt makes, active window or not).
bool holdsFocus(const QList<QPushButton*>& buttons) {
    return std::any_of(buttons.begin(), buttons.end(), [](const QPushButton* button) {
        return button->window()->focusWidget() == button;
    });
}

} // namespace

void setCaption(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TForm1>()), Timer1(new QTimer(this)),
      AboutBox(nullptr) {
    ui->setupUi(this);
    playerButtons = {ui->Button2,  ui->Button3,  ui->Button4, ui->Button5,  ui->Button6,
                     ui->Button7,  ui->Button8,  ui->Button9, ui->Button10, ui->Button11,
                     ui->Button12, ui->Button13, ui->Button14};
    dealerButtons = {ui->Button15, ui->Button16, ui->Button17, ui->Button18, ui->Button19,
                     ui->Button20, ui->Button21, ui->Button22, ui->Button23, ui->Button24,
                     ui->Button25, ui->Button26, ui->Button27};
    bindHandlers();
    applyPixelSizes(this);
    sizeLabelsToText(ui->ClientArea);
    // The client area is the layout's size under the menu bar.
    resize(ui->ClientArea->width(), ui->ClientArea->height() + menuBar()->sizeHint().height());
    ui->Button1->setFocus();

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kBlinkInterval);
    Timer1->start();

    runHandler([this] { FormCreate(); });
    AboutBox = new TAboutBox(this);
}

TForm1::~TForm1() = default;

// Every handler runs through runHandler(): an error ends it and shows the error box.
void TForm1::bindHandlers() {
    const auto bind = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this, [this, handler] { runHandler([&] { (this->*handler)(); }); });
    };
    bind(ui->Button1, &QPushButton::clicked, &TForm1::Button1Click);
    bind(ui->Button2, &QPushButton::clicked, &TForm1::Button2Click);
    bind(ui->Button3, &QPushButton::clicked, &TForm1::Button3Click);
    bind(ui->Button4, &QPushButton::clicked, &TForm1::Button4Click);
    bind(ui->Button5, &QPushButton::clicked, &TForm1::Button5Click);
    bind(ui->Button6, &QPushButton::clicked, &TForm1::Button6Click);
    bind(ui->Button7, &QPushButton::clicked, &TForm1::Button7Click);
    bind(ui->Button8, &QPushButton::clicked, &TForm1::Button8Click);
    bind(ui->Button9, &QPushButton::clicked, &TForm1::Button9Click);
    bind(ui->Button10, &QPushButton::clicked, &TForm1::Button10Click);
    bind(ui->Button11, &QPushButton::clicked, &TForm1::Button11Click);
    bind(ui->Button12, &QPushButton::clicked, &TForm1::Button12Click);
    bind(ui->Button13, &QPushButton::clicked, &TForm1::Button13Click);
    bind(ui->Button14, &QPushButton::clicked, &TForm1::Button14Click);
    bind(ui->Button15, &QPushButton::clicked, &TForm1::Button15Click);
    bind(ui->Button16, &QPushButton::clicked, &TForm1::Button16Click);
    bind(ui->Button17, &QPushButton::clicked, &TForm1::Button17Click);
    bind(ui->Button18, &QPushButton::clicked, &TForm1::Button18Click);
    bind(ui->Button19, &QPushButton::clicked, &TForm1::Button19Click);
    bind(ui->Button20, &QPushButton::clicked, &TForm1::Button20Click);
    bind(ui->Button21, &QPushButton::clicked, &TForm1::Button21Click);
    bind(ui->Button22, &QPushButton::clicked, &TForm1::Button22Click);
    bind(ui->Button23, &QPushButton::clicked, &TForm1::Button23Click);
    bind(ui->Button24, &QPushButton::clicked, &TForm1::Button24Click);
    bind(ui->Button25, &QPushButton::clicked, &TForm1::Button25Click);
    bind(ui->Button26, &QPushButton::clicked, &TForm1::Button26Click);
    bind(ui->Button27, &QPushButton::clicked, &TForm1::Button27Click);
    bind(ui->Button28, &QPushButton::clicked, &TForm1::Button28Click);
    bind(Timer1, &QTimer::timeout, &TForm1::Timer1Timer);
    bind(ui->Help1, &QAction::triggered, &TForm1::Help1Click);
    bind(ui->About1, &QAction::triggered, &TForm1::About1Click);
}

void TForm1::FormCreate() {
    AppDir = programFolder();
    setCurrentFolder(AppDir);
}

void TForm1::Button2Click() {
    enterPlayerCard(0);
}
void TForm1::Button3Click() {
    enterPlayerCard(1);
}
void TForm1::Button4Click() {
    enterPlayerCard(2);
}
void TForm1::Button5Click() {
    enterPlayerCard(3);
}
void TForm1::Button6Click() {
    enterPlayerCard(4);
}
void TForm1::Button7Click() {
    enterPlayerCard(5);
}
void TForm1::Button8Click() {
    enterPlayerCard(6);
}
void TForm1::Button9Click() {
    enterPlayerCard(7);
}
void TForm1::Button10Click() {
    enterPlayerCard(8);
}
void TForm1::Button11Click() {
    enterPlayerCard(9);
}
void TForm1::Button12Click() {
    enterPlayerCard(10);
}
void TForm1::Button13Click() {
    enterPlayerCard(11);
}
void TForm1::Button14Click() {
    enterPlayerCard(12);
}

void TForm1::Button15Click() {
    enterDealerCard(0);
}
void TForm1::Button16Click() {
    enterDealerCard(1);
}
void TForm1::Button17Click() {
    enterDealerCard(2);
}
void TForm1::Button18Click() {
    enterDealerCard(3);
}
void TForm1::Button19Click() {
    enterDealerCard(4);
}
void TForm1::Button20Click() {
    enterDealerCard(5);
}
void TForm1::Button21Click() {
    enterDealerCard(6);
}
void TForm1::Button22Click() {
    enterDealerCard(7);
}
void TForm1::Button23Click() {
    enterDealerCard(8);
}
void TForm1::Button24Click() {
    enterDealerCard(9);
}
void TForm1::Button25Click() {
    enterDealerCard(10);
}
void TForm1::Button26Click() {
    enterDealerCard(11);
}
void TForm1::Button27Click() {
    enterDealerCard(12);
}

void TForm1::enterPlayerCard(int index) {
    const cards::Face& card = cards::kFaces[index];
    if (HandState.FirstCardEntered == 1) {
        // The picture is loaded first: if it fails, the hand still waits for its second card.
        ui->Image3->loadFromFile(card.pictureFile);
        describePicture(ui->Image3, cards::spokenName({index, cards::kSpades}));
        const bool keyboardOnHand = holdsFocus(playerButtons);
        setGroupEnabled(playerButtons, false);
        setGroupEnabled(dealerButtons, true);
        if (keyboardOnHand) {
            dealerButtons.front()->setFocus(Qt::OtherFocusReason); // the hand goes on there
        }
        setCaption(ui->Label13, QStringLiteral("Enter dealers up card"));
        HandState.PlayerCard2 = card.value;
    } else {
        ui->Image2->loadFromFile(card.pictureFile);
        describePicture(ui->Image2, cards::spokenName({index, cards::kSpades}));
        HandState.FirstCardEntered = 1;
        HandState.PlayerCard1 = card.value;
    }
    setCaption(ui->Label15, cards::playerTotalText(HandState.PlayerCard1, HandState.PlayerCard2));
}

void TForm1::enterDealerCard(int index) {
    const cards::Face& card = cards::kFaces[index];
    HandState.DealerUpCard = card.value;
    setCaption(ui->Label14, cards::dealerCardText(card.value));
    ui->Image4->loadFromFile(card.pictureFile);
    describePicture(ui->Image4, cards::spokenName({index, cards::kSpades}));
    AdviseByRuleSet();
    const bool keyboardOnHand = holdsFocus(dealerButtons);
    setGroupEnabled(dealerButtons, false);
    if (keyboardOnHand) {
        ui->Button28->setFocus(Qt::OtherFocusReason); // Reset starts the next hand
    }
}

// Reset always completes, so that a new hand can be entered; a box whose empty-place picture
// cannot be loaded is emptied rather than keep a card of the old hand. The first error is
// shown once the hand has been reset.
void TForm1::Button28Click() {
    setCaption(ui->Label14, QStringLiteral("0"));
    setCaption(ui->Label15, QStringLiteral("0"));
    std::exception_ptr firstError;
    for (PictureBox* box : {ui->Image2, ui->Image3, ui->Image4, ui->Image5}) {
        describePicture(box, QStringLiteral("Empty place"));
        try {
            box->loadFromFile(QStringLiteral("blank.jpg"));
        } catch (const std::exception&) {
            box->clear();
            if (!firstError) {
                firstError = std::current_exception();
            }
        }
    }
    HandState.FirstCardEntered = 0;
    setGroupEnabled(playerButtons, true);
    setGroupEnabled(dealerButtons, false);
    HandState.PlayerCard1 = 0;
    HandState.PlayerCard2 = 0;
    HandState.DealerUpCard = 0;
    setCaption(ui->Label13, QStringLiteral("Enter your hand"));
    if (firstError) {
        std::rethrow_exception(firstError);
    }
}

// Each test reads the selection afresh; with no item selected no table runs.
void TForm1::AdviseByRuleSet() {
    if (ui->RadioGroup1->itemIndex() == 0) {
        AdviseSingleDeck();
    }
    if (ui->RadioGroup1->itemIndex() == 1) {
        AdviseMultiDeck();
    }
    if (ui->RadioGroup1->itemIndex() == 2) {
        AdviseEuropean();
    }
}

void TForm1::AdviseSingleDeck() {
    showAdvice(strategy::adviseSingleDeck(currentHand()).text);
}
void TForm1::AdviseMultiDeck() {
    showAdvice(strategy::adviseMultiDeck(currentHand()).text);
}
void TForm1::AdviseEuropean() {
    showAdvice(strategy::adviseEuropean(currentHand()).text);
}

void TForm1::showAdvice(std::string_view text) {
    setCaption(ui->Label13, QString::fromLatin1(text.data(), qsizetype(text.size())));
}

void TForm1::Timer1Timer() {
    ui->Label13->setHidden(!ui->Label13->isHidden());
}

void TForm1::Button1Click() {
    AppDir = programFolder();
    setCurrentFolder(AppDir);
    for (int ruleSet = 0; ruleSet < int(charts::kKnownCharts.size()); ++ruleSet) {
        if (ui->RadioGroup1->itemIndex() == ruleSet) {
            const std::string_view chart = charts::kKnownCharts[ruleSet].file;
            openDocument(QString::fromLatin1(chart.data(), qsizetype(chart.size())));
        }
    }
}

void TForm1::Help1Click() {
    openDocument(QStringLiteral("bj.htm"));
}

void TForm1::FormKeyDown(QObject*, int& key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_F1) {
        openDocument(QStringLiteral("bj.htm"));
    }
}

void TForm1::previewKeyPress(QObject* receiver, QKeyEvent* event) {
    int key = event->key();
    runHandler([&] { FormKeyDown(receiver, key, event->modifiers()); });
}

void TForm1::openDocument(const QString& file) {
    documentOpener().open(this, "open", file, QString(), QString(), DocumentOpener::kShowNormal);
}

void TForm1::About1Click() {
    AboutBox->showInFront();
}
