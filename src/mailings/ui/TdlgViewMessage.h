#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;
struct SendLogRecord;

// "View Message": one logged message with its recipients, count, date and
// attachments. "Resend this Message..." closes it accepted, Close rejected.
class TdlgViewMessage : public QDialog {
    Q_OBJECT
public:
    // Why the record cannot be shown ("No body or subject"), else empty: the caller
    // shows it instead of the dialog.
    static QString cannotView(const SendLogRecord& record);

    explicit TdlgViewMessage(const SendLogRecord& record, QWidget* parent = nullptr);
    ~TdlgViewMessage() override;

private:
    void showBody(const SendLogRecord& record);

    QTextBrowser* brwBody_;
    QString htmlFile_;  // the custom HTML's page, removed with the dialog
};
