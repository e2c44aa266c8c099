#pragma once

// The platform layer: what the desktop toolkit and the desktop give the windows. Application
// (this header) sees key presses first and routes errors to the ErrorHandler; JpegDecoder reads
// pictures through libjpeg and JpegPicture and PictureFile make them Qt images for the
// PictureBox; ProgramFolder and DocumentOpener find and open the documents next to the program;
// RadioGroup, LayoutFonts and AsciiText keep the windows' controls as they were designed.

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
