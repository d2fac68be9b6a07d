#include "base/ProcessEnvironment.h"

#include <QByteArray>
#include <QtGlobal>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void prepareProcessEnvironment()
{
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", QByteArray(":/etc/localtime"));
#if defined(__GLIBC__)
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TOP_PAD, 16 * 1024 * 1024);
    // Fixing the trim threshold stops the library from raising its mapping
    // threshold by itself; set it to where large message buffers stay on the heap.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
#endif
}
