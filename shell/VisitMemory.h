// Keeping the program's memory flat over any number of chapter visits.
#pragma once

namespace quenmark {

// At start-up, before anything is painted: no shared pixmap cache. The style
// and the icons cache their pictures under keys that name each window's own
// palette and icon, so a released chapter window's entries are never met
// again; and the cache keeps the key text of every entry it has ever dropped
// (only a lookup of the very same key removes it). With a cache, memory grows
// with every visit; without one, painting a button costs a few microseconds.
void LimitPictureCaches();

// After a chapter window has been released: hands the freed heap pages back
// to the system, so the resident size follows what is really in use.
void ReleaseVisitMemory();

} // namespace quenmark
