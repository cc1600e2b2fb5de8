/*
 * qmaccdef.fdb - file routines of the database server.
 *
 * The program has no file access of its own on the database server; these
 * routines act there for it. They live in our UDR plugin (module
 * taxlink_udr, fbudr/ of the sources), which must be in the engine's UDR
 * folder when this script runs. They touch only files under the folders
 * listed in the plugin's roots file on the server; anything else, and any
 * failure, answers WBOOL 0. Paths are the server's absolute paths.
 */

/* MODE "FEXIST" (FILEPATH1 is a file), "FCOPY" (copy FILEPATH1 to
   FILEPATH2, replacing it), "FDEL" (delete the file FILEPATH1).
   WBOOL 1 true or done, 0 false or refused. */
CREATE PROCEDURE FILEOPERATION (
  MODE       VARCHAR(16) CHARACTER SET UTF8,
  FILEPATH1  VARCHAR(1024) CHARACTER SET UTF8,
  FILEPATH2  VARCHAR(1024) CHARACTER SET UTF8)
RETURNS (
  WBOOL  INTEGER)
EXTERNAL NAME 'taxlink_udr!fileoperation'
ENGINE UDR;

/* MODE "DEXIST" (FILEPATH1 is a folder), "MKDIR" (create it with every
   missing parent), "RMDIR" (delete it with its contents). */
CREATE PROCEDURE DIRECTORYTEST (
  MODE       VARCHAR(16) CHARACTER SET UTF8,
  FILEPATH1  VARCHAR(1024) CHARACTER SET UTF8)
RETURNS (
  WBOOL  INTEGER)
EXTERNAL NAME 'taxlink_udr!directorytest'
ENGINE UDR;

/* The short form of a path; there are no short names on this server, so
   SHORTNAME is LONGNAME. */
CREATE PROCEDURE LONGTOSHORTFILENAME (
  LONGNAME  VARCHAR(1024) CHARACTER SET UTF8)
RETURNS (
  SHORTNAME  VARCHAR(1024) CHARACTER SET UTF8)
EXTERNAL NAME 'taxlink_udr!longtoshortfilename'
ENGINE UDR;

/* Renames the file FILEPATH1 to FILEPATH2, replacing FILEPATH2 in one
   step (a restored database swapped into place; the caller makes sure
   nobody has either file attached). */
CREATE PROCEDURE FILERENAME (
  FILEPATH1  VARCHAR(1024) CHARACTER SET UTF8,
  FILEPATH2  VARCHAR(1024) CHARACTER SET UTF8)
RETURNS (
  WBOOL  INTEGER)
EXTERNAL NAME 'taxlink_udr!filerename'
ENGINE UDR;

COMMIT;
