/*
 * qmfileman.fdb - the file-management database.
 *
 * Carries backup files between the database server and a client: a client
 * that has no file access to the server puts a file into FILETRANS, or
 * takes one out, and the server reads or writes the file on its side.
 * The two server routines that move the bytes between a row and a file,
 * SP_FILETOBLOB(path) and SP_BLOBTOFILE(path, blob), need file access on
 * the server: they are declared in 030-file-routines.sql and live in our
 * UDR plugin.
 */

/* One file in transit. CONTENT_ID is "QMV_" followed by the session code
   of the login that moves it; CONTENT holds the file's bytes. */
CREATE TABLE FILETRANS (
  CONTENT_ID  VARCHAR(32) CHARACTER SET ASCII NOT NULL,
  CONTENT     BLOB SUB_TYPE BINARY,
  CONSTRAINT PK_FILETRANS PRIMARY KEY (CONTENT_ID)
);

COMMIT;
