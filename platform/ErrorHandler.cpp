#include "ErrorHandler.h"

#include "ProgramFolder.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace {

ErrorPresenter& presenter() {
    static ErrorPresenter current;
    return current;
}

void showMessageBox(const QString& title, const QString& message) {
    QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace

QString applicationTitle(const QString& programPath) {
    QString name = QFileInfo(programPath).fileName();
    const qsizetype dot = name.indexOf('.');
    if (dot >= 0) {
        name.truncate(dot);
    }
    if (name.size() > 1) {
        name = name.left(1) + name.mid(1).toLower();
    }
    return name;
}

QString withFullStop(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.') {
        return message + '.';
    }
    return message;
}

void reportError(const QString& message) {
    const QString title = applicationTitle(programFilePath());
    const QString text = withFullStop(message);
    if (presenter()) {
        presenter()(title, text);
    } else {
        showMessageBox(title, text);
    }
}

void reportException(const std::exception& error) {
    reportError(QString::fromUtf8(error.what()));
}

void setErrorPresenter(ErrorPresenter replacement) {
    presenter() = std::move(replacement);
}
