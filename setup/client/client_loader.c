/* The client loader: the functions of <fenwarx/c_api.h>, each forwarded to the
 * registered library, which is loaded once (dlopen) and kept for the life of the
 * process. Written in C so that it links nothing but the C library. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <limits.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdatomic.h>
#include <stdio.h>
#include <string.h>

#include "fenwarx/client.h"
#include "registry_lookup.h"

/* Calls made before any object is created go to the library of the class that
 * doubles as the global object. */
#define FENWARX_GLOBAL_CLASS "Fenwarx.clsExport26"
#define FENWARX_CANNOT_CREATE 429

struct server {
  char path[PATH_MAX];
  fenwarx_handle* (*create)(const char*);
  fenwarx_handle* (*open_workbook)(const char*);
  int (*save_workbook)(fenwarx_handle*, const char*);
  int (*invoke)(fenwarx_handle*, const char*, fenwarx_variant*, size_t, fenwarx_variant*, int*,
                const char**);
  const fenwarx_message* (*messages)(fenwarx_handle*, size_t*);
  void (*free_text)(fenwarx_handle*);
  int (*last_error)(const char**);
  void (*release)(fenwarx_handle*);
  int (*register_server)(void);
  int (*unregister_server)(void);
};

static struct server loaded;
static _Atomic(const struct server*) current; /* &loaded once it is complete */
static pthread_mutex_t loading = PTHREAD_MUTEX_INITIALIZER;

/* The loader's own failure on this thread, which fenwarx_last_error reports until
 * a call into the library that may set the library's own. */
static _Thread_local int own_number;
static _Thread_local char own_description[3 * PATH_MAX];

static void fail(const char* format, ...) {
  static const char kText[] = "Can't create object: ";
  memcpy(own_description, kText, sizeof kText);
  va_list args;
  va_start(args, format);
  vsnprintf(own_description + sizeof kText - 1, sizeof own_description - sizeof kText + 1, format,
            args);
  va_end(args);
  own_number = FENWARX_CANNOT_CREATE;
}

static void bind_entry(void* library, const char* name, void* field, size_t size,
                       const char** missing) {
  void* address = dlsym(library, name);
  if (address)
    memcpy(field, &address, size);
  else if (!*missing)
    *missing = name;
}

#define BIND(field, name) bind_entry(library, name, &s->field, sizeof s->field, &missing)

static int bind_server(const char* path, const char* prog_id, struct server* s) {
  void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    fail("%s is registered to %s, which cannot be loaded: %s", prog_id, path, dlerror());
    return -1;
  }
  const char* missing = NULL;
  BIND(create, "fenwarx_create");
  BIND(open_workbook, "fenwarx_open_workbook");
  BIND(save_workbook, "fenwarx_save_workbook");
  BIND(invoke, "fenwarx_invoke");
  BIND(messages, "fenwarx_messages");
  BIND(free_text, "fenwarx_free_text");
  BIND(last_error, "fenwarx_last_error");
  BIND(release, "fenwarx_release");
  BIND(register_server, "fenwarx_register_server");
  BIND(unregister_server, "fenwarx_unregister_server");
  if (missing) {
    dlclose(library);
    fail("%s is registered to %s, which is no Fenwarx library (it has no %s)", prog_id, path,
         missing);
    return -1;
  }
  snprintf(s->path, sizeof s->path, "%s", path);
  return 0;
}

/* The library registered for prog_id, loaded on first use; one library serves
 * the process. NULL with the failure set. */
static const struct server* server_for(const char* prog_id) {
  char library[PATH_MAX];
  char searched[2 * PATH_MAX + 8];
  if (!find_registered_library(prog_id, library, sizeof library, searched, sizeof searched)) {
    fail("%s is not registered (%s)", prog_id, searched);
    return NULL;
  }
  pthread_mutex_lock(&loading);
  const struct server* s = atomic_load(&current);
  if (!s) {
    if (bind_server(library, prog_id, &loaded) == 0) {
      s = &loaded;
      atomic_store(&current, s);
    }
  } else if (strcmp(s->path, library) != 0) {
    fail("%s is registered to %s, but this program has loaded %s", prog_id, library, s->path);
    s = NULL;
  }
  pthread_mutex_unlock(&loading);
  return s;
}

static const struct server* any_server(void) {
  const struct server* s = atomic_load(&current);
  return s ? s : server_for(FENWARX_GLOBAL_CLASS);
}

fenwarx_handle* fenwarx_create_object(const char* prog_id) {
  own_number = 0;
  if (!prog_id) prog_id = "";
  const struct server* s = server_for(prog_id);
  return s ? s->create(prog_id) : NULL;
}

fenwarx_handle* fenwarx_create(const char* prog_id) { return fenwarx_create_object(prog_id); }

fenwarx_handle* fenwarx_open_workbook(const char* path) {
  own_number = 0;
  const struct server* s = any_server();
  return s ? s->open_workbook(path) : NULL;
}

int fenwarx_save_workbook(fenwarx_handle* workbook, const char* path) {
  own_number = 0;
  const struct server* s = any_server();
  return s ? s->save_workbook(workbook, path) : own_number;
}

int fenwarx_invoke(fenwarx_handle* handle, const char* member, fenwarx_variant* args, size_t count,
                   fenwarx_variant* result, int* error_number, const char** error_description) {
  const struct server* s = any_server();
  if (s) return s->invoke(handle, member, args, count, result, error_number, error_description);
  if (result) memset(result, 0, sizeof *result);
  if (error_number) *error_number = own_number;
  if (error_description) *error_description = own_description;
  return own_number;
}

const fenwarx_message* fenwarx_messages(fenwarx_handle* handle, size_t* count) {
  const struct server* s = any_server();
  if (s) return s->messages(handle, count);
  if (count) *count = 0;
  return NULL;
}

void fenwarx_free_text(fenwarx_handle* handle) {
  const struct server* s = atomic_load(&current);
  if (s) s->free_text(handle);
}

int fenwarx_last_error(const char** description) {
  const struct server* s = atomic_load(&current);
  if (own_number == 0 && s) return s->last_error(description);
  if (description) *description = own_number ? own_description : "";
  return own_number;
}

void fenwarx_release(fenwarx_handle* handle) {
  const struct server* s = atomic_load(&current);
  if (s && handle) s->release(handle);
}

int fenwarx_register_server(void) {
  own_number = 0;
  const struct server* s = any_server();
  return s ? s->register_server() : own_number;
}

int fenwarx_unregister_server(void) {
  own_number = 0;
  const struct server* s = any_server();
  return s ? s->unregister_server() : own_number;
}
