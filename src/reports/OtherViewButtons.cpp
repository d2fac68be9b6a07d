#include "reports/OtherViewButtons.h"

OtherViewButtons otherViewButtons(OtherView view)
{
    using W = OtherViewButtons::Work;
    switch (view) {
    case OtherView::NewEntries:
        return {"Mark Viewed", "Mark the selected entries as viewed", "Mark All Viewed", "Mark all entries as viewed",
                W::MarkViewed};
    case OtherView::LastSevenDays: return {};
    case OtherView::NoSendingRights:
        return {"Allow Sending", "Allow the selected users to send messages to your groups", "Allow All Sending",
                "Allow all users to send messages to your groups", W::AllowSending};
    case OtherView::FrequentBounces:
        return {"Delete Entry", "Deletes the selected entries from your database", "Delete All",
                "Deletes all displayed entries from the database", W::Delete};
    case OtherView::Tagged:
        return {"Clear Tag", "Clears the 'tag' from the selected entries", "Clear All Tags",
                "Clears the 'tag' from all displayed entries", W::ClearTag};
    }
    return {};
}
