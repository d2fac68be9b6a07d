// Any bytes read as a message: parsing never crashes, the own text is a part of
// what the message holds, and every attachment is saved inside the folder, under a
// name of its own, with its content whole.
#include "FuzzSupport.h"
#include "mail/MailMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzScratch scratch;
    const MailMessage message = parseMailMessage(fuzzBytes(data, size));
    if (!message.hasReturnedMessage)
        FUZZ_REQUIRE(message.ownTextLines == message.bodyLines);
    for (const DeliveryStatusRecipient& recipient : message.deliveryStatus)
        FUZZ_REQUIRE(!recipient.finalRecipient.isEmpty() || !recipient.originalRecipient.isEmpty());

    const QString folder = scratch.path("attachments/saved");
    const QStringList paths = saveAttachments(message, folder);
    FUZZ_REQUIRE(paths.size() == message.attachments.size());
    QSet<QString> seen;
    for (qsizetype at = 0; at < paths.size(); ++at) {
        const QFileInfo file(paths[at]);
        FUZZ_REQUIRE(file.absolutePath() == QDir(folder).absolutePath());
        FUZZ_REQUIRE(!seen.contains(file.fileName()));
        seen.insert(file.fileName());
        QFile saved(paths[at]);
        FUZZ_REQUIRE(saved.open(QIODevice::ReadOnly) && saved.readAll() == message.attachments[at].data);
    }
    FUZZ_REQUIRE(QDir(scratch.path("attachments")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) ==
                 QStringList{"saved"} || paths.isEmpty());
    QDir(scratch.path("attachments")).removeRecursively();
    return 0;
}
