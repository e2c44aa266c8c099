#include "DocumentOpener.h"

#include "AsciiText.h"
#include "ProgramFolder.h"

#include <QDesktopServices>
#include <QDir>

namespace {

class DesktopOpener final : public DocumentOpener {
public:
    void open(QWidget*, const char*, const QString& file, const QString&, const QString& directory,
              int) override {
        const QUrl url = documentUrl(file, directory);
        if (url.isValid()) {
            QDesktopServices::openUrl(url);
        }
    }
};

DocumentOpener* replacement = nullptr;

} // namespace

bool isWebAddress(const QString& text) {
    return asciiLower(text.left(7)) == QLatin1String("http://") ||
           asciiLower(text.left(8)) == QLatin1String("https://");
}

QUrl documentUrl(const QString& file, const QString& directory) {
    if (isWebAddress(file)) {
        return QUrl(file, QUrl::TolerantMode);
    }
    if (file.isEmpty()) {
        return {};
    }
    if (directory.isNull()) {
        return QUrl::fromLocalFile(absolutePath(file));
    }
    return QUrl::fromLocalFile(QDir(directory).absoluteFilePath(file));
}

DocumentOpener& documentOpener() {
    static DesktopOpener desktop;
    return replacement ? *replacement : desktop;
}

void setDocumentOpener(DocumentOpener* opener) {
    replacement = opener;
}
