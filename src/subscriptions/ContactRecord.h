#pragma once

#include <QString>

// The contact fields handed along with an address, in their fixed order. The
// first name is kept in the entry's Salutation field.
struct TCVNAddress {
    QString FirstName;
    QString Surname;
    QString Company;
    QString Address;
    QString City;
    QString State;
    QString ZIP;
    QString Country;
};
