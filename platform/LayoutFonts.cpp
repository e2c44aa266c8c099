#include "LayoutFonts.h"

#include <QLabel>
#include <QWidget>

void applyPixelSizes(QWidget* root) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        bool ok = false;
        const int pixels = widget->property("pixelSize").toInt(&ok);
        if (ok && pixels > 0) {
            QFont font = widget->font();
            font.setPixelSize(pixels);
            widget->setFont(font);
        }
    }
}

void sizeLabelsToText(QWidget* root) {
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (!label->hasScaledContents()) {
            label->adjustSize();
        }
    }
}
