#include "Application.h"

#include "ErrorHandler.h"

#include <QFont>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Hands a key press to its window's key preview, once, with the control it is aimed at.
void previewKeyPress(QObject* receiver, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !receiver->isWidgetType()) {
        return;
    }
    // notify() sees a key press once, aimed at the focused control; its propagation to the
    // parents happens inside QApplication::notify().
    if (auto* window = dynamic_cast<KeyPreview*>(static_cast<QWidget*>(receiver)->window())) {
        window->previewKeyPress(receiver, static_cast<QKeyEvent*>(event));
    }
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // The dialog font of the About box is not on Linux desktops; its metric twin is.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

Application::~Application() = default;

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        previewKeyPress(receiver, event);
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportException(error);
        return false;
    }
}
