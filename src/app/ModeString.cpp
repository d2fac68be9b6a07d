#include "app/ModeString.h"

std::optional<ModeString> ModeString::parse(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar first = text.front();
    if (first < u'0' || first > u'9')
        return std::nullopt;
    return ModeString{first.digitValue(), text.mid(1)};
}

QString mainTabCaption(int tab)
{
    switch (tab) {
    case InformationTab: return "Information";
    case AllMailingListTab: return "All Mailing List";
    case SelectGroupsTab: return "Select Groups";
    case SearchTab: return "Search Mailing List";
    case OtherTab: return "Other";
    default: return {};
    }
}

QString GetModeEntriesText(int tab, bool showSelectedGroups)
{
    switch (tab) {
    case SelectGroupsTab:
        return showSelectedGroups ? "Contacts from Selected Groups"
                                  : "Contacts excluding those from Selected Groups";
    case SearchTab: return "Contacts from Current Search";
    case OtherTab: return "Contacts from the Special Search";
    default: return "All Database Contacts";
    }
}
