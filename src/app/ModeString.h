#pragma once

#include <QString>
#include <optional>

// A view of the mailing list as the main window remembers it: one digit for the
// tab followed directly by the entries table's filter expression ("1", "3SearchHit = TRUE").
struct ModeString {
    int tab = 0;
    QString filter;  // empty: the table is unfiltered

    // nullopt for a text that does not start with a decimal digit (such a mode is
    // kept but selects nothing) and for the empty text.
    static std::optional<ModeString> parse(const QString& text);
    QString toString() const { return QString::number(tab) + filter; }
};

// The tabs of the main window, in their order.
enum MainTab { InformationTab = 0, AllMailingListTab, SelectGroupsTab, SearchTab, OtherTab };
inline constexpr int kMainTabCount = 5;

QString mainTabCaption(int tab);

// GetModeEntriesText: which entries the current view holds. showSelectedGroups is the
// "Display the Following groups" choice of the group panel.
QString GetModeEntriesText(int tab, bool showSelectedGroups);
