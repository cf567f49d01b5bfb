/* The class registry: the file in a system folder that names, for each
 * programmatic identifier, the library that creates its objects. One entry a
 * line, "IDENTIFIER=LIBRARY", the library an absolute path; blanks around either
 * side are ignored, identifiers match ignoring ASCII case, and lines that begin
 * with ';' or '#' or hold no '=' are left alone. Written by the library's own
 * registration entry points, read by the client loader (in C, hence this
 * header). */
#ifndef FENWARX_CLASS_REGISTRY_H
#define FENWARX_CLASS_REGISTRY_H

#define FENWARX_CLASS_REGISTRY "classes.ini"

#endif /* FENWARX_CLASS_REGISTRY_H */
