/* The component for callers in other languages: create a return object by
 * programmatic identifier, call its members by name with variant arguments,
 * open and save the workbook to pass it, read the message boxes it showed.
 *
 * Texts the library hands out for a handle (results, by-reference texts, error
 * descriptions, messages) stay valid until the next fenwarx_invoke on it or
 * fenwarx_free_text; the array of messages until then or the next
 * fenwarx_messages. A NULL handle stands for the calling thread's global object
 * (an instance of clsExport26). */
#ifndef FENWARX_C_API_H
#define FENWARX_C_API_H

#include <stddef.h>

#if defined(__GNUC__)
#define FENWARX_API __attribute__((visibility("default")))
#else
#define FENWARX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A return object or a workbook. */
typedef struct fenwarx_handle fenwarx_handle;

enum fenwarx_type {
  FENWARX_EMPTY = 0,
  FENWARX_NUMBER = 1,
  FENWARX_TEXT = 2,
  FENWARX_DATE = 3,    /* number: days since 30/12/1899, the time as the fraction */
  FENWARX_BOOLEAN = 4, /* number: -1 for True, 0 for False */
  FENWARX_ERROR = 5,   /* number: the cell error code (2042 for #N/A) */
  FENWARX_OBJECT = 6
};

typedef struct fenwarx_variant {
  int type; /* an enum fenwarx_type */
  double number;
  const char* text; /* FENWARX_TEXT: NUL-terminated UTF-8 */
  fenwarx_handle* object;
} fenwarx_variant;

typedef struct fenwarx_message {
  const char* text;
  const char* title;
  int style; /* 0 plain, 16 critical, 64 information */
} fenwarx_message;

/* "Fenwarx.clsExport26" and the like, ignoring case; NULL when not registered. */
FENWARX_API fenwarx_handle* fenwarx_create(const char* prog_id);

/* An .xlsx or .xlsm file; NULL when it cannot be read (see fenwarx_last_error). */
FENWARX_API fenwarx_handle* fenwarx_open_workbook(const char* path);

/* Saves the workbook back to its file (path NULL) or to path. 0, or the error number. */
FENWARX_API int fenwarx_save_workbook(fenwarx_handle* workbook, const char* path);

/* Calls a member by name. Returns 0 on success, else the error number, also put in
 * *error_number with its description in *error_description (either may be NULL).
 * By-reference arguments come back changed in args. result may be NULL. */
FENWARX_API int fenwarx_invoke(fenwarx_handle* handle, const char* member, fenwarx_variant* args,
                               size_t count, fenwarx_variant* result, int* error_number,
                               const char** error_description);

/* The message boxes shown by the handle's calls since the last fenwarx_messages. */
FENWARX_API const fenwarx_message* fenwarx_messages(fenwarx_handle* handle, size_t* count);

/* Releases the texts handed out for the handle before its next call. */
FENWARX_API void fenwarx_free_text(fenwarx_handle* handle);

/* The last failure of fenwarx_create, fenwarx_open_workbook, fenwarx_save_workbook,
 * fenwarx_register_server or fenwarx_unregister_server on this thread: its number
 * (0 for none) and description (valid until the next one). */
FENWARX_API int fenwarx_last_error(const char** description);

/* Releases a return object or a workbook; NULL is ignored. */
FENWARX_API void fenwarx_release(fenwarx_handle* handle);

/* Registration, as fenwarx-register calls it: names this library's file (the path
 * it was loaded by, made absolute) for Fenwarx.clsExport24, ...26, ...27 and
 * ...27EQ in the class registry of the system folder (FENWARX_SYSTEM_DIR, else
 * ${XDG_DATA_HOME:-~/.local/share}/fenwarx/system), made when missing; other
 * entries are kept, the file is replaced whole. 0, or the error number. */
FENWARX_API int fenwarx_register_server(void);

/* Removes the four identifiers' entries from that registry. 0, or the error number. */
FENWARX_API int fenwarx_unregister_server(void);

#ifdef __cplusplus
}
#endif

#endif /* FENWARX_C_API_H */
