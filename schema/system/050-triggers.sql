/*
 * qmaccdef.fdb - triggers.
 */

SET TERM ^ ;

/* Numbers every new version row: the highest REC plus 1, or 1 for the
   first row. */
CREATE TRIGGER VERSION_REC FOR VERSION
ACTIVE BEFORE INSERT POSITION 0
AS
DECLARE VARIABLE MAXREC INTEGER;
BEGIN
  SELECT MAX(V.REC) FROM VERSION V INTO :MAXREC;
  NEW.REC = COALESCE(:MAXREC, 0) + 1;
END^

SET TERM ; ^

COMMIT;
