/*
 * qmaccdef.fdb - functions and stored procedures.
 *
 * The file procedures FILEOPERATION, DIRECTORYTEST and LONGTOSHORTFILENAME
 * need file access on the server: they are declared in
 * 045-file-routines.sql and live in our UDR plugin.
 */

SET TERM ^ ;

/* The rightmost LEN characters of STR. */
CREATE FUNCTION F_RIGHT (
  STR  VARCHAR(254),
  LEN  INTEGER)
RETURNS VARCHAR(254)
AS
BEGIN
  RETURN RIGHT(:STR, :LEN);
END^

/*
 * Login check. Checks the operator's code and password in OPERATOR and
 * records the login in LOGONUSERLIST under the session code
 * GROUPID * 10000 + OPCODE.
 *   NUM  0  logged in
 *   NUM  1  logged in again from the same computer and program (the row
 *           left by a run that did not end cleanly is taken over)
 *   NUM -1  unknown operator or wrong password
 *   NUM -3  the operator is logged in from another computer with the
 *           same program
 * LOGINCODE is the operator's code, JOBLEVEL the operator's level (0 when
 * the login is refused). Exactly one row is returned.
 */
CREATE PROCEDURE LOGONUSERTEST (
  PCNAME      VARCHAR(64),
  GROUPID     INTEGER,
  OPCODE      INTEGER,
  APPVERSION  INTEGER,
  PASWORD     VARCHAR(16))
RETURNS (
  NUM        INTEGER,
  LOGINCODE  INTEGER,
  JOBLEVEL   INTEGER)
AS
DECLARE VARIABLE STORED_PAS  VARCHAR(16);
DECLARE VARIABLE OP_LEVEL    INTEGER;
DECLARE VARIABLE SESSIONCODE INTEGER;
DECLARE VARIABLE APPNO       INTEGER;
BEGIN
  NUM = -1;
  LOGINCODE = :OPCODE;
  JOBLEVEL = 0;
  APPNO = COALESCE(:APPVERSION, 0);

  SELECT COALESCE(O.PASWORD, ''), COALESCE(O.JOBLEVEL, 0)
    FROM OPERATOR O
    WHERE (O.GROUPID = :GROUPID) AND (O.OPCODE = :OPCODE)
    INTO :STORED_PAS, :OP_LEVEL;

  /* unknown operator, or a password that differs (exactly, trailing
     blanks included) */
  IF ((ROW_COUNT = 0)
      OR (STORED_PAS IS DISTINCT FROM COALESCE(:PASWORD, ''))
      OR (OCTET_LENGTH(STORED_PAS) <> OCTET_LENGTH(COALESCE(:PASWORD, '')))) THEN
  BEGIN
    SUSPEND;
    EXIT;
  END

  SESSIONCODE = :GROUPID * 10000 + :OPCODE;

  IF (EXISTS (SELECT 1 FROM LOGONUSERLIST L
               WHERE (L.OPCODE = :SESSIONCODE) AND (L.PCNAME = :PCNAME)
                 AND (L.APPVERSION = :APPNO))) THEN
  BEGIN
    UPDATE LOGONUSERLIST L
      SET L.LOGONTIME = CURRENT_TIMESTAMP
      WHERE (L.OPCODE = :SESSIONCODE) AND (L.PCNAME = :PCNAME)
        AND (L.APPVERSION = :APPNO);
    NUM = 1;
  END
  ELSE IF (EXISTS (SELECT 1 FROM LOGONUSERLIST L
                    WHERE (L.OPCODE = :SESSIONCODE)
                      AND (L.APPVERSION = :APPNO))) THEN
  BEGIN
    NUM = -3;
    SUSPEND;
    EXIT;
  END
  ELSE
  BEGIN
    INSERT INTO LOGONUSERLIST (OPCODE, GROUPID, OPERATORCODE, PCNAME,
                               APPVERSION, LOGONTIME)
      VALUES (:SESSIONCODE, :GROUPID, :OPCODE, :PCNAME,
              :APPNO, CURRENT_TIMESTAMP);
    NUM = 0;
  END

  JOBLEVEL = OP_LEVEL;
  SUSPEND;
END^

/*
 * Prepares the empty rows of a data list: after the highest REC of the
 * list, one row per number up to MAXCNT, each for the folder PATHTEXT/nnnn
 * (nnnn = the number in four digits), group 10000, no name, no period.
 * Place 0 fills DATALIST, any other place DATALIST_EX of that place.
 * Returns the new rows.
 */
CREATE PROCEDURE SP_DATALIST_INSERT (
  DATAPLACEREC  INTEGER,
  PATHTEXT      VARCHAR(254),
  MAXCNT        INTEGER)
RETURNS (
  REC       INTEGER,
  PATHNAME  VARCHAR(254))
AS
DECLARE VARIABLE LASTREC  INTEGER;
DECLARE VARIABLE NODATE   TIMESTAMP;
BEGIN
  NODATE = CAST('1899-12-30 00:00:00' AS TIMESTAMP);

  IF (COALESCE(:DATAPLACEREC, 0) = 0) THEN
    SELECT MAX(D.REC) FROM DATALIST D INTO :LASTREC;
  ELSE
    SELECT MAX(D.REC) FROM DATALIST_EX D
      WHERE D.DATAPLACEREC = :DATAPLACEREC
      INTO :LASTREC;
  LASTREC = COALESCE(:LASTREC, 0);

  REC = LASTREC + 1;
  WHILE (REC <= :MAXCNT) DO
  BEGIN
    PATHNAME = :PATHTEXT || '/' || F_RIGHT(CAST(:REC + 10000 AS VARCHAR(11)), 4);

    IF (COALESCE(:DATAPLACEREC, 0) = 0) THEN
      INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, SHOUGOU, PASNAME, NETDRIVE,
                            DATATYPE, CODETYPE, NENDO, KISHU, KIMATU,
                            DATALOCK, KYOYULOCK, TANTOU,
                            VER_MAJOR, VER_MINOR1, VER_MINOR2, VER_TEXT,
                            UPDATE_LOCK, GASSAN, DATACODE, DATA_STATUS,
                            YOBI1, YOBI2, YOBI3)
        VALUES (:REC, 10000, '', '', :PATHNAME, 0,
                0, 0, 0, :NODATE, :NODATE,
                0, 0, 0,
                0, 0, 0, '',
                0, 0, '', 0,
                '', '', '');
    ELSE
      INSERT INTO DATALIST_EX (DATAPLACEREC, REC, GROUPID, ENTTEXT, SHOUGOU,
                               PASNAME, NETDRIVE, DATATYPE, CODETYPE, NENDO,
                               KISHU, KIMATU, DATALOCK, KYOYULOCK, TANTOU,
                               VER_MAJOR, VER_MINOR1, VER_MINOR2, VER_TEXT,
                               UPDATE_LOCK, GASSAN, DATACODE, DATA_STATUS,
                               YOBI1, YOBI2, YOBI3)
        VALUES (:DATAPLACEREC, :REC, 10000, '', '',
                :PATHNAME, 0, 0, 0, 0,
                :NODATE, :NODATE, 0, 0, 0,
                0, 0, 0, '',
                0, 0, '', 0,
                '', '', '');

    SUSPEND;
    REC = REC + 1;
  END
END^

/*
 * Writes the folder names of the data list in capitals: every DATALIST row
 * whose folder lies under PATHTEXT (compared without regard to case) gets
 * PASNAME in upper case. Returns the rows that changed.
 */
CREATE PROCEDURE SP_DATALIST_UPDATE (
  PATHTEXT  VARCHAR(254))
RETURNS (
  REC      INTEGER,
  PASNAME  VARCHAR(254))
AS
DECLARE VARIABLE OLDNAME VARCHAR(254);
BEGIN
  FOR SELECT D.REC, D.PASNAME
        FROM DATALIST D
        WHERE UPPER(D.PASNAME) STARTING WITH UPPER(:PATHTEXT)
        ORDER BY D.REC
        INTO :REC, :OLDNAME
  DO
  BEGIN
    PASNAME = UPPER(:OLDNAME);
    IF (PASNAME IS DISTINCT FROM OLDNAME) THEN
    BEGIN
      UPDATE DATALIST D SET D.PASNAME = :PASNAME WHERE D.REC = :REC;
      SUSPEND;
    END
  END
END^

SET TERM ; ^

COMMIT;
