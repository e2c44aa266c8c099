#include "URLLabel.h"

#include "DocumentOpener.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

const QColor kLinkBlue(0, 0, 255);

} // namespace

QString trimControls(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

TURLLabel::TURLLabel(QWidget* parent) : QLabel(parent) {}

void TURLLabel::setURL(const QString& value) {
    if (value == url_) {
        return;
    }
    if (trimControls(value).isEmpty()) {
        url_.clear();
    } else if (isWebAddress(value)) {
        url_ = value;
    } else {
        url_ = QStringLiteral("http://") + value;
    }
    hint_ = url_;
    ShowAsLink(HasValidURL() && !highlight_);
}

void TURLLabel::setHighlight(bool on) {
    if (on == highlight_) {
        return;
    }
    highlight_ = on;
    ShowAsLink(!on);
}

bool TURLLabel::HasValidURL() const {
    return trimControls(url_).size() > 12;
}

void TURLLabel::ShowAsLink(bool active) {
    QFont look = font();
    look.setUnderline(active);
    setFont(look);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText,
                     active ? kLinkBlue : QApplication::palette().color(QPalette::WindowText));
    setPalette(colours);
    if (active) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

void TURLLabel::Click() {
    if (HasValidURL()) {
        documentOpener().open(nullptr, nullptr, url_, QString(), QString(),
                              DocumentOpener::kShowNormal);
    }
    emit clicked();
}

void TURLLabel::enterEvent(QEnterEvent*) {
    if (highlight_) {
        ShowAsLink(HasValidURL());
    }
}

void TURLLabel::leaveEvent(QEvent*) {
    if (highlight_) {
        ShowAsLink(false);
    }
}

void TURLLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

// Qt would treat the second press of a double-click as another press, and its release would
// open the address a second time.
void TURLLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    pressed_ = false;
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

void TURLLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) {
        Click();
    }
}
