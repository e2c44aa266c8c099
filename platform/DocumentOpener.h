#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// The desktop's service that opens a document or a web address with its associated program.
// It returns at once; what it does with the request is the desktop's business.
class DocumentOpener {
public:
    static constexpr int kShowNormal = 1;

    virtual ~DocumentOpener() = default;
    // owner: the window anything shown belongs to (may be null); verb: "open" or null for the
    // default action; file: a document name, relative to directory (null: the current
    // directory at the moment of the call), or a web address.
    virtual void open(QWidget* owner, const char* verb, const QString& file,
                      const QString& parameters, const QString& directory, int showCommand) = 0;
};

// What the desktop is handed for a file: an "http://" or "https://" address as it stands; any
// other text is a file name, made absolute against directory (or the current directory) and
// turned into a file:// URL, so that no name can be read as an option or another scheme.
QUrl documentUrl(const QString& file, const QString& directory);

// Whether a text begins with "http://" or "https://" (the letters in any case).
bool isWebAddress(const QString& text);

// The opener in use: the desktop's (xdg-open through QDesktopServices) unless replaced.
DocumentOpener& documentOpener();

// Replaces the opener (tests record the calls); nullptr restores the desktop's.
void setDocumentOpener(DocumentOpener* opener);
