#include "shell/VisitMemory.h"

#include <QPixmapCache>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quenmark {

void LimitPictureCaches()
{
    QPixmapCache::setCacheLimit(0);
}

void ReleaseVisitMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace quenmark
