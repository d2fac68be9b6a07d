#pragma once

#include <QString>

struct ListContext;
struct Settings;
class Ui;

// The group list of the options ("Cats.txt"), kept in lower case.

// The group is in the list, compared without regard to case.
bool SupportedGroup(const Settings& settings, const QString& group);

// A non-empty group that is not yet in the list joins it in lower case, and the
// group list boxes are told.
void AddToGroupList(const ListContext& ctx, const QString& group);

// Whether a typed group name may be used: never with a comma; with a blank only
// when the user agrees. An empty name passes.
bool CheckGroupFormatting(Ui& ui, const QString& group);
