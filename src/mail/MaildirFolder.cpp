#include "mail/MaildirFolder.h"

#include "mail/MailErrors.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <unistd.h>
#include <vector>

namespace {

// A fresh name is taken only if no other writer has just used it; after this many
// tries something other than chance is wrong.
constexpr int kNameAttempts = 100;

qint64 deliveryTime(const MaildirFile& file)
{
    if (const auto time = leadingNumber(file.name.unique))
        return *time;
    return QFileInfo(file.path).lastModified().toSecsSinceEpoch();
}

}  // namespace

MaildirFolder::MaildirFolder(QString storeName, const QStringList& names, QString directory)
    : storeName_(std::move(storeName)), folderName_(names.join("//")), directory_(std::move(directory))
{
}

QString MaildirFolder::path() const
{
    return storeName_ + "//" + folderName_;
}

QList<MessageListing> MaildirFolder::list()
{
    rescan();
    struct Arrival {
        qint64 time;
        const MaildirFile* file;
    };
    std::vector<Arrival> arrivals;
    arrivals.reserve(size_t(files_.size()));
    for (const MaildirFile& file : std::as_const(files_))
        arrivals.push_back({deliveryTime(file), &file});
    std::sort(arrivals.begin(), arrivals.end(), [](const Arrival& a, const Arrival& b) {
        if (a.time != b.time)
            return a.time < b.time;
        return naturalLess(a.file->name.unique, b.file->name.unique);
    });

    QList<MessageListing> listing;
    listing.reserve(qsizetype(arrivals.size()));
    for (const Arrival& a : arrivals) {
        MessageListing entry;
        entry.key.store = storeName_;
        entry.key.folder = folderName_;
        entry.key.uniqueName = a.file->name.unique;
        entry.seen = a.file->seen();
        // Maildir's "trashed" is IMAP's \Deleted.
        entry.deleted = a.file->name.flags.contains('T');
        listing.push_back(entry);
    }
    return listing;
}

int MaildirFolder::unreadCount()
{
    const QList<MaildirFile> files = scanMaildir(directory_);
    return int(std::count_if(files.begin(), files.end(), [](const MaildirFile& f) { return !f.seen(); }));
}

QByteArray MaildirFolder::fetch(const MessageKey& key)
{
    // Another reader may rename the file (a flag set) between finding and opening
    // it; the second look finds its new name.
    for (int attempt = 0;; ++attempt) {
        const MaildirFile file = locate(key);
        QFile f(file.path);
        if (f.open(QIODevice::ReadOnly))
            return f.readAll();
        if (attempt > 0)
            throw mailError("Cannot read " + file.path + ": " + f.errorString());
        files_.remove(key.uniqueName);
    }
}

void MaildirFolder::markRead(const MessageKey& key)
{
    const MaildirFile file = locate(key);
    if (file.seen())
        return;
    const MaildirName name{file.name.unique, withFlag(file.name.flags, 'S')};
    const QString target = directory_ + "/cur/" + maildirFileName(name.unique, name.flags);
    QString reason;
    if (renameNoReplace(file.path, target, &reason) != RenameOutcome::Done)
        throw mailError("Cannot mark " + key.uniqueName + " in " + path() + " as read: " + reason);
    files_.insert(name.unique, {target, false, name});
}

void MaildirFolder::remove(const MessageKey& key)
{
    removeFile(locate(key));
}

void MaildirFolder::moveTo(const MessageKey& key, MailFolder& target)
{
    if (&target == this)
        return;
    const MaildirFile file = locate(key);
    auto* maildir = dynamic_cast<MaildirFolder*>(&target);
    if (maildir && renameInto(file, *maildir)) {
        files_.remove(key.uniqueName);
        return;
    }
    copyInto(key, file, target);
}

void MaildirFolder::append(const QByteArray& message, const QStringList& flags)
{
    const QString cur = directory_ + "/cur";
    const QString letters = maildirFlagsOf(flags);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString unique = newUniqueName(++appended_);
        const QString temporary = directory_ + "/tmp/" + unique;
        if (!writeNewFile(temporary, message))
            continue;
        QString reason;
        const RenameOutcome outcome = renameNoReplace(temporary, cur + '/' + maildirFileName(unique, letters), &reason);
        if (outcome == RenameOutcome::Done) {
            syncDirectory(cur);
            return;
        }
        QFile::remove(temporary);
        if (outcome != RenameOutcome::TargetExists)
            throw mailError("Cannot add a message to " + path() + ": " + reason);
    }
    throw mailError("Cannot find a free message name in " + path());
}

MaildirFile MaildirFolder::locate(const MessageKey& key)
{
    if (key.store != storeName_ || key.folder != folderName_ || key.uniqueName.isEmpty())
        throw mailError("The message " + key.text() + " is not one of " + path());
    auto it = files_.constFind(key.uniqueName);
    if (it == files_.constEnd() || !QFile::exists(it->path)) {
        rescan();
        it = files_.constFind(key.uniqueName);
    }
    if (it == files_.constEnd())
        throw mailError("The message " + key.uniqueName + " is no longer in " + path());
    return *it;
}

void MaildirFolder::rescan()
{
    files_.clear();
    const QList<MaildirFile> files = scanMaildir(directory_);
    for (const MaildirFile& file : files)
        files_.insert(file.name.unique, file);
}

bool MaildirFolder::renameInto(const MaildirFile& file, MaildirFolder& target)
{
    const QString cur = target.directory_ + "/cur";
    QString reason;
    switch (renameNoReplace(file.path, cur + '/' + maildirFileName(file.name.unique, file.name.flags), &reason)) {
    case RenameOutcome::Done:
        syncDirectory(cur);
        return true;
    case RenameOutcome::TargetExists:
    case RenameOutcome::OtherDevice:
        return false;
    case RenameOutcome::Failed:
        break;
    }
    throw mailError("Cannot move " + file.name.unique + " from " + path() + " to " + target.path() + ": " +
                    reason);
}

void MaildirFolder::copyInto(const MessageKey& key, const MaildirFile& file, MailFolder& target)
{
    // The copy is safely in the target before the original goes.
    target.append(fetch(key), imapFlagsOf(file.name.flags));
    remove(key);
}

void MaildirFolder::removeFile(const MaildirFile& file)
{
    if (::unlink(QFile::encodeName(file.path).constData()) != 0)
        throw mailError("Cannot delete " + file.path + ": " + systemReason());
    files_.remove(file.name.unique);
}
