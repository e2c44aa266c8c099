#pragma once

#include <QGroupBox>

class QRadioButton;

// A group box of radio buttons, one column; the item index is the position of the checked
// button among them, -1 when none is checked.
class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RadioGroup)

public:
    explicit RadioGroup(QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);

private:
    QList<QRadioButton*> items() const;
};
