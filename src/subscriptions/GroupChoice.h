#pragma once

#include <QString>
#include <optional>

struct ListContext;

// Why a group is being checked; the question asked differs.
enum GroupCheckKind { GroupForAddedEntry = 1, GroupForRemovedEntry = -1, GroupTyped = 5 };

// True when the group is supported or the user chose one in the group chooser; the
// group then becomes the chosen text, which joins the group list unless an entry
// is being removed (there the user may clear it to mean every group).
bool CheckGroup(const ListContext& ctx, QString& group, int kind);

// The text of a group box: without a comma one group checked as typed; with commas
// (only when several are allowed) each piece, the text rebuilt from the accepted
// pieces. The text changes only when every piece passed.
bool CheckGroup_Tcombo(const ListContext& ctx, QString& text, bool allowSeveral);

// The group chooser with its OK rules: no empty text unless blank is allowed, a
// well-formed name, and with checkSupported a supported (or newly added) group.
// initial is the text shown first (callers with a list give the current entry's
// group when they have no other). nullopt on Cancel.
std::optional<QString> GetGroup_bool(const ListContext& ctx, const QString& heading,
                                     const QString& initial, bool allowBlank, bool checkSupported);
std::optional<QString> GetGroup(const ListContext& ctx, const QString& heading,
                                const QString& initial, bool checkSupported);
