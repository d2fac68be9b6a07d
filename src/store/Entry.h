#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

// One row of the entries table "mailist.dat", fields in table order.
struct Entry {
    qint64 Index = 0;  // assigned by the engine
    QString Item;      // the address
    QString Category;  // the group
    int Bounces = 0;
    QString Comments;
    QString Name;
    QString Salutation;
    bool SendRights = true;
    QString Surname;
    QString Company;
    QString Address;
    QString City;
    QString State;
    QString ZIP;
    QString Country;
    std::optional<QDate> LastBounce;
    std::optional<int> Status;
    bool NewUser = false;
    bool SearchHit = false;
    bool Tagged = false;
    bool PlainText = false;
    QDateTime InsertDate;
    std::optional<int> ExtraInt;
    std::optional<bool> ExtraBool;
};
