/* 会計データベース: 仕訳・仕訳辞書のテーブル */
/* 仕訳: 1 つの仕訳は借方行（TAISHAKU 1）と貸方行（TAISHAKU 2）の 2 行。各行は自分の側を無印の列に、相手側を R_ の列に持つ */
CREATE TABLE SIWAKE (
  REC             INTEGER NOT NULL,                /* 行番号: 借方行 2g-1, 貸方行 2g */
  SWKREC          INTEGER DEFAULT 0,               /* 仕訳番号 g（借方行と貸方行で共通） */
  SWKNO           INTEGER DEFAULT 0,               /* 訂正前後の仕訳をつなぐ番号 */
  DELFLG          INTEGER DEFAULT 0,               /* 0 有効, 1 削除, 2 訂正により置換 */
  TAISHAKU        INTEGER DEFAULT 1,               /* 1 借方行, 2 貸方行 */
  HIZUKE          DATE,
  MNUM            INTEGER DEFAULT 0,               /* 期間番号 1～16 */
  KESSAN          INTEGER DEFAULT 0,               /* 1 = 決算仕訳 */
  SDAYNUM         INTEGER DEFAULT 0,               /* 日付内の順番 */
  MDAYNUM         INTEGER DEFAULT 0,
  DNUM            INTEGER DEFAULT 0,               /* 伝票番号 */
  SNUM            INTEGER DEFAULT 0,               /* 個別原価番号 */
  SCODE           AC_CODE DEFAULT ' ',
  SITREC          INTEGER DEFAULT 0,               /* 施設ごとの仕訳連番 */
  KGROUP        AC_CODE DEFAULT '',
  KCODE         AC_CODE DEFAULT '',
  HCODE         AC_CODE DEFAULT ' ',
  BCODE         AC_CODE DEFAULT ' ',
  KNAME         AC_NAME DEFAULT '',
  HNAME         AC_NAME DEFAULT '',
  BNAME         AC_NAME DEFAULT '',
  TAXCODE       INTEGER DEFAULT 0,
  TAXUH         INTEGER DEFAULT 0,
  TAXDC         INTEGER DEFAULT 0,
  NUK           CURRENCY DEFAULT 0,
  ZEI           CURRENCY DEFAULT 0,
  RIT           CURRENCY DEFAULT 0,
  SIKIN         INTEGER DEFAULT 0,
  R_KGROUP        AC_CODE DEFAULT '',
  R_KCODE         AC_CODE DEFAULT '',
  R_HCODE         AC_CODE DEFAULT ' ',
  R_BCODE         AC_CODE DEFAULT ' ',
  R_KNAME         AC_NAME DEFAULT '',
  R_HNAME         AC_NAME DEFAULT '',
  R_BNAME         AC_NAME DEFAULT '',
  R_TAXCODE       INTEGER DEFAULT 0,
  R_TAXUH         INTEGER DEFAULT 0,
  R_TAXDC         INTEGER DEFAULT 0,
  R_NUK           CURRENCY DEFAULT 0,
  R_ZEI           CURRENCY DEFAULT 0,
  R_RIT           CURRENCY DEFAULT 0,
  R_SIKIN         INTEGER DEFAULT 0,
  KINGAKU         CURRENCY DEFAULT 0,
  ZEIGAKU         CURRENCY DEFAULT 0,
  ZEIRITUNO       INTEGER DEFAULT 0,
  AUTCALCU        INTEGER DEFAULT 0,
  TAXCALCU        INTEGER DEFAULT 0,
  OLDRATE         INTEGER DEFAULT 0,               /* 税率コード */
  TEKCODE         INTEGER DEFAULT 0,
  TEKTEXT         VARCHAR(50) DEFAULT '',          /* 摘要 */
  TORCODE         INTEGER DEFAULT 0,
  TORTEXT         VARCHAR(20) DEFAULT '',          /* 取引先 */
  FUSEN1          INTEGER DEFAULT 0,
  FUSEN2          INTEGER DEFAULT 0,
  FUSEN3          INTEGER DEFAULT 0,
  FUSEN4          INTEGER DEFAULT 0,
  FUSEN5          INTEGER DEFAULT 0,
  CTIME           TIMESTAMP,                       /* 監査確認の時刻 */
  COMMENT         VARCHAR(50) DEFAULT '',
  AO_COMMENT      VARCHAR(50) DEFAULT '',
  LINKKEY         VARCHAR(20) DEFAULT '',          /* 連動元のキー */
  LINKKUB         INTEGER DEFAULT 0,               /* 連動区分: 8 固定資産, 10 出納帳 */
  LINKREC         INTEGER DEFAULT 0,
  LOCALFLG        INTEGER DEFAULT 0,
  RESERVE1        INTEGER DEFAULT 0,
  RESERVE2        INTEGER DEFAULT 0,
  RTIME           TIMESTAMP,                       /* 最終更新時刻 */
  OPCODE          INTEGER DEFAULT 0,               /* 更新したオペレータ */
  CONSTRAINT PK_SIWAKE PRIMARY KEY (REC)
);
CREATE INDEX SIWAKE_SWKREC ON SIWAKE (SWKREC);
CREATE INDEX SIWAKE_SWKNO ON SIWAKE (SWKNO);
CREATE INDEX SIWAKE_HIZUKE ON SIWAKE (HIZUKE, KESSAN, SDAYNUM);
CREATE INDEX SIWAKE_KCODE ON SIWAKE (KCODE, MNUM);
CREATE INDEX SIWAKE_R_KCODE ON SIWAKE (R_KCODE);
CREATE INDEX SIWAKE_SCODE ON SIWAKE (SCODE, SITREC);

/* 仕訳行ごとの連動情報の控え（削除・訂正で SIWAKE の連動列が消されても残る） */
CREATE TABLE SIWAKE2 (
  REC             INTEGER NOT NULL,
  SWKREC          INTEGER DEFAULT 0,
  LINKKEY         VARCHAR(20) DEFAULT '',
  LINKKUB         INTEGER DEFAULT 0,
  LINKREC         INTEGER DEFAULT 0,
  CONSTRAINT PK_SIWAKE2 PRIMARY KEY (REC)
);

/* 仕訳の承認: 承認された仕訳ごとに 1 行 */
CREATE TABLE SIWAKE_SHONIN (
  SWKREC          INTEGER NOT NULL,
  SHONIN_HIZUKE   TIMESTAMP,
  SHONIN_OPCODE   INTEGER DEFAULT 0,
  SHONIN_NAME     VARCHAR(20) DEFAULT '',
  CONSTRAINT PK_SIWAKE_SHONIN PRIMARY KEY (SWKREC)
);

/* 前期の仕訳（列は SIWAKE と同じ） */
CREATE TABLE KAKOSIWAKE1 (
  REC             INTEGER NOT NULL,                /* 行番号: 借方行 2g-1, 貸方行 2g */
  SWKREC          INTEGER DEFAULT 0,               /* 仕訳番号 g（借方行と貸方行で共通） */
  SWKNO           INTEGER DEFAULT 0,               /* 訂正前後の仕訳をつなぐ番号 */
  DELFLG          INTEGER DEFAULT 0,               /* 0 有効, 1 削除, 2 訂正により置換 */
  TAISHAKU        INTEGER DEFAULT 1,               /* 1 借方行, 2 貸方行 */
  HIZUKE          DATE,
  MNUM            INTEGER DEFAULT 0,               /* 期間番号 1～16 */
  KESSAN          INTEGER DEFAULT 0,               /* 1 = 決算仕訳 */
  SDAYNUM         INTEGER DEFAULT 0,               /* 日付内の順番 */
  MDAYNUM         INTEGER DEFAULT 0,
  DNUM            INTEGER DEFAULT 0,               /* 伝票番号 */
  SNUM            INTEGER DEFAULT 0,               /* 個別原価番号 */
  SCODE           AC_CODE DEFAULT ' ',
  SITREC          INTEGER DEFAULT 0,               /* 施設ごとの仕訳連番 */
  KGROUP        AC_CODE DEFAULT '',
  KCODE         AC_CODE DEFAULT '',
  HCODE         AC_CODE DEFAULT ' ',
  BCODE         AC_CODE DEFAULT ' ',
  KNAME         AC_NAME DEFAULT '',
  HNAME         AC_NAME DEFAULT '',
  BNAME         AC_NAME DEFAULT '',
  TAXCODE       INTEGER DEFAULT 0,
  TAXUH         INTEGER DEFAULT 0,
  TAXDC         INTEGER DEFAULT 0,
  NUK           CURRENCY DEFAULT 0,
  ZEI           CURRENCY DEFAULT 0,
  RIT           CURRENCY DEFAULT 0,
  SIKIN         INTEGER DEFAULT 0,
  R_KGROUP        AC_CODE DEFAULT '',
  R_KCODE         AC_CODE DEFAULT '',
  R_HCODE         AC_CODE DEFAULT ' ',
  R_BCODE         AC_CODE DEFAULT ' ',
  R_KNAME         AC_NAME DEFAULT '',
  R_HNAME         AC_NAME DEFAULT '',
  R_BNAME         AC_NAME DEFAULT '',
  R_TAXCODE       INTEGER DEFAULT 0,
  R_TAXUH         INTEGER DEFAULT 0,
  R_TAXDC         INTEGER DEFAULT 0,
  R_NUK           CURRENCY DEFAULT 0,
  R_ZEI           CURRENCY DEFAULT 0,
  R_RIT           CURRENCY DEFAULT 0,
  R_SIKIN         INTEGER DEFAULT 0,
  KINGAKU         CURRENCY DEFAULT 0,
  ZEIGAKU         CURRENCY DEFAULT 0,
  ZEIRITUNO       INTEGER DEFAULT 0,
  AUTCALCU        INTEGER DEFAULT 0,
  TAXCALCU        INTEGER DEFAULT 0,
  OLDRATE         INTEGER DEFAULT 0,               /* 税率コード */
  TEKCODE         INTEGER DEFAULT 0,
  TEKTEXT         VARCHAR(50) DEFAULT '',          /* 摘要 */
  TORCODE         INTEGER DEFAULT 0,
  TORTEXT         VARCHAR(20) DEFAULT '',          /* 取引先 */
  FUSEN1          INTEGER DEFAULT 0,
  FUSEN2          INTEGER DEFAULT 0,
  FUSEN3          INTEGER DEFAULT 0,
  FUSEN4          INTEGER DEFAULT 0,
  FUSEN5          INTEGER DEFAULT 0,
  CTIME           TIMESTAMP,                       /* 監査確認の時刻 */
  COMMENT         VARCHAR(50) DEFAULT '',
  AO_COMMENT      VARCHAR(50) DEFAULT '',
  LINKKEY         VARCHAR(20) DEFAULT '',          /* 連動元のキー */
  LINKKUB         INTEGER DEFAULT 0,               /* 連動区分: 8 固定資産, 10 出納帳 */
  LINKREC         INTEGER DEFAULT 0,
  LOCALFLG        INTEGER DEFAULT 0,
  RESERVE1        INTEGER DEFAULT 0,
  RESERVE2        INTEGER DEFAULT 0,
  RTIME           TIMESTAMP,                       /* 最終更新時刻 */
  OPCODE          INTEGER DEFAULT 0,               /* 更新したオペレータ */
  CONSTRAINT PK_KAKOSIWAKE1 PRIMARY KEY (REC)
);
CREATE INDEX KAKOSIWAKE1_SWKREC ON KAKOSIWAKE1 (SWKREC);

/* 前々期の仕訳（列は SIWAKE と同じ） */
CREATE TABLE KAKOSIWAKE2 (
  REC             INTEGER NOT NULL,                /* 行番号: 借方行 2g-1, 貸方行 2g */
  SWKREC          INTEGER DEFAULT 0,               /* 仕訳番号 g（借方行と貸方行で共通） */
  SWKNO           INTEGER DEFAULT 0,               /* 訂正前後の仕訳をつなぐ番号 */
  DELFLG          INTEGER DEFAULT 0,               /* 0 有効, 1 削除, 2 訂正により置換 */
  TAISHAKU        INTEGER DEFAULT 1,               /* 1 借方行, 2 貸方行 */
  HIZUKE          DATE,
  MNUM            INTEGER DEFAULT 0,               /* 期間番号 1～16 */
  KESSAN          INTEGER DEFAULT 0,               /* 1 = 決算仕訳 */
  SDAYNUM         INTEGER DEFAULT 0,               /* 日付内の順番 */
  MDAYNUM         INTEGER DEFAULT 0,
  DNUM            INTEGER DEFAULT 0,               /* 伝票番号 */
  SNUM            INTEGER DEFAULT 0,               /* 個別原価番号 */
  SCODE           AC_CODE DEFAULT ' ',
  SITREC          INTEGER DEFAULT 0,               /* 施設ごとの仕訳連番 */
  KGROUP        AC_CODE DEFAULT '',
  KCODE         AC_CODE DEFAULT '',
  HCODE         AC_CODE DEFAULT ' ',
  BCODE         AC_CODE DEFAULT ' ',
  KNAME         AC_NAME DEFAULT '',
  HNAME         AC_NAME DEFAULT '',
  BNAME         AC_NAME DEFAULT '',
  TAXCODE       INTEGER DEFAULT 0,
  TAXUH         INTEGER DEFAULT 0,
  TAXDC         INTEGER DEFAULT 0,
  NUK           CURRENCY DEFAULT 0,
  ZEI           CURRENCY DEFAULT 0,
  RIT           CURRENCY DEFAULT 0,
  SIKIN         INTEGER DEFAULT 0,
  R_KGROUP        AC_CODE DEFAULT '',
  R_KCODE         AC_CODE DEFAULT '',
  R_HCODE         AC_CODE DEFAULT ' ',
  R_BCODE         AC_CODE DEFAULT ' ',
  R_KNAME         AC_NAME DEFAULT '',
  R_HNAME         AC_NAME DEFAULT '',
  R_BNAME         AC_NAME DEFAULT '',
  R_TAXCODE       INTEGER DEFAULT 0,
  R_TAXUH         INTEGER DEFAULT 0,
  R_TAXDC         INTEGER DEFAULT 0,
  R_NUK           CURRENCY DEFAULT 0,
  R_ZEI           CURRENCY DEFAULT 0,
  R_RIT           CURRENCY DEFAULT 0,
  R_SIKIN         INTEGER DEFAULT 0,
  KINGAKU         CURRENCY DEFAULT 0,
  ZEIGAKU         CURRENCY DEFAULT 0,
  ZEIRITUNO       INTEGER DEFAULT 0,
  AUTCALCU        INTEGER DEFAULT 0,
  TAXCALCU        INTEGER DEFAULT 0,
  OLDRATE         INTEGER DEFAULT 0,               /* 税率コード */
  TEKCODE         INTEGER DEFAULT 0,
  TEKTEXT         VARCHAR(50) DEFAULT '',          /* 摘要 */
  TORCODE         INTEGER DEFAULT 0,
  TORTEXT         VARCHAR(20) DEFAULT '',          /* 取引先 */
  FUSEN1          INTEGER DEFAULT 0,
  FUSEN2          INTEGER DEFAULT 0,
  FUSEN3          INTEGER DEFAULT 0,
  FUSEN4          INTEGER DEFAULT 0,
  FUSEN5          INTEGER DEFAULT 0,
  CTIME           TIMESTAMP,                       /* 監査確認の時刻 */
  COMMENT         VARCHAR(50) DEFAULT '',
  AO_COMMENT      VARCHAR(50) DEFAULT '',
  LINKKEY         VARCHAR(20) DEFAULT '',          /* 連動元のキー */
  LINKKUB         INTEGER DEFAULT 0,               /* 連動区分: 8 固定資産, 10 出納帳 */
  LINKREC         INTEGER DEFAULT 0,
  LOCALFLG        INTEGER DEFAULT 0,
  RESERVE1        INTEGER DEFAULT 0,
  RESERVE2        INTEGER DEFAULT 0,
  RTIME           TIMESTAMP,                       /* 最終更新時刻 */
  OPCODE          INTEGER DEFAULT 0,               /* 更新したオペレータ */
  CONSTRAINT PK_KAKOSIWAKE2 PRIMARY KEY (REC)
);
CREATE INDEX KAKOSIWAKE2_SWKREC ON KAKOSIWAKE2 (SWKREC);

/* 出納帳とやり取りした仕訳番号 */
CREATE TABLE SUITOTYO_SABUN (
  SWKREC          INTEGER NOT NULL,
  PRIMARY KEY (SWKREC)
);

/* 仕訳の検索条件（監査項目から参照される） */
CREATE TABLE SWK_SEARCH (
  REC             INTEGER NOT NULL,
  NAME            VARCHAR(20) DEFAULT '',
  KIND            INTEGER DEFAULT 0,
  STYPE           INTEGER DEFAULT 0,
  SSTR            BLOB SUB_TYPE 1,
  CONSTRAINT PK_SWK_SEARCH PRIMARY KEY (REC)
);

/* 摘要辞書の分類（施設ごとに 50 分類） */
CREATE TABLE TEKDICTI (
  CREC            INTEGER NOT NULL,
  SCODE           AC_CODE DEFAULT ' ',
  SORTCODE        INTEGER DEFAULT 0,
  TEXT            VARCHAR(20) DEFAULT '',
  MOVEMENT        INTEGER DEFAULT 0,
  CONSTRAINT PK_TEKDICTI PRIMARY KEY (CREC)
);
CREATE INDEX TEKDICTI_SCODE ON TEKDICTI (SCODE, SORTCODE);

/* 摘要辞書: 摘要と、それが提案する借方・貸方の科目 */
CREATE TABLE TEKDIC (
  TEKCODE         INTEGER NOT NULL,
  CREC            INTEGER DEFAULT 0,
  KANA            VARCHAR(5) DEFAULT '',
  FNUM            INTEGER DEFAULT 0,
  TEXT            VARCHAR(50) DEFAULT '',
  SCODE           AC_CODE DEFAULT ' ',
  "ROW"           INTEGER DEFAULT 0,
  COL             INTEGER DEFAULT 0,
  KAR_KCODE       AC_CODE,
  KAR_HCODE       AC_CODE,
  KAR_BCODE       AC_CODE,
  KAR_TAXCODE     INTEGER DEFAULT 0,
  KAS_KCODE       AC_CODE,
  KAS_HCODE       AC_CODE,
  KAS_BCODE       AC_CODE,
  KAS_TAXCODE     INTEGER DEFAULT 0,
  WAITFLG         INTEGER DEFAULT 0,
  TAXOLD          INTEGER DEFAULT 0,
  TAXNUM          INTEGER DEFAULT 0,
  MOVEMENT        INTEGER DEFAULT 0,
  HAIBUN          INTEGER DEFAULT 0,
  RTIME           TIMESTAMP,
  CONSTRAINT PK_TEKDIC PRIMARY KEY (TEKCODE),
  CONSTRAINT TEKDIC_KAS_BCODE FOREIGN KEY (KAS_BCODE) REFERENCES BUMONMST (BCODE)
    ON UPDATE CASCADE ON DELETE SET NULL
);
CREATE INDEX TEKDIC_CREC ON TEKDIC (CREC, KANA);

/* 取引先辞書の分類（施設ごとに 50 分類、あかさたな…） */
CREATE TABLE TORDICTI (
  CREC            INTEGER NOT NULL,
  SCODE           AC_CODE DEFAULT ' ',
  SORTCODE        INTEGER DEFAULT 0,
  TEXT            VARCHAR(20) DEFAULT '',
  MOVEMENT        INTEGER DEFAULT 0,
  CONSTRAINT PK_TORDICTI PRIMARY KEY (CREC)
);
CREATE INDEX TORDICTI_SCODE ON TORDICTI (SCODE, SORTCODE);

/* 取引先辞書: 取引先名・摘要と、提案する借方・貸方の科目 */
CREATE TABLE TORDIC (
  TEKCODE         INTEGER NOT NULL,
  CREC            INTEGER DEFAULT 0,
  KANA            VARCHAR(5) DEFAULT '',
  MCODE           INTEGER DEFAULT 0,
  TEXT            VARCHAR(40) DEFAULT '',
  TEKTEXT         VARCHAR(50) DEFAULT '',
  SCODE           AC_CODE DEFAULT ' ',
  "ROW"           INTEGER DEFAULT 0,
  COL             INTEGER DEFAULT 0,
  KAR_KCODE       AC_CODE,
  KAR_HCODE       AC_CODE,
  KAR_BCODE       AC_CODE,
  KAR_TAXCODE     INTEGER DEFAULT 0,
  KAS_KCODE       AC_CODE,
  KAS_HCODE       AC_CODE,
  KAS_BCODE       AC_CODE,
  KAS_TAXCODE     INTEGER DEFAULT 0,
  WAITFLG         INTEGER DEFAULT 0,
  TAXOLD          INTEGER DEFAULT 0,
  TAXNUM          INTEGER DEFAULT 0,
  MOVEMENT        INTEGER DEFAULT 0,
  RTIME           TIMESTAMP,
  CONSTRAINT PK_TORDIC PRIMARY KEY (TEKCODE),
  CONSTRAINT TORDIC_KAS_BCODE FOREIGN KEY (KAS_BCODE) REFERENCES BUMONMST (BCODE)
    ON UPDATE CASCADE ON DELETE SET NULL
);
CREATE INDEX TORDIC_CREC ON TORDIC (CREC, KANA);
