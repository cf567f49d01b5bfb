/* Verifies a return workbook with an object created by its programmatic
 * identifier: verify WORKBOOK [PROGID], Fenwarx.clsExport26 by default.
 * cc verify.c $(pkg-config --cflags --libs fenwarx-client) -o verify */
#include <fenwarx/client.h>
#include <stdio.h>

int main(int argc, char** argv) {
  const char* why = "";
  if (argc < 2) {
    fprintf(stderr, "usage: verify WORKBOOK [PROGID]\n");
    return 2;
  }
  fenwarx_handle* form = fenwarx_create_object(argc > 2 ? argv[2] : "Fenwarx.clsExport26");
  fenwarx_handle* book = form ? fenwarx_open_workbook(argv[1]) : NULL;
  int error = book ? 0 : fenwarx_last_error(&why);
  if (book) {
    fenwarx_variant workbook = {.type = FENWARX_OBJECT, .object = book};
    error = fenwarx_invoke(form, "VerifyData_Vantor_ETDS", &workbook, 1, NULL, NULL, &why);
    size_t count = 0;
    const fenwarx_message* shown = fenwarx_messages(form, &count);
    for (size_t i = 0; i < count; ++i) printf("%s\n", shown[i].text);
    if (!error && fenwarx_save_workbook(book, NULL) != 0) error = fenwarx_last_error(&why);
  }
  if (error) fprintf(stderr, "error %d: %s\n", error, why);
  fenwarx_release(book);
  fenwarx_release(form);
  return error ? 3 : 0;
}
