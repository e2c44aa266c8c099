#pragma once

#include "DocumentOpener.h"

#include <QDir>
#include <QStringList>

#include <vector>

// Stands in for the desktop: records every call of the document opener, with the current
// directory at that moment.
class RecordingOpener : public DocumentOpener {
public:
    struct Call {
        QWidget* owner;
        QString verb; // empty for none
        bool verbGiven;
        QString file;
        bool parametersGiven;
        bool directoryGiven;
        QString folder;
        int show;
    };

    void open(QWidget* owner, const char* verb, const QString& file, const QString& parameters,
              const QString& directory, int showCommand) override {
        calls.push_back({owner, verb ? verb : "", verb != nullptr, file, !parameters.isNull(),
                         !directory.isNull(), QDir::currentPath() + '/', showCommand});
    }

    QStringList files() const {
        QStringList names;
        for (const Call& call : calls)
            names << call.file;
        return names;
    }

    std::vector<Call> calls;
};
