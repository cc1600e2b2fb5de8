/* 会計データベース: 施設・部門・科目・補助・税区分・帳票レイアウトのマスタ */

/* 施設（本・支店）。SCODE ' '（空白 1 文字）は法人全体 */
CREATE TABLE SISETUMST (
  SCODE           AC_CODE NOT NULL,
  SNAME           VARCHAR(20) DEFAULT '',
  ADDUP           INTEGER DEFAULT 0,
  BUMEX           INTEGER DEFAULT 0,               /* 1 = 部門を持つ施設 */
  XSTR1           BLOB SUB_TYPE 1,
  XSTR2           BLOB SUB_TYPE 1,
  XSTR3           BLOB SUB_TYPE 1,
  XSTR4           BLOB SUB_TYPE 1,
  XSTR5           BLOB SUB_TYPE 1,
  XSTR6           BLOB SUB_TYPE 1,
  XSTR7           BLOB SUB_TYPE 1,                 /* 旧形式の連動設定の保管場所 */
  XSTR8           BLOB SUB_TYPE 1,
  SIWAKECOUNT     INTEGER DEFAULT 0,               /* 有効な仕訳の件数 */
  KENSAKU_KEY     VARCHAR(20) DEFAULT '',
  XSTR            BLOB SUB_TYPE 1,                 /* key=value の付加情報（COLOR など） */
  MB_JIGYOU       INTEGER DEFAULT 0,               /* 医療法人: 8 病院・診療所, 4 老健, 2 訪問看護, 1 その他 */
  MB_SINRYOZYO    INTEGER DEFAULT 0,
  MB_SISETU_NUM   VARCHAR(20) DEFAULT '',
  MB_SYOZAITI     VARCHAR(60) DEFAULT '',
  CONSTRAINT PK_SISETUMST PRIMARY KEY (SCODE)
);

/* 部門。BCODE ' ' は部門なし、'00' は共通部門 */
CREATE TABLE BUMONMST (
  BCODE           AC_CODE NOT NULL,
  BNAME           AC_NAME DEFAULT '',
  XSTR            BLOB SUB_TYPE 1,
  KENSAKU_KEY     VARCHAR(20) DEFAULT '',
  CONSTRAINT PK_BUMONMST PRIMARY KEY (BCODE)
);

/* 施設ごとの部門と配賦率 */
CREATE TABLE SISETUBUM (
  SCODE           AC_CODE NOT NULL,
  BCODE           AC_CODE NOT NULL,
  HAIBUN          CURRENCY DEFAULT 0,
  CONSTRAINT PK_SISETUBUM PRIMARY KEY (SCODE, BCODE)
);

/* 施設グループ */
CREATE TABLE SISETUGROUP (
  GCODE           AC_CODE NOT NULL,
  GNAME           AC_NAME DEFAULT '',
  CONSTRAINT PK_SISETUGROUP PRIMARY KEY (GCODE)
);

/* 施設グループの構成施設 */
CREATE TABLE SISETUGROUPLIST (
  GCODE           AC_CODE NOT NULL,
  SCODE           AC_CODE NOT NULL,
  CONSTRAINT PK_SISETUGROUPLIST PRIMARY KEY (GCODE, SCODE)
);

/* 部門グループ */
CREATE TABLE GROUPMST (
  GCODE           AC_CODE NOT NULL,
  GNAME           AC_NAME DEFAULT '',
  CONSTRAINT PK_GROUPMST PRIMARY KEY (GCODE)
);

/* 部門グループの構成部門 */
CREATE TABLE GROUPLIST (
  GCODE           AC_CODE NOT NULL,
  BCODE           AC_CODE NOT NULL,
  CONSTRAINT PK_GROUPLIST PRIMARY KEY (GCODE, BCODE)
);

/* 消費税コード */
CREATE TABLE TAXMST (
  TAX_CODE        INTEGER NOT NULL,
  TAX_REC         INTEGER DEFAULT 0,
  TAX_GNAM        VARCHAR(20) DEFAULT '',
  TAX_NAME        VARCHAR(20) DEFAULT '',
  TAX_HOUSIKI     INTEGER DEFAULT 0,
  TAX_UH          INTEGER DEFAULT 0,               /* 1 売上系, 2 仕入系 */
  TAX_DAC         INTEGER DEFAULT 0,
  TAX_NAME2       VARCHAR(40) DEFAULT '',
  CONSTRAINT PK_TAXMST PRIMARY KEY (TAX_CODE)
);

/* 資金繰り項目 */
CREATE TABLE FINMST (
  F_CODE          INTEGER NOT NULL,
  F_REC           INTEGER DEFAULT 0,
  F_KUBU          VARCHAR(10) DEFAULT '',
  F_CAD           INTEGER DEFAULT 0,
  F_TEXT          VARCHAR(30) DEFAULT '',
  CONSTRAINT PK_FINMST PRIMARY KEY (F_CODE)
);

/* 勘定科目 */
CREATE TABLE KAMOKUMST (
  KCODE           AC_CODE NOT NULL,                /* 内部コード */
  USERCODE        AC_CODE DEFAULT '',              /* 利用者が見る科目コード */
  REC             INTEGER DEFAULT 0,
  GROUPM1         AC_CODE DEFAULT '',              /* 分類（4 桁） */
  GROUPM2         AC_CODE DEFAULT '',              /* 小分類 */
  GROUPR1         AC_CODE DEFAULT '',              /* 医療法人: 別分類 */
  GROUPR2         AC_CODE DEFAULT '',
  GROUPM3         AC_CODE DEFAULT '',
  KKANA           VARCHAR(10) DEFAULT '',
  KNAME           AC_NAME DEFAULT '',
  USE             INTEGER DEFAULT 1,               /* 使用区分 */
  USEDEF          INTEGER DEFAULT 0,
  BLDAC           INTEGER DEFAULT 0,
  DAC             INTEGER DEFAULT 1,               /* 貸借区分 1-4: 1,4 借方科目, 2,3 貸方科目 */
  DELFLG          INTEGER DEFAULT 0,
  TAX_LCODE       INTEGER DEFAULT 0,               /* 借方の既定消費税コード */
  TAX_RCODE       INTEGER DEFAULT 0,               /* 貸方の既定消費税コード */
  TAX_NUM         INTEGER DEFAULT 0,
  FUN_LCODE       INTEGER DEFAULT 0,               /* 資金繰り項目 */
  FUN_RCODE       INTEGER DEFAULT 0,
  HOJOSW          VARCHAR(2) DEFAULT '',           /* ○ 補助あり, － なし, × 補助不可 */
  BPFLG           CHAR(1) CHARACTER SET ASCII DEFAULT 'B',  /* B 貸借対照表, P 損益計算書 */
  KEIHKUBU        VARCHAR(4) DEFAULT '',           /* 経費区分（変動費・固定費） */
  EXT1_A4         INTEGER DEFAULT 0,               /* 定形試算表 A4 の行（EXTERA4.REC） */
  EXT1_A3         INTEGER DEFAULT 0,               /* 定形試算表 A3 の行（EXTERA3.REC） */
  EXT1_KS         INTEGER DEFAULT 0,               /* 決算書の行（EXTERKS.REC） */
  EXT2_A4         VARCHAR(10) DEFAULT '',
  EXT2_A3         VARCHAR(10) DEFAULT '',
  EXT3_A4         VARCHAR(10) DEFAULT '',
  EXT3_A3         VARCHAR(10) DEFAULT '',
  EXT4_A4         VARCHAR(10) DEFAULT '',
  EXT4_A3         VARCHAR(10) DEFAULT '',
  ZEBRIK_YOJITU_RATE1 CURRENCY,                    /* 予実対比の注意比率 */
  ZEBRIK_YOJITU_KIND1 INTEGER DEFAULT 0,
  ZEBRIK_YOJITU_RATE2 CURRENCY,                    /* 予実対比の良好比率 */
  ZEBRIK_YOJITU_KIND2 INTEGER DEFAULT 0,
  SIKINGURIKUBUN  VARCHAR(6) DEFAULT '',           /* 資金繰り区分 */
  KENSAKU_KEY     VARCHAR(20) DEFAULT '',
  XSTR            BLOB SUB_TYPE 1,
  OPCODE          INTEGER DEFAULT 0,
  RTIME           TIMESTAMP,
  ZEIRITUKBN      INTEGER DEFAULT 0,               /* 軽減税率区分 */
  CONSTRAINT PK_KAMOKUMST PRIMARY KEY (KCODE)
);
CREATE INDEX KAMOKUMST_USERCODE ON KAMOKUMST (USERCODE);

/* 補助科目。HCODE ' ' は科目そのもの（補助なし） */
CREATE TABLE HOJOMST (
  KCODE           AC_CODE NOT NULL,
  HCODE           AC_CODE NOT NULL,
  REC             INTEGER,
  HKANA           VARCHAR(10) DEFAULT '',
  HNAME           AC_NAME DEFAULT '',
  TAX_LCODE       INTEGER DEFAULT 0,
  TAX_RCODE       INTEGER DEFAULT 0,
  TAX_NUM         INTEGER DEFAULT 0,
  BPFLG           CHAR(1) CHARACTER SET ASCII DEFAULT 'B',
  SIME            INTEGER DEFAULT 0,               /* 取引先: 締日 */
  SAITO           INTEGER DEFAULT 0,               /* 取引先: サイト */
  CODATE          INTEGER DEFAULT 0,               /* 取引先: 支払日 */
  GENDO           CURRENCY DEFAULT 0,              /* 取引先: 限度額 */
  WARIAISW        INTEGER DEFAULT 0,
  WARI1           CURRENCY DEFAULT 0,
  WARI2           CURRENCY DEFAULT 0,
  WARI3           CURRENCY DEFAULT 0,
  TEGATA          INTEGER DEFAULT 0,
  YOKKMK          AC_CODE DEFAULT '',
  YOKHOJ          AC_CODE DEFAULT '',
  ADDRESS         VARCHAR(40) DEFAULT '',
  KOUZA           VARCHAR(20) DEFAULT '',
  BANK            VARCHAR(20) DEFAULT '',
  SITEN           VARCHAR(20) DEFAULT '',
  KANKEI          VARCHAR(10) DEFAULT '',
  TORIHIK         VARCHAR(20) DEFAULT '',
  RIRITU          CURRENCY DEFAULT 0,
  RIYUU           VARCHAR(20) DEFAULT '',
  TANPO           VARCHAR(20) DEFAULT '',
  YOUTO           VARCHAR(20) DEFAULT '',
  FURIKOMI        INTEGER DEFAULT 0,
  KARINAME        VARCHAR(20) DEFAULT '',
  KARIDADD        VARCHAR(40) DEFAULT '',
  RTIME           TIMESTAMP,
  OPCODE          INTEGER DEFAULT 0,
  KENSAKU_KEY     VARCHAR(20) DEFAULT '',
  XSTR            BLOB SUB_TYPE 1,
  ZEIRITUKBN      INTEGER DEFAULT 0,
  CONSTRAINT PK_HOJOMST PRIMARY KEY (KCODE, HCODE)
);

/* 削除した補助の記録 */
CREATE TABLE HOJOLOG (
  LOGREC          INTEGER NOT NULL,
  REC             INTEGER,
  KCODE           AC_CODE,
  HCODE           AC_CODE,
  HKANA           VARCHAR(10),
  HNAME           AC_NAME,
  TAX_LCODE       INTEGER,
  TAX_RCODE       INTEGER,
  TAX_NUM         INTEGER,
  BPFLG           CHAR(1) CHARACTER SET ASCII,
  SIME            INTEGER,
  SAITO           INTEGER,
  CODATE          INTEGER,
  GENDO           CURRENCY,
  WARIAISW        INTEGER,
  WARI1           CURRENCY,
  WARI2           CURRENCY,
  WARI3           CURRENCY,
  TEGATA          INTEGER,
  YOKKMK          AC_CODE,
  YOKHOJ          AC_CODE,
  ADDRESS         VARCHAR(40),
  KOUZA           VARCHAR(20),
  BANK            VARCHAR(20),
  SITEN           VARCHAR(20),
  KANKEI          VARCHAR(10),
  TORIHIK         VARCHAR(20),
  RIRITU          CURRENCY,
  RIYUU           VARCHAR(20),
  TANPO           VARCHAR(20),
  YOUTO           VARCHAR(20),
  FURIKOMI        INTEGER,
  KARINAME        VARCHAR(20),
  KARIDADD        VARCHAR(40),
  RTIME           TIMESTAMP,
  OPCODE          INTEGER,
  CONSTRAINT PK_HOJOLOG PRIMARY KEY (LOGREC)
);

/* 定形試算表（A4）の行 */
CREATE TABLE EXTERA4 (
  REC             INTEGER NOT NULL,
  KGROUP          AC_CODE DEFAULT '',
  SUBREC          INTEGER DEFAULT 0,
  KNAME1          AC_NAME DEFAULT '',
  CONSTRAINT PK_EXTERA4 PRIMARY KEY (REC)
);

/* 定形試算表（A3）の行 */
CREATE TABLE EXTERA3 (
  REC             INTEGER NOT NULL,
  KGROUP          AC_CODE DEFAULT '',
  SUBREC          INTEGER DEFAULT 0,
  KNAME1          AC_NAME DEFAULT '',
  CONSTRAINT PK_EXTERA3 PRIMARY KEY (REC)
);

/* 決算書の行（印刷名称と青色申告決算書の期首・期末額） */
CREATE TABLE EXTERKS (
  REC             INTEGER NOT NULL,
  KUBUN           INTEGER DEFAULT 0,
  KGROUP          AC_CODE DEFAULT '',
  SUBREC          INTEGER DEFAULT 0,
  KNAME1          AC_NAME DEFAULT '',
  KNAMELOCK       INTEGER DEFAULT 0,
  CONSTRAINT PK_EXTERKS PRIMARY KEY (REC)
);

/* 医療法人: 科目グループ */
CREATE TABLE MB_KMKGROUP (
  GCODE           AC_CODE NOT NULL,
  KCODE           AC_CODE NOT NULL,
  CONSTRAINT PK_MB_KMKGROUP PRIMARY KEY (GCODE, KCODE)
);
