#include "mail/ContactsStore.h"
#include "mail/MailStores.h"
#include "mail/VCardContacts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Cards as three kinds of address book write them, one cut off half-way.
QByteArray addressBook()
{
    return QByteArray(
        // An older desktop mail program: vCard 2.1, Latin-1, quoted-printable with a soft break.
        "BEGIN:VCARD\r\n"
        "VERSION:2.1\r\n"
        "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=F6rg\r\n"
        "FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:J=F6rg M=\r\n"
        "=FCller\r\n"
        "EMAIL;PREF;INTERNET:joerg@example.de\r\n"
        "EMAIL;INTERNET:j.mueller@example.org\r\n"
        "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n"
        "  /9j/4AAQSkZJRgABAQEASABIAAD/2wBDAP//////////////////////////////////////\r\n"
        "  //////////8=\r\n"
        "\r\n"
        "END:VCARD\r\n"
        // A phone export: 3.0, no FN, folded lines (one inside an address), grouped properties.
        "BEGIN:VCARD\r\n"
        "VERSION:3.0\r\n"
        "N:Doe;Jane;Q.;Dr.;\r\n"
        "EMAIL;TYPE=INTERNET,WORK:jane.doe@exam\r\n"
        " ple.com\r\n"
        "item1.EMAIL;type=\"INTERNET,HOME\":jane@home.example\r\n"
        "NOTE:Met at the fair\\, 2023\\nCall back\r\n"
        "END:VCARD\r\n"
        // Cut off: never ended before the next card begins.
        "BEGIN:VCARD\r\n"
        "VERSION:3.0\r\n"
        "FN:Half A. Card\r\n"
        "EMAIL:half@example.net\r\n"
        // A server address book: 4.0 group with mailto members and one that is not mail.
        "BEGIN:VCARD\n"
        "VERSION:4.0\n"
        "KIND:group\n"
        "FN:Garden Club\n"
        "MEMBER:mailto:ann@example.com\n"
        "MEMBER:urn:uuid:03a0e51f-d1aa-4385-8a53-e29025acd8af\n"
        "MEMBER:MAILTO:bob@example.com?subject=club\n"
        "END:VCARD\n"
        // Another server's group spelling, an escaped comma, UTF-8 written as is.
        "BEGIN:VCARD\r\n"
        "VERSION:3.0\r\n"
        "X-ADDRESSBOOKSERVER-KIND:group\r\n"
        "FN:Åström\\, Family\r\n"
        "X-ADDRESSBOOKSERVER-MEMBER:mailto:zoe@example.se\r\n"
        "END:VCARD\r\n"
        "BEGIN:VCARD\r\n"
        "VERSION:4.0\r\n"
        "FN:Zoë Ådahl\r\n"
        "EMAIL;PREF=1:zoe@example.se\r\n"
        "END:VCARD\r\n");
}

TEST(VCardContacts, ReadsEveryWholeCardOfARealisticAddressBook)
{
    QTemporaryDir tmp;
    const QString path = tmp.path() + "/book.vcf";
    writeTestFile(path, addressBook());
    const QList<VCardContact> cards = readVCardFile(path);

    ASSERT_EQ(cards.size(), 5);
    EXPECT_EQ(cards[0].fullName, QString::fromUtf8("Jörg Müller"));
    EXPECT_EQ(cards[0].addresses, QStringList({"joerg@example.de", "j.mueller@example.org"}));
    EXPECT_FALSE(cards[0].isGroup);
    EXPECT_EQ(cards[1].fullName, "Dr. Jane Q. Doe");
    EXPECT_EQ(cards[1].addresses, QStringList({"jane.doe@example.com", "jane@home.example"}));
    EXPECT_EQ(cards[2].fullName, "Garden Club");
    EXPECT_TRUE(cards[2].isGroup);
    EXPECT_EQ(cards[2].addresses, QStringList({"ann@example.com", "bob@example.com"}));
    EXPECT_EQ(cards[3].fullName, QString::fromUtf8("Åström, Family"));
    EXPECT_TRUE(cards[3].isGroup);
    EXPECT_EQ(cards[3].addresses, QStringList({"zoe@example.se"}));
    EXPECT_EQ(cards[4].fullName, QString::fromUtf8("Zoë Ådahl"));
    EXPECT_EQ(cards[4].addresses, QStringList({"zoe@example.se"}));
}

TEST(VCardContacts, ContactsFoldersAreTheVCardFilesAndHoldNoMessages)
{
    QTemporaryDir tmp;
    writeTestFile(tmp.path() + "/Friends.vcf", addressBook());
    writeTestFile(tmp.path() + "/Club - 2024.VCF", "BEGIN:VCARD\r\nFN:One\r\nEND:VCARD\r\n");
    writeTestFile(tmp.path() + "/notes.txt", "BEGIN:VCARD\r\nEND:VCARD\r\n");
    std::vector<std::unique_ptr<MailStore>> list;
    list.push_back(openContactsStore(tmp.path()));
    const MailStores stores(std::move(list), {});

    const QList<MailFolderNode> folders = stores.store("Contacts")->folders();
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0].name, "Club - 2024");
    EXPECT_EQ(folders[0].messageCount, 1);
    EXPECT_EQ(folders[1].name, "Friends");
    EXPECT_EQ(folders[1].kind, MailFolderNode::Kind::Contacts);
    EXPECT_EQ(folders[1].messageCount, 5);
    EXPECT_EQ(stores.readContacts("Contacts//Friends").at(1).fullName, "Dr. Jane Q. Doe");
    EXPECT_THROW(stores.open("Contacts//Friends"), MailError);
    EXPECT_THROW(stores.readContacts("Contacts//Enemies"), MailError);
}

}  // namespace
