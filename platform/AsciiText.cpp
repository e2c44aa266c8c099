#include "AsciiText.h"

QString asciiLower(QString text) {
    for (QChar& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = QChar(c.unicode() + ('a' - 'A'));
        }
    }
    return text;
}
