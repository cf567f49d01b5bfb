/* A program built against an installed libfenwarx, with nothing of the source
 * tree: creates a return object by its identifier and calls a member by name.
 * Prints the member's result, 001250. */
#include <fenwarx/c_api.h>
#include <stdio.h>

int main(void) {
  fenwarx_handle* object = fenwarx_create("Fenwarx.clsExport26");
  if (object == NULL) {
    const char* description = NULL;
    int number = fenwarx_last_error(&description);
    fprintf(stderr, "fenwarx_create: error %d: %s\n", number, description ? description : "");
    return 1;
  }
  fenwarx_variant args[2] = {{.type = FENWARX_TEXT, .text = "12.50"},
                             {.type = FENWARX_NUMBER, .number = 6}};
  fenwarx_variant result = {.type = FENWARX_EMPTY};
  int number = 0;
  const char* description = NULL;
  if (fenwarx_invoke(object, "AddZero", args, 2, &result, &number, &description) != 0) {
    fprintf(stderr, "AddZero: error %d: %s\n", number, description ? description : "");
    fenwarx_release(object);
    return 1;
  }
  printf("%s\n", result.type == FENWARX_TEXT ? result.text : "(not a text)");
  fenwarx_release(object);
  return 0;
}
