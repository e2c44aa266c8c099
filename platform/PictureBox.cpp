#include "PictureBox.h"

#include "AppError.h"
#include "JpegPicture.h"
#include "PictureFile.h"

#include <QAccessibleWidget>
#include <QFile>
#include <QPainter>

namespace {

// Screen readers present picture boxes as pictures, named by the window.
QAccessibleInterface* accessiblePicture(const QString& className, QObject* object) {
    if (className == QLatin1String("PictureBox") && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    }
    return nullptr;
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    static const bool installed = (QAccessible::installFactory(accessiblePicture), true);
    Q_UNUSED(installed);
}

PictureBox::~PictureBox() = default;

void PictureBox::loadFromFile(const QString& fileName) {
    setPicture(loadPictureFile(fileName));
}

void PictureBox::clear() {
    setPicture(nullptr);
}

void PictureBox::setResource(const QString& path) {
    resource_ = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(cannotOpenMessage(path, file.errorString()));
    }
    setPicture(std::make_unique<JpegPicture>(file.readAll()));
}

void PictureBox::setPicture(std::unique_ptr<JpegPicture> picture) {
    picture_ = std::move(picture);
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (!picture_) {
        return;
    }
    const QImage& image = picture_->visiblePart(size());
    if (!image.isNull()) {
        QPainter(this).drawImage(0, 0, image);
    }
}
