/* Finding the library registered for a programmatic identifier: the user's
 * system folder's registry first, then the system-wide one. */
#ifndef FENWARX_REGISTRY_LOOKUP_H
#define FENWARX_REGISTRY_LOOKUP_H

#include <stddef.h>

/* Copies the library registered for prog_id into `library` and returns 1; else
 * returns 0 and puts the registry files searched into `searched`. */
int find_registered_library(const char* prog_id, char* library, size_t size, char* searched,
                            size_t searched_size);

#endif /* FENWARX_REGISTRY_LOOKUP_H */
