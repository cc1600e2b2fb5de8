/*
 * qmaccdef.fdb - the empty rows of the standard data list.
 *
 * Rows 1-120 (the list capacity) always exist: each stands for the data
 * folder nnnn under the system folder (the folder of this database file).
 */

SET TERM ^ ;
EXECUTE BLOCK
AS
DECLARE VARIABLE SYSDIR  VARCHAR(254);
DECLARE VARIABLE R       INTEGER;
DECLARE VARIABLE P       VARCHAR(254);
BEGIN
  SELECT D.PATH FROM DATAPLACEMAN D WHERE D.REC = 0 INTO :SYSDIR;
  FOR SELECT REC, PATHNAME FROM SP_DATALIST_INSERT(0, :SYSDIR, 120)
      INTO :R, :P
  DO
    R = R;
END^
SET TERM ; ^

COMMIT;
