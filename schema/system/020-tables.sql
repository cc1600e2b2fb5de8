/*
 * qmaccdef.fdb - tables of the system database (schema 12.0.0).
 *
 * Texts without a character set are SJIS_0208, the database default.
 * SJIS_0208 lengths are checked in bytes, two per declared character: a
 * VARCHAR(10) takes any text of up to 20 bytes, half-width or full-width.
 */

/* ------------------------------------------------------------------ */
/* Schema version                                                      */
/* ------------------------------------------------------------------ */

/* One row per applied schema step; the newest row (by MAJOR, MINOR1,
   MINOR2) is the schema version. REC is numbered by trigger VERSION_REC. */
CREATE TABLE VERSION (
  REC     INTEGER NOT NULL,
  MAJOR   INTEGER DEFAULT 0,
  MINOR1  INTEGER DEFAULT 0,
  MINOR2  INTEGER DEFAULT 0,
  MEMO    VARCHAR(127) DEFAULT '',
  CONSTRAINT PK_VERSION PRIMARY KEY (REC)
);

/* ------------------------------------------------------------------ */
/* Groups, operators and logins                                        */
/* ------------------------------------------------------------------ */

/* User groups. Every session belongs to one; 10000 is the default group. */
CREATE TABLE USERGROUP (
  GROUPID    INTEGER NOT NULL,
  GROUPNAME  VARCHAR(20) DEFAULT '',
  CONSTRAINT PK_USERGROUP PRIMARY KEY (GROUPID)
);

/* Operators of a group. OPCODE is the login code (the system user is 1,
   ordinary operators start at 10). JOBLEVEL 9 is the administrator level.
   JIMUSHO 1 = supervisor, MYNUMBER_ADM 1 = may manage My Number data,
   SHONIN 1 = approver. */
CREATE TABLE OPERATOR (
  GROUPID       INTEGER NOT NULL,
  OPCODE        INTEGER NOT NULL,
  OPNAME        VARCHAR(20) DEFAULT '',
  JOBLEVEL      INTEGER DEFAULT 0,
  PASWORD       VARCHAR(16) DEFAULT '',
  DATAPAS       VARCHAR(16) DEFAULT '',
  JIMUSHO       INTEGER DEFAULT 0,
  OKINIIRI      INTEGER DEFAULT 0,
  KANSA         INTEGER DEFAULT 0,
  MYNUMBER_ADM  INTEGER DEFAULT 0,
  SHONIN        INTEGER DEFAULT 0,
  CONSTRAINT PK_OPERATOR PRIMARY KEY (GROUPID, OPCODE)
);

/* Names of the operator levels (OPERATOR.JOBLEVEL). */
CREATE TABLE LEVELNAME (
  LEVELNO  INTEGER NOT NULL,
  NAME     VARCHAR(20) DEFAULT '',
  CONSTRAINT PK_LEVELNAME PRIMARY KEY (LEVELNO)
);

/* Sessions logged on to the system database, written by LOGONUSERTEST and
   removed by the program when it ends. OPCODE is the session code
   (GROUPID * 10000 + OPERATORCODE); one row per computer and program. */
CREATE TABLE LOGONUSERLIST (
  OPCODE        INTEGER NOT NULL,
  GROUPID       INTEGER NOT NULL,
  OPERATORCODE  INTEGER NOT NULL,
  PCNAME        VARCHAR(64) NOT NULL,
  APPVERSION    INTEGER DEFAULT 0 NOT NULL,
  LOGONTIME     TIMESTAMP DEFAULT CURRENT_TIMESTAMP,
  CONSTRAINT PK_LOGONUSERLIST PRIMARY KEY (OPCODE, PCNAME, APPVERSION)
);

/* Menu rights by menu position (operator level, page, slot); kept for the
   older host menus. Levels above 1000 are those of medical-corporation data. */
CREATE TABLE JOBCONTROL (
  LEVELNO  INTEGER NOT NULL,
  PAGENO   INTEGER NOT NULL,
  MENUNO   INTEGER NOT NULL,
  CONSTRAINT PK_JOBCONTROL PRIMARY KEY (LEVELNO, PAGENO, MENUNO)
);

/* Menu rights by program: a level may start the module PROC_ID with the
   launch option PROC_OPTION (a "SyoriType=n" line or empty). A level
   without any row may start everything. The same program may appear
   more than once. */
CREATE TABLE JOBCONTROL2 (
  LEVELNO      INTEGER NOT NULL,
  PROC_ID      VARCHAR(40) NOT NULL,
  PROC_OPTION  VARCHAR(127) DEFAULT ''
);
CREATE INDEX IX_JOBCONTROL2_LEVEL ON JOBCONTROL2 (LEVELNO, PROC_ID);

/* ------------------------------------------------------------------ */
/* Settings                                                            */
/* ------------------------------------------------------------------ */

/* Program-wide settings rows. REC 10: office name, address and telephone
   as NAME=, JYUSHO=, TEL= lines in SSTR, three switches in RESERVE1-3.
   REC 20: RESERVE1 = 1 makes every operator an administrator. */
CREATE TABLE SYSTEMINI (
  REC       INTEGER NOT NULL,
  RESERVE1  INTEGER DEFAULT 0,
  RESERVE2  INTEGER DEFAULT 0,
  RESERVE3  INTEGER DEFAULT 0,
  RESERVE4  INTEGER DEFAULT 0,
  RESERVE5  INTEGER DEFAULT 0,
  SSTR      VARCHAR(1024) DEFAULT '',
  CONSTRAINT PK_SYSTEMINI PRIMARY KEY (REC)
);

/* One row per operator session code: screen fonts and colours, window
   placement, dictionary and print switches. Created at the first login. */
CREATE TABLE SYSDEF (
  OPCODE               INTEGER NOT NULL,
  DATADIR              VARCHAR(127) DEFAULT '',
  PRINTERNAME          VARCHAR(127) DEFAULT '',
  MFTOP                INTEGER DEFAULT 0,
  MFLEFT               INTEGER DEFAULT 0,
  MFWIDTH              INTEGER DEFAULT 0,
  MFHEIGHT             INTEGER DEFAULT 0,
  LASTMENU             INTEGER DEFAULT 0,
  FONTNAME             VARCHAR(32) DEFAULT '',
  FONTSIZE             INTEGER DEFAULT 0,
  FONTSTYLE            INTEGER DEFAULT 0,
  FONTCHARSET          INTEGER DEFAULT 0,
  FONTHEIGHT           INTEGER DEFAULT 0,
  GRIDRESIZE           INTEGER DEFAULT 0,
  SHOWHINT             INTEGER DEFAULT 0,
  GRIDMAXROW           INTEGER DEFAULT 0,
  GRIDRSIZ             INTEGER DEFAULT 0,
  CLIENTCOLOR          INTEGER DEFAULT 0,
  CLIENTCOLOR1         INTEGER DEFAULT 0,
  CLIENTCOLOR2         INTEGER DEFAULT 0,
  CLIENTCOLOR3         INTEGER DEFAULT 0,
  FORECOLOR            INTEGER DEFAULT 0,
  BORDERCOLOR          INTEGER DEFAULT 0,
  ACTIVECOLOR          INTEGER DEFAULT 0,
  THRUBORDERCOLOR      INTEGER DEFAULT 0,
  COLHEADERCOLOR       INTEGER DEFAULT 0,
  FIXEDTOPCOLOR        INTEGER DEFAULT 0,
  ROWHEADERCOLOR       INTEGER DEFAULT 0,
  FIXEDLEFTCOLOR       INTEGER DEFAULT 0,
  TOTALCOLOR           INTEGER DEFAULT 0,
  NETCOLOR1            INTEGER DEFAULT 0,
  NETCOLOR2            INTEGER DEFAULT 0,
  PLINECOLOR1          INTEGER DEFAULT 0,
  PLINECOLOR2          INTEGER DEFAULT 0,
  PREVIEWZOOM          INTEGER DEFAULT 0,
  PANELCOLOR           INTEGER DEFAULT 0,
  PANELBACKCOLOR       INTEGER DEFAULT 0,
  MENUPRINTSW          INTEGER DEFAULT 0,
  SHOUHYOU             INTEGER DEFAULT 0,
  HOJWAIT              INTEGER DEFAULT 0,
  DICSWITCH            INTEGER DEFAULT 0,
  DICTEKAUTO           INTEGER DEFAULT 0,
  DICTORAUTO           INTEGER DEFAULT 0,
  DICUSEDNT            INTEGER DEFAULT 0,
  DICTYPE              INTEGER DEFAULT 0,
  DICNUM1              INTEGER DEFAULT 0,
  DICNUM2              INTEGER DEFAULT 0,
  DICSORTTYPE          INTEGER DEFAULT 0,
  COLHEADERGRADCOLOR1  INTEGER DEFAULT 0,
  COLHEADERGRADCOLOR2  INTEGER DEFAULT 0,
  SHOWDATASENTAKU      INTEGER DEFAULT 0,
  ZENKAIDRIVE          VARCHAR(127) DEFAULT '',
  USERPRINT            INTEGER DEFAULT 0,
  SWKTOTAL             INTEGER DEFAULT 0,
  SWKLINE              INTEGER DEFAULT 0,
  KINGAKUPLUS          INTEGER DEFAULT 0,
  ZEROPRINT            INTEGER DEFAULT 0,
  SANKAKUPLUS          INTEGER DEFAULT 0,
  TEK_AUTOUP           INTEGER DEFAULT 0,
  TOR_AUTOUP           INTEGER DEFAULT 0,
  RESERVE1             INTEGER DEFAULT 0,
  RESERVE2             INTEGER DEFAULT 0,
  RESERVE3             INTEGER DEFAULT 0,
  RESERVE4             INTEGER DEFAULT 0,
  RESERVE5             INTEGER DEFAULT 0,
  SSTR                 VARCHAR(1024) DEFAULT '',
  CONSTRAINT PK_SYSDEF PRIMARY KEY (OPCODE)
);

/* Typed settings per operator session code (GROUPID * 10000 + 9999 for a
   group-wide item). STYPE is the type word (文字, 論理, 日付, 整数, 金額),
   STEXT the value as text. Item names are at most 20 bytes. */
CREATE TABLE SYSREG (
  OPCODE  INTEGER NOT NULL,
  SCODE   VARCHAR(10) NOT NULL,
  STYPE   VARCHAR(10) DEFAULT '',
  STEXT   VARCHAR(254) DEFAULT '',
  CONSTRAINT PK_SYSREG PRIMARY KEY (OPCODE, SCODE)
);

/* Saved styles per operator: report colours of the print dialog (-1 = not
   set), the colour palette and the screen values of the dialogs (SSTR).
   Style names are at most 40 bytes, screen values at most 1024 bytes. */
CREATE TABLE STYLECOLOR (
  OPCODE      INTEGER NOT NULL,
  STYLENAME   VARCHAR(20) NOT NULL,
  LINECOLOR1  INTEGER DEFAULT -1,
  LINECOLOR2  INTEGER DEFAULT -1,
  LINECOLOR3  INTEGER DEFAULT -1,
  LINECOLOR4  INTEGER DEFAULT -1,
  LINECOLOR5  INTEGER DEFAULT -1,
  NETCOLOR1   INTEGER DEFAULT -1,
  NETCOLOR2   INTEGER DEFAULT -1,
  SSTR        VARCHAR(512) DEFAULT '',
  CONSTRAINT PK_STYLECOLOR PRIMARY KEY (OPCODE, STYLENAME)
);

/* Remembered position and size of each form per operator, with the design
   size the form had when the row was made. Written without a column list:
   keep the column order. */
CREATE TABLE FORMRSIZE (
  OPCODE       INTEGER NOT NULL,
  FMNAME       VARCHAR(64) NOT NULL,
  FMTOP        INTEGER DEFAULT 0,
  FMLEFT       INTEGER DEFAULT 0,
  FMHEIGHT     INTEGER DEFAULT 0,
  FMWIDTH      INTEGER DEFAULT 0,
  FMDEFHEIGHT  INTEGER DEFAULT 0,
  FMDEFWIDTH   INTEGER DEFAULT 0,
  CONSTRAINT PK_FORMRSIZE PRIMARY KEY (OPCODE, FMNAME)
);

/* Japanese eras, newest first by YEAROFFSET (the Gregorian year in which
   the era begins). */
CREATE TABLE GENGO (
  GNAME       VARCHAR(10) DEFAULT '',
  GSIGN       VARCHAR(2) CHARACTER SET ASCII DEFAULT '',
  STARTDATE   TIMESTAMP,
  YEAROFFSET  INTEGER DEFAULT 0
);

/* Code systems (predefined account sets) for new company data, one row per
   code system. INIDAT1-8 hold the definition lines of the code-system file,
   each line ended by CR LF. */
CREATE TABLE USERCODE (
  RECNO     INTEGER NOT NULL,
  NAME      VARCHAR(30) DEFAULT '',
  DATATYPE  INTEGER DEFAULT 0,
  CODETYPE  INTEGER DEFAULT 0,
  INIDAT1   BLOB SUB_TYPE BINARY,
  INIDAT2   BLOB SUB_TYPE BINARY,
  INIDAT3   BLOB SUB_TYPE BINARY,
  INIDAT4   BLOB SUB_TYPE BINARY,
  INIDAT5   BLOB SUB_TYPE BINARY,
  INIDAT6   BLOB SUB_TYPE BINARY,
  INIDAT7   BLOB SUB_TYPE BINARY,
  INIDAT8   BLOB SUB_TYPE BINARY,
  CONSTRAINT PK_USERCODE PRIMARY KEY (RECNO)
);

/* Search conditions and sort of the data lists, per operator session code
   and list (LISTTYPE 0 the data selection, 1 the shared data). */
CREATE TABLE KENSAKUJYOKEN (
  OPCODE      INTEGER NOT NULL,
  LISTTYPE    INTEGER NOT NULL,
  JYOKENUSE   INTEGER,
  DATATYPE    INTEGER,
  CODETYPE    INTEGER,
  DATACODE    VARCHAR(10) CHARACTER SET ASCII,
  DATANAME    VARCHAR(20),
  TANTO       INTEGER,
  DATAVER     VARCHAR(10) CHARACTER SET ASCII,
  SEIHINNAME  VARCHAR(20),
  SORTCOL     INTEGER,
  SORTTYPE    INTEGER,
  CONSTRAINT PK_KENSAKUJYOKEN PRIMARY KEY (OPCODE, LISTTYPE)
);

/* ------------------------------------------------------------------ */
/* Registry of company data sets                                       */
/* ------------------------------------------------------------------ */
/*
 * Common columns of the data lists:
 *   ENTTEXT registered name (empty = empty row), SHOUGOU trade name,
 *   PASNAME data folder, NETDRIVE 1 = folder on a shared network drive,
 *   DATATYPE / CODETYPE data and code type, NENDO fiscal year,
 *   KISHU / KIMATU first and last day of the year, DATALOCK login code of
 *   the operator holding the lock (0 none), KYOYULOCK 1 = shared data taken
 *   out by this computer, TANTOU person in charge, VER_* schema version of
 *   the company database and its display name, UPDATE_LOCK 1 = upgrade
 *   forbidden, GASSAN consolidation kind (0 normal, 1 consolidated,
 *   2 consolidated head office and branches, 10 distributed-input child),
 *   DATACODE company code, DATA_STATUS 1 = failed a data check,
 *   YOBI1-3 reserve, CLOUD 1 = bound to a cloud-share line (from 11.0.1),
 *   READ_ONLY 1 = journal input forbidden (from 12.0.0).
 */

/* The data list of the standard data place: one row per data set. Rows 1
   up to the list capacity always exist (empty rows are free folders). */
CREATE TABLE DATALIST (
  REC          INTEGER NOT NULL,
  GROUPID      INTEGER DEFAULT 10000,
  ENTTEXT      VARCHAR(20),
  SHOUGOU      VARCHAR(20),
  PASNAME      VARCHAR(127),
  NETDRIVE     INTEGER,
  DATATYPE     INTEGER,
  CODETYPE     INTEGER,
  NENDO        INTEGER,
  KISHU        TIMESTAMP,
  KIMATU       TIMESTAMP,
  DATALOCK     INTEGER DEFAULT 0,
  TANTOU       INTEGER DEFAULT 0,
  VER_MAJOR    INTEGER DEFAULT 0,
  VER_MINOR1   INTEGER DEFAULT 0,
  VER_MINOR2   INTEGER DEFAULT 0,
  VER_TEXT     VARCHAR(20),
  KYOYULOCK    INTEGER DEFAULT 0,
  UPDATE_LOCK  INTEGER DEFAULT 0,
  GASSAN       INTEGER DEFAULT 0,
  DATACODE     VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  DATA_STATUS  INTEGER DEFAULT 0,
  YOBI1        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI2        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI3        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  CLOUD        INTEGER DEFAULT 0,
  READ_ONLY    INTEGER DEFAULT 0,
  CONSTRAINT PK_DATALIST PRIMARY KEY (REC)
);

/* The child data sets (distributed-input data, GASSAN 10) of a
   consolidated data set: REC is the parent's number, ROWNO numbers the
   children from 1. */
CREATE TABLE CHILD_DATALIST (
  REC          INTEGER NOT NULL,
  ROWNO        INTEGER NOT NULL,
  GROUPID      INTEGER DEFAULT 10000,
  ENTTEXT      VARCHAR(20),
  SHOUGOU      VARCHAR(20),
  PASNAME      VARCHAR(127),
  NETDRIVE     INTEGER,
  DATATYPE     INTEGER,
  CODETYPE     INTEGER,
  NENDO        INTEGER,
  KISHU        TIMESTAMP,
  KIMATU       TIMESTAMP,
  DATALOCK     INTEGER DEFAULT 0,
  TANTOU       INTEGER DEFAULT 0,
  VER_MAJOR    INTEGER DEFAULT 0,
  VER_MINOR1   INTEGER DEFAULT 0,
  VER_MINOR2   INTEGER DEFAULT 0,
  VER_TEXT     VARCHAR(20),
  KYOYULOCK    INTEGER DEFAULT 0,
  UPDATE_LOCK  INTEGER DEFAULT 0,
  GASSAN       INTEGER DEFAULT 0,
  DATACODE     VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  DATA_STATUS  INTEGER DEFAULT 0,
  YOBI1        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI2        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI3        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  CLOUD        INTEGER DEFAULT 0,
  READ_ONLY    INTEGER DEFAULT 0,
  CONSTRAINT PK_CHILD_DATALIST PRIMARY KEY (REC, ROWNO),
  CONSTRAINT FK_CHILD_DATALIST FOREIGN KEY (REC)
    REFERENCES DATALIST (REC) ON UPDATE CASCADE ON DELETE CASCADE
);

/* The data folders found on the shared server drives, per group and drive
   letter; REC numbers the folders of one drive from 1. */
CREATE TABLE SERVERDATALIST (
  GROUPID      INTEGER NOT NULL,
  DRIVELETTER  VARCHAR(1) CHARACTER SET ASCII NOT NULL,
  REC          INTEGER NOT NULL,
  ENTTEXT      VARCHAR(20),
  SHOUGOU      VARCHAR(20),
  PASNAME      VARCHAR(128),
  DATATYPE     INTEGER,
  CODETYPE     INTEGER,
  NENDO        INTEGER,
  KISHU        TIMESTAMP,
  KIMATU       TIMESTAMP,
  DATALOCK     INTEGER DEFAULT 0,
  TANTOU       INTEGER DEFAULT 0,
  VER_MAJOR    INTEGER DEFAULT 0,
  VER_MINOR1   INTEGER DEFAULT 0,
  VER_MINOR2   INTEGER DEFAULT 0,
  VER_TEXT     VARCHAR(20),
  UPDATE_LOCK  INTEGER DEFAULT 0,
  GASSAN       INTEGER DEFAULT 0,
  DATACODE     VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  DATA_STATUS  INTEGER DEFAULT 0,
  YOBI1        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI2        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI3        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  CLOUD        INTEGER DEFAULT 0,
  READ_ONLY    INTEGER DEFAULT 0,
  CONSTRAINT PK_SERVERDATALIST PRIMARY KEY (GROUPID, DRIVELETTER, REC),
  CONSTRAINT FK_SERVERDATALIST_GROUP FOREIGN KEY (GROUPID)
    REFERENCES USERGROUP (GROUPID) ON UPDATE CASCADE ON DELETE CASCADE
);

/* The child folders of consolidated data sets on the shared server drives;
   REC is the parent folder's number on the same drive. */
CREATE TABLE CHILD_SERVERDATALIST (
  GROUPID      INTEGER NOT NULL,
  DRIVELETTER  VARCHAR(1) CHARACTER SET ASCII NOT NULL,
  REC          INTEGER NOT NULL,
  ROWNO        INTEGER NOT NULL,
  ENTTEXT      VARCHAR(20),
  SHOUGOU      VARCHAR(20),
  PASNAME      VARCHAR(127),
  DATATYPE     INTEGER,
  CODETYPE     INTEGER,
  NENDO        INTEGER,
  KISHU        TIMESTAMP,
  KIMATU       TIMESTAMP,
  DATALOCK     INTEGER DEFAULT 0,
  TANTOU       INTEGER DEFAULT 0,
  VER_MAJOR    INTEGER DEFAULT 0,
  VER_MINOR1   INTEGER DEFAULT 0,
  VER_MINOR2   INTEGER DEFAULT 0,
  VER_TEXT     VARCHAR(20),
  UPDATE_LOCK  INTEGER DEFAULT 0,
  GASSAN       INTEGER DEFAULT 0,
  DATACODE     VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  DATA_STATUS  INTEGER DEFAULT 0,
  YOBI1        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI2        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI3        VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  CLOUD        INTEGER DEFAULT 0,
  READ_ONLY    INTEGER DEFAULT 0,
  CONSTRAINT PK_CHILD_SERVERDATALIST
    PRIMARY KEY (GROUPID, DRIVELETTER, REC, ROWNO),
  CONSTRAINT FK_CHILD_SERVERDATALIST FOREIGN KEY (GROUPID, DRIVELETTER, REC)
    REFERENCES SERVERDATALIST (GROUPID, DRIVELETTER, REC)
    ON UPDATE CASCADE ON DELETE CASCADE
);

/* Data places of the client/server mode: REC 0 is the standard place (the
   system folder, listed in DATALIST), REC 1-99 further folders on the
   server (listed in DATALIST_EX). A place is in use when it has a NAME. */
CREATE TABLE DATAPLACEMAN (
  REC       INTEGER NOT NULL,
  ORDERKBN  INTEGER DEFAULT 0,
  NAME      VARCHAR(20) DEFAULT '',
  PATH      VARCHAR(127) DEFAULT '',
  YOBI1     VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI2     VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI3     VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  CONSTRAINT PK_DATAPLACEMAN PRIMARY KEY (REC)
);

/* The data lists of the data places other than the standard one. */
CREATE TABLE DATALIST_EX (
  DATAPLACEREC  INTEGER NOT NULL,
  REC           INTEGER NOT NULL,
  GROUPID       INTEGER DEFAULT 10000,
  ENTTEXT       VARCHAR(20) DEFAULT '',
  SHOUGOU       VARCHAR(20) DEFAULT '',
  PASNAME       VARCHAR(127) DEFAULT '',
  NETDRIVE      INTEGER DEFAULT 0,
  DATATYPE      INTEGER DEFAULT 0,
  CODETYPE      INTEGER DEFAULT 0,
  NENDO         INTEGER DEFAULT 0,
  KISHU         TIMESTAMP,
  KIMATU        TIMESTAMP,
  DATALOCK      INTEGER DEFAULT 0,
  TANTOU        INTEGER DEFAULT 0,
  VER_MAJOR     INTEGER DEFAULT 0,
  VER_MINOR1    INTEGER DEFAULT 0,
  VER_MINOR2    INTEGER DEFAULT 0,
  VER_TEXT      VARCHAR(20) DEFAULT '',
  KYOYULOCK     INTEGER DEFAULT 0,
  UPDATE_LOCK   INTEGER DEFAULT 0,
  GASSAN        INTEGER DEFAULT 0,
  DATACODE      VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  DATA_STATUS   INTEGER DEFAULT 0,
  YOBI1         VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI2         VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  YOBI3         VARCHAR(10) CHARACTER SET ASCII DEFAULT '',
  CLOUD         INTEGER DEFAULT 0,
  READ_ONLY     INTEGER DEFAULT 0,
  CONSTRAINT PK_DATALIST_EX PRIMARY KEY (DATAPLACEREC, REC),
  CONSTRAINT FK_DATALIST_EX_PLACE FOREIGN KEY (DATAPLACEREC)
    REFERENCES DATAPLACEMAN (REC) ON UPDATE CASCADE ON DELETE CASCADE,
  CONSTRAINT FK_DATALIST_EX_GROUP FOREIGN KEY (GROUPID)
    REFERENCES USERGROUP (GROUPID) ON UPDATE CASCADE ON DELETE CASCADE
);

COMMIT;
