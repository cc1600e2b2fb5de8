/*
 * qmfileman.fdb - file routines of the database server.
 *
 * Move the bytes of a backup file between a FILETRANS row and a file on
 * the server. They live in our UDR plugin (module taxlink_udr, fbudr/ of
 * the sources), which must be in the engine's UDR folder when this script
 * runs, and touch only files under the folders listed in the plugin's
 * roots file on the server.
 */

/* The bytes of the file FILEPATH; NULL when it is refused or cannot be
   read. */
CREATE FUNCTION SP_FILETOBLOB (
  FILEPATH  VARCHAR(1024) CHARACTER SET UTF8)
RETURNS BLOB SUB_TYPE BINARY
EXTERNAL NAME 'taxlink_udr!sp_filetoblob'
ENGINE UDR;

/* Writes CONTENT into the file FILEPATH (replacing it once complete);
   1 when written, 0 when refused or failed. */
CREATE FUNCTION SP_BLOBTOFILE (
  FILEPATH  VARCHAR(1024) CHARACTER SET UTF8,
  CONTENT   BLOB SUB_TYPE BINARY)
RETURNS INTEGER
EXTERNAL NAME 'taxlink_udr!sp_blobtofile'
ENGINE UDR;

/* As FILERENAME of qmaccdef.fdb, so that a restored system database can be
   swapped into place while nobody is attached to it. */
CREATE PROCEDURE FILERENAME (
  FILEPATH1  VARCHAR(1024) CHARACTER SET UTF8,
  FILEPATH2  VARCHAR(1024) CHARACTER SET UTF8)
RETURNS (
  WBOOL  INTEGER)
EXTERNAL NAME 'taxlink_udr!filerename'
ENGINE UDR;

COMMIT;
