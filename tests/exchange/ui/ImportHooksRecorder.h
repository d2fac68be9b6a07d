#pragma once

#include "exchange/ImportHooks.h"
#include "subscriptions/ListFixture.h"
#include "support/TestFiles.h"

#include <QList>
#include <QWidget>
#include <optional>

// What the dialogs ask of the import, taken down call by call; the list itself is
// the import core's to change and is not touched.
struct ImportCall {
    QStringList lines;
    bool add = false;
    ImportOptions options;
    QString separator;
    bool splitFields = false;
    QString group;
    bool asBounce = false;
    std::optional<ImportMapping> mapping;  // set for the multi-column form
};

class ImportDialogFixture : public ListFixture {
protected:
    ImportHooks hooks()
    {
        ImportHooks h;
        h.importLines = [this](const QStringList& lines, bool add, const ImportOptions& options,
                               const QString& separator, bool splitFields, const QString& group, bool asBounce,
                               ImportReport& report) {
            calls.push_back({lines, add, options, separator, splitFields, group, asBounce, std::nullopt});
            if (refuseSecondLine && lines.size() > 1)
                report.reject(2, ImportRejection::Blocked, lines[1]);
            return ImportResult{int(lines.size()), true, {}};
        };
        h.importColumns = [this](const QStringList& lines, const ImportMapping& mapping, const ImportOptions& options,
                                 ImportReport&) {
            calls.push_back({lines, true, options, {}, false, {}, false, mapping});
            return ImportResult{int(lines.size()), true, {}};
        };
        return h;
    }

    template <typename T>
    static T* child(QWidget& parent, const char* name)
    {
        T* found = parent.findChild<T*>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        writeTestFile(path, bytes);
        return path;
    }

    QList<ImportCall> calls;
    bool refuseSecondLine = false;
};
