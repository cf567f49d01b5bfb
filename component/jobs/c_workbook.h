/* The jobs for a caller that holds the workbook itself (the spreadsheet's
 * toolbar in its bulk mode): it hands over each sheet's cells in one call, runs
 * a job on them as the command line would on the file, and takes back only the
 * cells the job changed, to write them into its own sheets.
 *
 * A book is used from one thread. Texts and arrays the library hands out stay
 * valid until the next call on the book or its release. */
#ifndef FENWARX_C_WORKBOOK_H
#define FENWARX_C_WORKBOOK_H

#include <stddef.h>

#include "returns/c_api.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct fenwarx_book fenwarx_book;

/* An empty workbook in memory; folder is where its file would stand (NULL for none). */
FENWARX_API fenwarx_book* fenwarx_book_new(const char* folder);

/* Adds a sheet of rows x columns cells from A1, row by row: kinds[i] is the
 * enum fenwarx_type of cell i (EMPTY, NUMBER, TEXT, BOOLEAN or ERROR), numbers[i]
 * its number (a boolean -1 or 0, an error its code), and texts holds the texts
 * of its TEXT cells in order, each ending in NUL, texts_size bytes in all.
 * Returns 0, or 5 when the cells do not add up. */
FENWARX_API int fenwarx_book_add_sheet(fenwarx_book* book, const char* name, int rows, int columns,
                                       const unsigned char* kinds, const double* numbers,
                                       const char* texts, size_t texts_size);

/* Gives a block of a sheet's cells (1-based, inclusive) a number format (NULL
 * leaves it) and an interior colour (red + 256 * green + 65536 * blue, or a
 * negative number to leave it), as they stand before a job. 0, 9 for no such
 * sheet, 5 for a block outside the sheet. */
FENWARX_API int fenwarx_book_format(fenwarx_book* book, const char* sheet, int first_row,
                                    int first_column, int last_row, int last_column,
                                    const char* format, long color);

/* Called with each text the job puts in the status bar. */
typedef void (*fenwarx_status_callback)(const char* text, void* data);

/* Runs a job on the book: "verify", "salary" (verify, then the salary sheets) or
 * "export". form: "24", "26", "27", "27EQ", or NULL or "" for the form the sheets
 * show; out_dir: the folder that stands for drive C: (NULL for the current
 * folder); today: a date serial, 0 for the system's clock; status may be NULL.
 * Returns the job's result as the command line's --json report (its "saved"
 * null: the book is the caller's to write back). */
FENWARX_API const char* fenwarx_book_run(fenwarx_book* book, const char* job, const char* form,
                                         const char* out_dir, double today,
                                         fenwarx_status_callback status, void* data);

enum fenwarx_change_kind {
  FENWARX_CHANGED_VALUE = 1,
  FENWARX_CHANGED_FORMAT = 2,
  FENWARX_CHANGED_COLOR = 4
};

/* A cell the jobs changed, as it stands now. */
typedef struct fenwarx_cell_change {
  const char* sheet;
  int row, column; /* 1-based */
  int changed;     /* the fenwarx_change_kind bits of what changed */
  fenwarx_variant value;
  const char* format;
  long color; /* red + 256 * green + 65536 * blue; 16777215 for none */
} fenwarx_cell_change;

/* The cells that differ from how they stood when the book was filled, sheet by
 * sheet, row by row. */
FENWARX_API const fenwarx_cell_change* fenwarx_book_changes(fenwarx_book* book, size_t* count);

/* Releases the book; NULL is ignored. */
FENWARX_API void fenwarx_book_release(fenwarx_book* book);

#ifdef __cplusplus
}
#endif

#endif /* FENWARX_C_WORKBOOK_H */
