/* Resource identifiers shared by the C++ code and linova.rc.
   Keep this file to plain #define lines: resource compilers read it too. */
#ifndef LINOVA_RESOURCE_H
#define LINOVA_RESOURCE_H

/* Icons and cursors are named resources (see linova.rc):
     icons   LINOVA, LINOVAG, LINOVA_VERT, LINOVAG_VERT
     cursors LINOVACUR, LINOVA_V_CUR                                   */

/* Strings */
#define IDS_CANT_ADD_MORE 52

#endif /* LINOVA_RESOURCE_H */
