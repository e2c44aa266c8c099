#include "PixelFonts.h"

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
