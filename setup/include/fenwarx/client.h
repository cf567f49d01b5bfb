/* The client loader: creates the component's classes by programmatic identifier
 * in the library the class registry names, without linking that library. Link
 * libfenwarx-client (pkg-config fenwarx-client) and call the functions of
 * <fenwarx/c_api.h>, declared here too: each is forwarded to the registered
 * library, loaded once, on first use.
 *
 * The registry is classes.ini in the user's system folder (FENWARX_SYSTEM_DIR,
 * else ${XDG_DATA_HOME:-~/.local/share}/fenwarx/system), then in the system-wide
 * folder the loader was built with (/var/lib/fenwarx in the Debian package).
 * A call made before any object is created (fenwarx_open_workbook, say) loads the
 * library registered for Fenwarx.clsExport26. */
#ifndef FENWARX_CLIENT_H
#define FENWARX_CLIENT_H

#include <fenwarx/c_api.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A new object of the class registered as prog_id ("Fenwarx.clsExport26", any
 * case). NULL when the identifier is not registered or its library cannot be
 * loaded: fenwarx_last_error then gives 429 and says which. fenwarx_create does
 * the same. Release the object with fenwarx_release. */
FENWARX_API fenwarx_handle* fenwarx_create_object(const char* prog_id);

#ifdef __cplusplus
}
#endif

#endif /* FENWARX_CLIENT_H */
