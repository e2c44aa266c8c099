#include "RadioGroup.h"

#include <QRadioButton>

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent) {}

QList<QRadioButton*> RadioGroup::items() const {
    return findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

int RadioGroup::itemIndex() const {
    const QList<QRadioButton*> buttons = items();
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked()) {
            return i;
        }
    }
    return -1;
}

void RadioGroup::setItemIndex(int index) {
    const QList<QRadioButton*> buttons = items();
    if (index >= 0 && index < buttons.size()) {
        buttons[index]->setChecked(true);
    }
}
