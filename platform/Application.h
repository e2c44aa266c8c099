#pragma once

#include <QApplication>

class QKeyEvent;

// A window that sees every key press of its own controls before the focused control does.
class KeyPreview {
public:
    virtual ~KeyPreview() = default;
    virtual void previewKeyPress(QObject* receiver, QKeyEvent* event) = 0;
};

// The application object: errors that reach the event loop go to the error handler, and key
// presses go to their window's key preview first.
class Application : public QApplication {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Application)

public:
    Application(int& argc, char** argv);
    ~Application() override;

    bool notify(QObject* receiver, QEvent* event) override;
};
