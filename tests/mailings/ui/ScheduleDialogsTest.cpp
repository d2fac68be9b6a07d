#include "logs/Logs.h"
#include "mailings/ScheduleTable.h"
#include "mailings/ScheduleTexts.h"
#include "mailings/ui/TdlgMailSchedule.h"
#include "mailings/ui/TdlgScheduleSend.h"
#include "sending/ui/TdlgSendMethod.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 11), QTime(9, 30));

template <class W> W* inDialog(const char* name)
{
    QWidget* dialog = QApplication::activeModalWidget();
    W* widget = dialog ? dialog->findChild<W*>(name) : nullptr;
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void click(const char* name) { inDialog<QPushButton>(name)->click(); }

struct ScheduleDialogs : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + "/";
        Database::createMissingTables(folder, TableScope::All);
        database.setFolder(folder, false, false);
        database.openTable(TableId::Schedules);
    }

    TdlgScheduleSend::Services dialogServices()
    {
        return {ui, settings, logs, {}, [this](int topic) { helpTopics << topic; }};
    }

    TdlgMailSchedule::Services viewerServices()
    {
        return {dialogServices(), table, folder, [this](const QString& file) { recipientFiles << file; },
                [] { return kNow; }};
    }

    ScheduleRow add(const QString& name, int status, const QString& tableFile = "SendMail.dat")
    {
        ScheduleRow row;
        row.BatchName = name;
        row.StartDate = kNow.addDays(-1);
        row.NextSend = kNow.addDays(1);
        row.Frequency = 120;
        row.SendCount = 1000;
        row.RecipientTotal = 2500;
        row.RecipientSent = 1000;
        row.Subject = "Subject of " + name;
        row.SendType = 4;
        row.Status = status;
        row.SendTableFile = tableFile;
        row.Index = table.append(row);
        return row;
    }

    QStringList gridNames()
    {
        auto* grid = inDialog<QTableWidget>("grdSchedule");
        QStringList names;
        for (int line = 0; line < grid->rowCount(); ++line)
            names << grid->item(line, 1)->text();
        return names;
    }

    void selectLine(int line) { inDialog<QTableWidget>("grdSchedule")->selectRow(line); }

    QTemporaryDir dir;
    QString folder;
    Database database;
    ScheduleTable table{database.connection()};
    Settings settings;
    ScriptedUi ui;
    Logs logs{settings.logSwitches(), QString(), [] { return QString(); }};
    QList<int> helpTopics;
    QStringList recipientFiles;
};

TEST_F(ScheduleDialogs, ANewScheduleNeedsANameAndANumberChangedSelectsItsOption)
{
    QTimer::singleShot(0, [this] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Schedule Sending of this Message");
        auto* name = inDialog<QLineEdit>("edtBatchName");
        EXPECT_TRUE(name->text().startsWith("Mail-Out "));
        EXPECT_EQ(inDialog<QDateEdit>("edtStartDate")->minimumDate(), QDate::currentDate().addDays(-1));
        EXPECT_FALSE(inDialog<QPushButton>("btnChangeMethod")->isVisible());
        EXPECT_FALSE(inDialog<QSpinBox>("spnDelay")->isEnabled()) << "all recipients at once: no delay";
        click("btnExampleSchedule");

        name->clear();
        click("btnOK");
        EXPECT_EQ(ui.texts(), QStringList{"You have not specified a name for this delivery."});
        ASSERT_EQ(QApplication::activeModalWidget(), dialog) << "the dialog stays open";

        QTest::keyClicks(name, "Winter news");
        inDialog<QSpinBox>("spnBatchSize")->setValue(500);
        EXPECT_TRUE(inDialog<QRadioButton>("rdbBatchRecipients")->isChecked());
        EXPECT_TRUE(inDialog<QSpinBox>("spnDelay")->isEnabled());
        inDialog<QRadioButton>("rdbBatchManual")->setChecked(true);
        inDialog<QComboBox>("cmbDelayUnit")->setCurrentIndex(0);
        EXPECT_TRUE(inDialog<QRadioButton>("rdbBatchDelay")->isChecked());
        inDialog<QSpinBox>("spnDelay")->setValue(20);
        inDialog<QRadioButton>("rdbStartNow")->setChecked(true);
        click("btnOK");
    });
    const auto chosen = TdlgScheduleSend::askNew(nullptr, dialogServices());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->name, "Winter news");
    EXPECT_EQ(chosen->start, ScheduleSettings::Start::Now);
    EXPECT_FALSE(chosen->allRecipients);
    EXPECT_EQ(chosen->batchSize, 500);
    EXPECT_FALSE(chosen->batchesByHand);
    EXPECT_EQ(chosen->delay, 20);
    EXPECT_EQ(chosen->unit, ScheduleSettings::Unit::Minutes);
    EXPECT_EQ(helpTopics, QList<int>{14});
}

TEST_F(ScheduleDialogs, EditingShowsTheStoredChoicesAndItsMethodWhichChangeCanReplace)
{
    ScheduleSettings stored;
    stored.name = "Spring";
    stored.start = ScheduleSettings::Start::Manual;
    stored.allRecipients = false;
    stored.batchSize = 250;
    stored.delay = 3;
    stored.unit = ScheduleSettings::Unit::Days;
    stored.method = 4;

    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_FALSE(TdlgScheduleSend::askEdit(nullptr, dialogServices(), stored)) << "Escape cancels";

    QTimer::singleShot(0, [this] {
        EXPECT_TRUE(inDialog<QRadioButton>("rdbStartManual")->isChecked());
        EXPECT_TRUE(inDialog<QRadioButton>("rdbBatchRecipients")->isChecked());
        EXPECT_EQ(inDialog<QSpinBox>("spnBatchSize")->value(), 250);
        EXPECT_EQ(inDialog<QComboBox>("cmbDelayUnit")->currentText(), "days");
        EXPECT_EQ(inDialog<QSpinBox>("spnDelay")->value(), 3);
        EXPECT_TRUE(inDialog<QLabel>("lblSendingMethod")->isVisible());
        EXPECT_EQ(inDialog<QLabel>("lblMethod")->text(), TdlgSendMethod::MethodCaption(4));
        EXPECT_FALSE(inDialog<QPushButton>("btnExampleSchedule")->isVisible());
        QTimer::singleShot(0, [] {  // the send-method dialog, over the schedule dialog
            inDialog<QRadioButton>("rdbMAPI")->setChecked(true);
            inDialog<QDialogButtonBox>("btnsSendMethod")->button(QDialogButtonBox::Ok)->click();
        });
        click("btnChangeMethod");
        EXPECT_EQ(inDialog<QLabel>("lblMethod")->text(), TdlgSendMethod::MethodCaption(0));
        click("btnOK");
    });
    const auto chosen = TdlgScheduleSend::askEdit(nullptr, dialogServices(), stored);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->method, 0);
    EXPECT_EQ(chosen->start, ScheduleSettings::Start::Manual);
    EXPECT_EQ(chosen->name, "Spring");
}

TEST_F(ScheduleDialogs, TheViewerButtonsChangeTheSelectedSchedule)
{
    add("Done", ScheduleStatus::Completed);
    const ScheduleRow autumn = add("Autumn", ScheduleStatus::Processing, "SendMail_4.dat");
    const ScheduleRow bare = add("Bare", ScheduleStatus::NotStarted, {});
    QTimer::singleShot(0, [&, this] {
        EXPECT_TRUE(inDialog<QCheckBox>("chkHideCompleted")->isChecked());
        EXPECT_EQ(gridNames(), QStringList({"Autumn", "Bare"}));
        auto* grid = inDialog<QTableWidget>("grdSchedule");
        selectLine(0);
        EXPECT_EQ(inDialog<QLineEdit>("edtSubject")->text(), "Subject of Autumn");
        QStringList cells;
        for (int column = 3; column < grid->columnCount(); ++column)
            cells << grid->item(0, column)->text();
        EXPECT_EQ(cells, QStringList({"Processing", scheduleDateTimeText(kNow.addDays(1)), "Every 2 hours", "1000",
                                      "2500", "1000", "SMTP Server", "SendMail_4.dat"}));

        click("btnShowRecipients");
        EXPECT_EQ(recipientFiles, QStringList{"SendMail_4.dat"});
        click("btnPutOnHold");
        EXPECT_EQ(table.read(autumn.Index)->Status, ScheduleStatus::OnHold);
        EXPECT_EQ(gridNames(), QStringList{"Bare"}) << "held items are hidden";
        inDialog<QCheckBox>("chkHideCompleted")->setChecked(false);
        EXPECT_EQ(gridNames(), QStringList({"Done", "Autumn", "Bare"}));
        selectLine(1);
        click("btnRecommence");
        EXPECT_EQ(table.read(autumn.Index)->Status, ScheduleStatus::Processing);
        ASSERT_NE(QApplication::activeModalWidget(), nullptr) << "recommence keeps the viewer open";

        selectLine(2);
        click("btnShowRecipients");  // no table file: only a beep
        EXPECT_EQ(recipientFiles.size(), 1);
        QTimer::singleShot(0, [] {  // the schedule dialog, over the viewer
            inDialog<QLineEdit>("edtBatchName")->setText("Bare renamed");
            inDialog<QRadioButton>("rdbStartManual")->setChecked(true);
            click("btnOK");
        });
        click("btnEditItem");
        EXPECT_EQ(gridNames(), QStringList({"Done", "Autumn", "Bare renamed"}));
        EXPECT_EQ(inDialog<QTableWidget>("grdSchedule")->item(2, 4)->text(), "Manual");
        click("btnHelp");
        selectLine(1);
        click("btnSendToAllNow");
    });
    EXPECT_EQ(TdlgMailSchedule::run(nullptr, viewerServices()), TdlgMailSchedule::SendRequested);
    const ScheduleRow sent = *table.read(autumn.Index);
    EXPECT_EQ(sent.Status, ScheduleStatus::Processing);
    EXPECT_EQ(sent.NextSend, kNow);
    EXPECT_EQ(sent.SendCount, 0);
    EXPECT_EQ(table.read(bare.Index)->SendCount, 1000);
    EXPECT_EQ(helpTopics, QList<int>{15});
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(ScheduleDialogs, AnEmptyScheduleIsSaidFirstAndDeletingTheLastItemSaysSo)
{
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(TdlgMailSchedule::run(nullptr, viewerServices()), TdlgMailSchedule::Closed);
    EXPECT_EQ(ui.texts(), QStringList{"You do not have any items in your send schedule.  To start a new scheduled "
                                      "sending use the 'Send E-mail to List' function."});

    const ScheduleRow only = add("Only", ScheduleStatus::NotStarted, "SendMail_9.dat");
    QFile file(folder + "SendMail_9.dat");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ui.shown.clear();
    QTimer::singleShot(0, [this] {
        selectLine(0);
        ui.answer(Ui::Answer::Yes);
        click("btnDeleteItem");
        EXPECT_TRUE(gridNames().isEmpty());
        click("btnClose");
    });
    EXPECT_EQ(TdlgMailSchedule::run(nullptr, viewerServices()), TdlgMailSchedule::Closed);
    EXPECT_FALSE(table.read(only.Index));
    EXPECT_FALSE(QFile::exists(folder + "SendMail_9.dat"));
    EXPECT_EQ(ui.texts(), QStringList({"Are you sure you want to remove this item?",
                                       "You have no more items in your send schedule."}));
}

}  // namespace
