/* 会計データベース: 基本情報・設定・バージョン・処理記録のテーブル */

/* 基本情報（1 行のみ、REC = 1）: 会社名・会計期間・消費税・部門／施設の使用などの基本設定 */
CREATE TABLE ACCDEF1 (
  REC             INTEGER NOT NULL,
  GROUPID         INTEGER DEFAULT 0,
  ENTTEXT         VARCHAR(40) DEFAULT '',          /* データリストの登録名称 */
  SERIAL          VARCHAR(20) DEFAULT '',
  TANTOU          INTEGER DEFAULT 0,               /* 担当者 */
  GYOUSHU         INTEGER DEFAULT 0,               /* 業種 */
  DATATYPE        INTEGER DEFAULT 1,               /* 1 法人, 2 個人, 3 医療法人 */
  CODETYPE        INTEGER DEFAULT 1,               /* 個人: 1 一般, 2 不動産, 3 クリニック, 4 農業 */
  SCODE1          VARCHAR(20) DEFAULT '',          /* 会社コード */
  SCODE2          VARCHAR(20) DEFAULT '',
  SKANA           VARCHAR(40) DEFAULT '',          /* 商号フリガナ */
  SHOUGOU         VARCHAR(40) DEFAULT '',          /* 商号 */
  POST            VARCHAR(10) DEFAULT '',
  ADD1            VARCHAR(40) DEFAULT '',
  ADD2            VARCHAR(40) DEFAULT '',
  TEL             VARCHAR(20) DEFAULT '',
  AO_ADD1         VARCHAR(40) DEFAULT '',          /* 青色申告: 事業所住所ほか */
  AO_ADD2         VARCHAR(40) DEFAULT '',
  AO_KANA         VARCHAR(40) DEFAULT '',
  AO_SIMEI        VARCHAR(20) DEFAULT '',
  AO_GYOUSHU      VARCHAR(20) DEFAULT '',
  AO_YAGO         VARCHAR(40) DEFAULT '',
  AO_KANYU        VARCHAR(40) DEFAULT '',
  AO_TEL          VARCHAR(20) DEFAULT '',
  AO_SHOKUGYO1    VARCHAR(20) DEFAULT '',
  AO_SHOKUGYO2    VARCHAR(20) DEFAULT '',
  MAIL            VARCHAR(80) CHARACTER SET ASCII DEFAULT '',
  ZZKISHU         DATE,                            /* 前々期の期首（不明なら NULL） */
  ZKISHU          DATE,                            /* 前期の期首 */
  NENDO           INTEGER DEFAULT 0,               /* 会計年度（期） */
  KISHU           DATE,                            /* 期首 */
  KIMATU          DATE,                            /* 期末 */
  KAISI           DATE,                            /* 入力開始日 */
  SIME            INTEGER DEFAULT 99,              /* 締日 1-28, 99 月末 */
  KAISINO         INTEGER DEFAULT 1,               /* 開始月の番号 1-12 */
  GENGOU_FLG      INTEGER DEFAULT 0,
  GENGOU_HOSEI    INTEGER DEFAULT 0,
  GENGOU_NAME     VARCHAR(4) DEFAULT '',
  YAKUMEI1        VARCHAR(10) DEFAULT '',          /* 役員の役職名 */
  YAKUMEI2        VARCHAR(10) DEFAULT '',
  YAKUMEI3        VARCHAR(10) DEFAULT '',
  OLD_TAX_RATE1   CURRENCY DEFAULT 0,
  OLD_TAX_RATE2   CURRENCY DEFAULT 0,
  OLD_TAX_RATE3   CURRENCY DEFAULT 0,
  OLD_TAX_RATE4   CURRENCY DEFAULT 0,
  OLD_TAX_RATE5   CURRENCY DEFAULT 0,
  NEW_TAX_RATE1   CURRENCY DEFAULT 0,
  NEW_TAX_RATE2   CURRENCY DEFAULT 0,
  NEW_TAX_RATE3   CURRENCY DEFAULT 0,
  NEW_TAX_RATE4   CURRENCY DEFAULT 0,
  NEW_TAX_RATE5   CURRENCY DEFAULT 0,
  CHG_DAYS1       DATE,                            /* 税率の変更日 */
  CHG_DAYS2       DATE,
  CHG_DAYS3       DATE,
  CHG_DAYS4       DATE,
  CHG_DAYS5       DATE,
  KANSA_FIXDATE   DATE,                            /* 監査確定日 */
  KANSA_DATE      DATE,                            /* 監査日 */
  CALCU           INTEGER DEFAULT 0,               /* 消費税の計算方法 */
  TAXU_HASUU      INTEGER DEFAULT 0,               /* 売上の税額端数処理 */
  TAXH_HASUU      INTEGER DEFAULT 0,               /* 仕入の税額端数処理 */
  TAXDEFUH        INTEGER DEFAULT 0,               /* 0 税込, 1 税抜 */
  TAXKANNI        INTEGER DEFAULT 0,               /* 簡易課税 */
  TAXJIGYOU       INTEGER DEFAULT 0,               /* 簡易課税の事業区分 */
  GENKAPRINT      INTEGER DEFAULT 0,               /* 原価報告書の印刷 */
  KANSA_LOCK      INTEGER DEFAULT 0,               /* 監査済みデータのロック */
  TEGATADICSW     INTEGER DEFAULT 0,
  CASHFLOWSW      INTEGER DEFAULT 0,
  SDAI_HASUU1     INTEGER DEFAULT 0,
  SDAI_HASUU2     INTEGER DEFAULT 0,
  CONVERT         INTEGER DEFAULT 0,               /* 1 = 他製品からのコンバートデータ */
  SHOUHYOU        INTEGER DEFAULT 0,
  SITEN           INTEGER DEFAULT 0,               /* 本・支店（施設）管理 */
  BUMON           INTEGER DEFAULT 0,               /* 部門管理: 0 なし, 1 損益のみ, 2 全科目 */
  DATALOCK        INTEGER DEFAULT 0,               /* 更新ロック */
  FUMEI_KCODE     AC_CODE DEFAULT '',              /* 不明勘定の科目 */
  GENKA_USE       INTEGER DEFAULT 0,               /* 製造原価の使用 */
  GENKA_HWORD1    VARCHAR(10) DEFAULT '',          /* 製造原価の見出し */
  GENKA_HWORD2    VARCHAR(10) DEFAULT '',
  GENKA_HWORD3    VARCHAR(10) DEFAULT '',
  GENKA_HWORD4    VARCHAR(10) DEFAULT '',
  GENKA_HWORD5    VARCHAR(10) DEFAULT '',
  PASWORD         VARCHAR(16) CHARACTER SET ASCII DEFAULT '',  /* 通信パスワード */
  KURIKOSI1       INTEGER DEFAULT 0,               /* 繰越時の税処理 */
  KURIKOSI2       INTEGER DEFAULT 0,
  GENKA_HWORD6    VARCHAR(10) DEFAULT '',
  HOJO_INS_MODE   INTEGER DEFAULT 0,               /* 補助追加時の残高行の作り方 */
  CLOUD_LINE      INTEGER DEFAULT 0,               /* クラウドシェアの領域番号、0 = なし */
  CLOUD_TIME      TIMESTAMP,                       /* クラウドシェアとの最終交換時刻 */
  READ_ONLY       INTEGER DEFAULT 0,               /* 1 = 参照専用データ */
  CONSTRAINT PK_ACCDEF1 PRIMARY KEY (REC)
);

/* 特定科目: 現金・仮払消費税・仮受消費税・諸口・繰越利益剰余金などの名前から科目コードを引く */
CREATE TABLE ACCDEF2 (
  KCODE           AC_CODE NOT NULL,
  KNAME           VARCHAR(40) NOT NULL,
  KGROUP          AC_CODE DEFAULT '',
  HYOUJYUN        INTEGER DEFAULT 0,
  CONSTRAINT PK_ACCDEF2 PRIMARY KEY (KNAME, KCODE)
);

/* 科目分類の名称（総勘定元帳の分類見出し） */
CREATE TABLE ACCDEF3 (
  KGROUP          AC_CODE NOT NULL,
  GROUPNAME       VARCHAR(40) DEFAULT '',
  CONSTRAINT PK_ACCDEF3 PRIMARY KEY (KGROUP)
);

/* 施設・部門・月ごとの人数など（経営分析用）。月番号 -31～16 */
CREATE TABLE ACCDEF5 (
  SCODE           AC_CODE NOT NULL,
  BCODE           AC_CODE NOT NULL,
  MNUM            INTEGER NOT NULL,
  NUM1            INTEGER DEFAULT 0,               /* 従業員数 */
  NUM2            INTEGER DEFAULT 0,
  NUM3            INTEGER DEFAULT 0,
  NUM4            INTEGER DEFAULT 0,
  NUM5            INTEGER DEFAULT 0,
  NUM6            INTEGER DEFAULT 0,
  NUM7            INTEGER DEFAULT 0,
  NUM8            INTEGER DEFAULT 0,
  CONSTRAINT PK_ACCDEF5 PRIMARY KEY (SCODE, BCODE, MNUM)
);

/* 会社ごとの型付き設定（グループ・項目・型・値）。読むときに無ければ既定値で作られる */
CREATE TABLE ACCREG (
  AGROUP          VARCHAR(40) NOT NULL,
  ACODE           VARCHAR(60) NOT NULL,
  ATYPE           VARCHAR(10) DEFAULT '',          /* 文字, 論理, 日付, 整数, 金額, 実数, 日時 */
  ATEXT           VARCHAR(1024),
  AMEMO           VARCHAR(256),
  CONSTRAINT PK_ACCREG PRIMARY KEY (AGROUP, ACODE)
);

/* 会社ごとのバイナリ設定（画像・メモ）。連動設定ファイルの保管にも使う */
CREATE TABLE ACCREG_BLOB_BINARY (
  FGROUP          VARCHAR(40) NOT NULL,
  FKEY            VARCHAR(60) NOT NULL,
  FTYPE           VARCHAR(10) DEFAULT '',          /* 画像, BMP, JPG, メモ */
  FVALUE          BLOB SUB_TYPE 0,
  CONSTRAINT PK_ACCREG_BLOB_BINARY PRIMARY KEY (FGROUP, FKEY)
);

/* 医療法人の事業報告書の設定（型付き、値は 3 つまで） */
CREATE TABLE MSD_HOUKOKU (
  MDGROUP         VARCHAR(40) NOT NULL,
  MDCODE          VARCHAR(60) NOT NULL,
  MDTYPE          VARCHAR(10) DEFAULT '',
  MDTEXT1         VARCHAR(1024),
  MDTEXT2         VARCHAR(1024),
  MDTEXT3         VARCHAR(1024),
  CONSTRAINT PK_MSD_HOUKOKU PRIMARY KEY (MDGROUP, MDCODE)
);

/* スキーマのバージョン。行 1 が現在のバージョンで、更新のたびに履歴行が追加される */
CREATE TABLE ACCVERSION (
  REC             INTEGER NOT NULL,
  MAJOR           INTEGER DEFAULT 0,
  MINOR1          INTEGER DEFAULT 0,
  MINOR2          INTEGER DEFAULT 0,
  MEMO            VARCHAR(512) DEFAULT '',
  CONSTRAINT PK_ACCVERSION PRIMARY KEY (REC)
);

/* 試算表の集計項目と名称 */
CREATE TABLE "ACCTOTALNAME" (
  "REC"           INTEGER NOT NULL,
  "VERSION"       INTEGER DEFAULT 1,
  "KGROUP"        VARCHAR(6) CHARACTER SET ASCII NOT NULL,
  "KESKUBUN"      INTEGER DEFAULT 0,               /* 0 共通, 1 決算書, 2 月次 */
  "ARRAYNUM"      INTEGER DEFAULT 0,               /* 集計配列の位置 */
  "KOUMOKU"       VARCHAR(14) CHARACTER SET SJIS_0208,
  "PLUSNAME"      AC_NAME,
  "MINUSNAME"     AC_NAME,
  "MODIFY"        INTEGER DEFAULT 0,
  "LAYOUT_TEXT"   AC_NAME,
  "LAYOUT_MAX"    INTEGER,
  "LAYOUT_USE"    INTEGER DEFAULT 1,
  "KESSAN_TEXT"   AC_NAME,
  "KESSAN_USE"    INTEGER DEFAULT 1,
  "MB_JIGYOU"     INTEGER DEFAULT 0,               /* 医療法人: 事業区分のビット */
  PRIMARY KEY ("REC")
);

/* 施設ごとの型付き設定（決算書の利益処分ほか） */
CREATE TABLE SISETREG (
  SCODE           AC_CODE NOT NULL,
  RGROUP          VARCHAR(40) NOT NULL,
  RCODE           VARCHAR(60) NOT NULL,
  RTYPE           VARCHAR(10) DEFAULT '',
  RTEXT           VARCHAR(1024),
  CONSTRAINT PK_SISETREG PRIMARY KEY (SCODE, RGROUP, RCODE)
);

/* 実行中の処理: オペレータが開いている画面ごとに 1 行 */
CREATE TABLE OPINF (
  OPCODE          INTEGER NOT NULL,
  JOBNAME         VARCHAR(100) NOT NULL,           /* 画面のキャプション */
  PCNAME          VARCHAR(60) DEFAULT '',
  OPENTIME        TIMESTAMP
);
CREATE INDEX OPINF_OPJOB ON OPINF (OPCODE, JOBNAME);

/* 処理履歴: 終了した処理（OPINF から移される） */
CREATE TABLE OPHIST (
  REC             INTEGER NOT NULL,
  OPCODE          INTEGER,
  JOBNAME         VARCHAR(100),
  PCNAME          VARCHAR(60),
  OPENTIME        TIMESTAMP,
  CLOSETIME       TIMESTAMP,
  STATE           VARCHAR(20),                     /* 正常終了, エラー終了 */
  CONSTRAINT PK_OPHIST PRIMARY KEY (REC)
);

/* オペレータが扱える施設 */
CREATE TABLE OPLICENSE (
  OPCODE          INTEGER NOT NULL,
  SCODE           AC_CODE NOT NULL,
  CONSTRAINT PK_OPLICENSE PRIMARY KEY (OPCODE, SCODE)
);

/* オペレータが通常使用する施設 */
CREATE TABLE OPDEFSISETU (
  OPCODE          INTEGER NOT NULL,
  SCODE           AC_CODE,
  CONSTRAINT PK_OPDEFSISETU PRIMARY KEY (OPCODE)
);

/* マイナンバー情報の操作記録 */
CREATE TABLE MYNUMBER_LOG (
  FHIZUKE         TIMESTAMP NOT NULL,
  FSERIAL         VARCHAR(20) NOT NULL,
  FOPCODE         VARCHAR(10) NOT NULL,
  FOPNAME         VARCHAR(40),
  FHOST           VARCHAR(60),
  FSTATE          INTEGER,
  FPROCNAME       VARCHAR(40),
  FCOMMENT        VARCHAR(100),
  CONSTRAINT PK_MYNUMBER_LOG PRIMARY KEY (FHIZUKE, FSERIAL, FOPCODE)
);

/* メニュー制御（旧形式: ページ・メニュー番号） */
CREATE TABLE JOBCONTROL (
  REC             INTEGER NOT NULL,
  LEVELNO         INTEGER DEFAULT 1,
  PAGENO          INTEGER DEFAULT 0,
  MENUNO          INTEGER DEFAULT 0,
  PRIMARY KEY (REC)
);

/* メニュー制御: 職位ごとに使える処理（モジュール名とオプション） */
CREATE TABLE JOBCONTROL2 (
  LEVELNO         INTEGER NOT NULL,
  PROC_ID         VARCHAR(40) CHARACTER SET ASCII NOT NULL,
  PROC_OPTION     VARCHAR(100) DEFAULT ''
);
CREATE INDEX JOBCONTROL2_LEVEL ON JOBCONTROL2 (LEVELNO, PROC_ID);

/* グラフの表示設定（オペレータごと） */
CREATE TABLE CHARTINF (
  OPCODE          INTEGER NOT NULL,
  CTYPE1          INTEGER DEFAULT 0,
  CTYPE2          INTEGER DEFAULT 0,
  CTYPE3          INTEGER DEFAULT 0,
  CTYPE4          INTEGER DEFAULT 0,
  BAKCOL          INTEGER DEFAULT 16777215,
  FORCOL          INTEGER DEFAULT 0,
  GRID            INTEGER DEFAULT 3,
  FONTSIZE        INTEGER DEFAULT 2,
  ECOL1           INTEGER DEFAULT 16711680,
  ECOL2           INTEGER DEFAULT 65535,
  ECOL3           INTEGER DEFAULT 255,
  ECOL4           INTEGER DEFAULT 16776960,
  THREE_D         INTEGER DEFAULT 20,
  HANREI          INTEGER DEFAULT 1,
  TANI            INTEGER DEFAULT 0,
  HASUU           INTEGER DEFAULT 0,
  RESERVE1        INTEGER DEFAULT 0,
  RESERVE2        INTEGER DEFAULT 0,
  RESERVE3        INTEGER DEFAULT 0,
  PRIMARY KEY (OPCODE)
);

/* お気に入りメニュー（オペレータごとの登録順）。作成するデータには持たない、製品の旧データの表 */
CREATE TABLE OPMENU (
  OPCODE          INTEGER NOT NULL,
  MENUNO          INTEGER NOT NULL,
  CLASS           VARCHAR(40) CHARACTER SET ASCII DEFAULT '',
  CAPTION         VARCHAR(40) DEFAULT '',
  PRIMARY KEY (OPCODE, MENUNO)
);
