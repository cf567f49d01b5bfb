#define _GNU_SOURCE
#include "registry_lookup.h"

#include <fcntl.h>
#include <limits.h>
#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/registry/class_registry.h"

static const char* variable(const char* name) {
  const char* value = getenv(name);
  return value && *value ? value : NULL;
}

/* The rule of default_system_folder() in the component, which registers there:
 * FENWARX_SYSTEM_DIR, else $XDG_DATA_HOME/fenwarx/system, else
 * ~/.local/share/fenwarx/system (the home folder from HOME, else the password
 * database). */
static int user_folder(char* out, size_t size) {
  const char* folder = variable("FENWARX_SYSTEM_DIR");
  int n = 0;
  if (folder) {
    n = snprintf(out, size, "%s", folder);
  } else if ((folder = variable("XDG_DATA_HOME"))) {
    n = snprintf(out, size, "%s/fenwarx/system", folder);
  } else {
    const char* home = variable("HOME");
    struct passwd entry;
    struct passwd* found = NULL;
    char buffer[4096];
    if (!home && getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
        found->pw_dir)
      home = found->pw_dir;
    n = snprintf(out, size, "%s/.local/share/fenwarx/system", home ? home : "");
  }
  return n > 0 && (size_t)n < size;
}

static int is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

static char* stripped(char* text) {
  while (is_blank(*text)) ++text;
  size_t n = strlen(text);
  while (n > 0 && is_blank(text[n - 1])) text[--n] = '\0';
  return text;
}

static int same_ignoring_case(const char* a, const char* b) {
  for (;; ++a, ++b) {
    char x = *a >= 'A' && *a <= 'Z' ? (char)(*a - 'A' + 'a') : *a;
    char y = *b >= 'A' && *b <= 'Z' ? (char)(*b - 'A' + 'a') : *b;
    if (x != y) return 0;
    if (!x) return 1;
  }
}

/* A regular file only: opening a named pipe in its place would wait for a writer. */
static FILE* open_registry(const char* path) {
  int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return NULL;
  struct stat info;
  FILE* in = NULL;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) in = fdopen(fd, "r");
  if (!in) close(fd);
  return in;
}

static int lookup(const char* file, const char* prog_id, char* library, size_t size) {
  FILE* in = open_registry(file);
  if (!in) return 0;
  char* line = NULL;
  size_t capacity = 0;
  int found = 0;
  while (!found && getline(&line, &capacity, in) >= 0) {
    char* text = stripped(line);
    char* equals = strchr(text, '=');
    if (*text == ';' || *text == '#' || !equals) continue;
    *equals = '\0';
    const char* path = stripped(equals + 1);
    if (!same_ignoring_case(stripped(text), prog_id) || strlen(path) >= size) continue;
    strcpy(library, path);
    found = 1;
  }
  free(line);
  fclose(in);
  return found;
}

int find_registered_library(const char* prog_id, char* library, size_t size, char* searched,
                            size_t searched_size) {
  char user[PATH_MAX];
  const char* folders[2];
  size_t count = 0;
  if (user_folder(user, sizeof user)) folders[count++] = user;
  folders[count++] = FENWARX_SYSTEM_REGISTRY_DIR;
  size_t used = 0;
  searched[0] = '\0';
  for (size_t i = 0; i < count; ++i) {
    char file[PATH_MAX];
    if (snprintf(file, sizeof file, "%s/%s", folders[i], FENWARX_CLASS_REGISTRY) >=
        (int)sizeof file)
      continue;
    if (lookup(file, prog_id, library, size)) return 1;
    if (used < searched_size)
      used +=
          (size_t)snprintf(searched + used, searched_size - used, "%s%s", i ? " or " : "", file);
  }
  return 0;
}
