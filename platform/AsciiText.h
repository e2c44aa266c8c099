#pragma once

#include <QString>

// Lower-cases the letters A to Z only, whatever the locale: file extensions and address
// prefixes are compared this way.
QString asciiLower(QString text);
