/*
 * qmaccdef.fdb - initial rows of a new system database.
 */

/* the default group */
INSERT INTO USERGROUP (GROUPID, GROUPNAME) VALUES (10000, '');

/* the system user (code 1, administrator, no password) */
INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD, DATAPAS,
                      JIMUSHO, OKINIIRI, KANSA, MYNUMBER_ADM, SHONIN)
  VALUES (10000, 1, 'システムユーザー', 9, '', '', 0, 0, 0, 0, 0);

/* the administrator level */
INSERT INTO LEVELNAME (LEVELNO, NAME) VALUES (9, '管理者');

/* the eras since Meiji */
INSERT INTO GENGO (GNAME, GSIGN, STARTDATE, YEAROFFSET) VALUES ('明治', 'M', '1868/09/08', 1868);
INSERT INTO GENGO (GNAME, GSIGN, STARTDATE, YEAROFFSET) VALUES ('大正', 'T', '1912/07/30', 1912);
INSERT INTO GENGO (GNAME, GSIGN, STARTDATE, YEAROFFSET) VALUES ('昭和', 'S', '1926/12/25', 1926);
INSERT INTO GENGO (GNAME, GSIGN, STARTDATE, YEAROFFSET) VALUES ('平成', 'H', '1989/01/08', 1989);
INSERT INTO GENGO (GNAME, GSIGN, STARTDATE, YEAROFFSET) VALUES ('令和', 'R', '2019/05/01', 2019);

/* room for 20 code systems, all empty */
SET TERM ^ ;
EXECUTE BLOCK
AS
DECLARE VARIABLE I INTEGER;
BEGIN
  I = 1;
  WHILE (I <= 20) DO
  BEGIN
    INSERT INTO USERCODE (RECNO, NAME, DATATYPE, CODETYPE,
                          INIDAT1, INIDAT2, INIDAT3, INIDAT4,
                          INIDAT5, INIDAT6, INIDAT7, INIDAT8)
      VALUES (:I, '', 0, 0, '', '', '', '', '', '', '', '');
    I = I + 1;
  END
END^
SET TERM ; ^

/*
 * The 100 data places. The system folder is the folder of this database
 * file: place 0 is that folder (named after it, or 標準の場所 when the
 * folder is longer than 40 bytes), places 1-99 are unnamed and lie at the
 * folder's path immediately followed by two digits.
 */
SET TERM ^ ;
EXECUTE BLOCK
AS
DECLARE VARIABLE DBFILE  VARCHAR(254);
DECLARE VARIABLE SYSDIR  VARCHAR(254);
DECLARE VARIABLE I       INTEGER;
BEGIN
  SELECT CAST(M.MON$DATABASE_NAME AS VARCHAR(254))
    FROM MON$DATABASE M
    INTO :DBFILE;

  I = CHAR_LENGTH(:DBFILE);
  WHILE ((I > 0) AND (SUBSTRING(:DBFILE FROM I FOR 1) NOT IN ('/', '\'))) DO
    I = I - 1;
  IF (I > 1) THEN
    SYSDIR = SUBSTRING(:DBFILE FROM 1 FOR I - 1);
  ELSE IF (I = 1) THEN
    SYSDIR = SUBSTRING(:DBFILE FROM 1 FOR 1);
  ELSE
    SYSDIR = '';

  INSERT INTO DATAPLACEMAN (REC, ORDERKBN, NAME, PATH)
    VALUES (0, 1,
            IIF(OCTET_LENGTH(:SYSDIR) > 40, '標準の場所', :SYSDIR),
            :SYSDIR);

  I = 1;
  WHILE (I <= 99) DO
  BEGIN
    INSERT INTO DATAPLACEMAN (REC, ORDERKBN, NAME, PATH)
      VALUES (:I, :I + 1, '', :SYSDIR || F_RIGHT(CAST(:I + 100 AS VARCHAR(11)), 2));
    I = I + 1;
  END
END^
SET TERM ; ^

/* schema version 12.0.0 (REC from trigger VERSION_REC) */
INSERT INTO VERSION (MAJOR, MINOR1, MINOR2, MEMO)
  SELECT 12, 0, 0,
         REPLACE(LEFT(CAST(CURRENT_TIMESTAMP AS VARCHAR(24)), 19), '-', '/')
    FROM RDB$DATABASE;

COMMIT;
