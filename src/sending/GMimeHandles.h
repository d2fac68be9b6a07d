#pragma once

// GMime comes before any Qt header: glib names struct members "signals", which
// Qt defines as a keyword.
#include <gmime/gmime.h>

#include <memory>

// Owning handles for what GMime and glib hand out.
struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFreeText {
    void operator()(char* text) const { g_free(text); }
};
using GText = std::unique_ptr<char, GFreeText>;

// g_mime_init counts its calls, so each user may make sure of it.
inline void ensureGMime()
{
    static const bool ready = (g_mime_init(), true);
    (void)ready;
}
