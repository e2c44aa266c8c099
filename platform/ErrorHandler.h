#pragma once

#include <QString>

#include <exception>
#include <functional>

// The application-wide error handler: an error that leaves an event handler abandons the rest
// of it and is shown in an error box titled with the application title; the program goes on.

// The application title: the program file's name without folder, cut at its first dot, every
// character after the first in lower case.
QString applicationTitle(const QString& programPath);

// The message as the error box shows it: a full stop is added when its last character sorts
// after "." in the character code.
QString withFullStop(const QString& message);

// Shows an error. By default a modal message box with an error icon and one OK button; the
// event loop keeps running inside it, so timers go on ticking.
void reportError(const QString& message);
void reportException(const std::exception& error);

// Tests answer the error box through this seam; an empty function restores the message box.
using ErrorPresenter = std::function<void(const QString& title, const QString& message)>;
void setErrorPresenter(ErrorPresenter presenter);

// Runs one event handler: an exception ends it and goes to the error handler. Qt does not
// let exceptions pass through its own frames, so handlers are run through here.
template <typename Handler> void runHandler(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        reportException(error);
    }
}
