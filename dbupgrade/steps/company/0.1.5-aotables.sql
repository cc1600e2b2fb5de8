/* 青色決算書用テーブル作成 */
RECREATE TABLE AO_SINKOKU (
  REC INTEGER NOT NULL,
  ZEIRISI_ADD1 VARCHAR(20) CHARACTER SET SJIS_0208,   /* 税理士事務所所在地（上段） */
  ZEIRISI_ADD2 VARCHAR(20) CHARACTER SET SJIS_0208,   /* 税理士事務所所在地（下段） */
  ZEIRISI_SIMEI1 VARCHAR(20) CHARACTER SET SJIS_0208, /* 税理士氏名（上段） */
  ZEIRISI_SIMEI2 VARCHAR(20) CHARACTER SET SJIS_0208, /* 税理士氏名（下段） */
  ZEIRISI_TEL VARCHAR(15) CHARACTER SET ASCII,        /* 税理士電話番号 */
  GYOUSHUKUBUN INTEGER DEFAULT 0,                     /* 貸倒引当金：業種区分 */
  KURIIRE1 CURRENCY,                                  /* 個別評価：本年分繰入額 */
  KURIIRE2 CURRENCY,                                  /* 一括評価：年末の貸金の額 */
  KURIIRE3 CURRENCY,                                  /* 一括評価：本年分繰入限度額 */
  KURIIRE4 CURRENCY,                                  /* 一括評価：本年分繰入額 */
  KURIIRE5 CURRENCY,                                  /* 本年分の貸倒引当金繰入額の合計 */
  HASUU INTEGER DEFAULT 0,                            /* 繰入限度額の端数処理 */
  KOUJOKUBUN INTEGER DEFAULT 0,                       /* 青色申告特別控除の区分 */
  KOUJO6 CURRENCY,                                    /* 本年分の不動産所得の金額 */
  KOUJO7 CURRENCY,                                    /* 青色申告特別控除前の所得金額 */
  KOUJO8 CURRENCY,                                    /* 控除限度額と６欄のいずれか少ない方 */
  KOUJO9 CURRENCY,                                    /* 青色申告特別控除額 */
  FUSAIRISI CURRENCY,                                 /* 土地等を取得するための負債の利子 */
  HIZUKE DATE,                                        /* 印刷日付 */
  KISHU DATE,                                         /* 期首 */
  KIMATU DATE,                                        /* 期末 */
  YOUSI INTEGER DEFAULT 0,                            /* 用紙（0 A4, それ以外 A3） */
  COLOR INTEGER DEFAULT 1,                            /* カラー印刷 */
  WAKU INTEGER DEFAULT 1,                             /* 白黒印刷の金額枠 */
  PRIMARY KEY (REC));
ALTER TABLE EXTERKS ADD AO_KISHUZAN CURRENCY;
ALTER TABLE EXTERKS ADD AO_KIMATUZAN CURRENCY;
UPDATE EXTERKS SET AO_KISHUZAN=0 ,AO_KIMATUZAN=0 ;
RECREATE TABLE AO_URIAGE (
  REC INTEGER NOT NULL,
  URIAGE CURRENCY,                                    /* 売上 */
  SIIRE CURRENCY,                                     /* 仕入 */
  PRIMARY KEY (REC));
RECREATE TABLE AO_KYUUYO (
  REC INTEGER NOT NULL,                               /* 連番 */
  NUMBER INTEGER DEFAULT 0,                           /* 予備：並び順 */
  SENJYU INTEGER DEFAULT 0,                           /* 専従者 */
  SIMEI VARCHAR(8) CHARACTER SET SJIS_0208,           /* 氏名 */
  TUZUKIGARA VARCHAR(5) CHARACTER SET SJIS_0208,      /* 続柄 */
  NENREI INTEGER DEFAULT 0,                           /* 年齢 */
  TUKISUU INTEGER DEFAULT 0,                          /* 従事月数 */
  KYUUYO CURRENCY,                                    /* 給料賃金 */
  SHOUYO CURRENCY,                                    /* 賞与 */
  GOUKEI COMPUTED BY (KYUUYO+SHOUYO),                 /* 合計 */
  GENSEN CURRENCY,                                    /* 源泉徴収税額 */
  PRIMARY KEY (REC));
RECREATE TABLE AO_TIDAI (
  REC INTEGER NOT NULL,
  SIHARAISAKI1 VARCHAR(20) CHARACTER SET SJIS_0208,   /* 支払先の住所 */
  SIHARAISAKI2 VARCHAR(20) CHARACTER SET SJIS_0208,   /* 支払先の氏名 */
  BUKKEN1 VARCHAR(7) CHARACTER SET SJIS_0208,         /* 賃借物件（上段） */
  BUKKEN2 VARCHAR(7) CHARACTER SET SJIS_0208,         /* 賃借物件（下段） */
  KENRI CURRENCY,                                     /* 権利金 */
  KOUSIN CURRENCY,                                    /* 更新料 */
  TINRYOU CURRENCY,                                   /* 賃借料 */
  KEIHI CURRENCY,                                     /* 左の賃借料のうち必要経費算入額 */
  PRIMARY KEY (REC));
RECREATE TABLE AO_RISI (
  REC INTEGER NOT NULL,
  SIHARAISAKI1 VARCHAR(20) CHARACTER SET SJIS_0208,   /* 支払先の住所 */
  SIHARAISAKI2 VARCHAR(20) CHARACTER SET SJIS_0208,   /* 支払先の氏名 */
  KIMARU CURRENCY,                                    /* 期末現在の借入金等の金額 */
  RISI CURRENCY,                                      /* 本年中の利子割引料 */
  KEIHI CURRENCY,                                     /* 左のうち必要経費算入額 */
  PRIMARY KEY (REC));
RECREATE TABLE AO_HOUSHU (
  REC INTEGER NOT NULL,
  SIHARAISAKI1 VARCHAR(20) CHARACTER SET SJIS_0208,   /* 支払先の住所 */
  SIHARAISAKI2 VARCHAR(20) CHARACTER SET SJIS_0208,   /* 支払先の氏名 */
  HOUSHU CURRENCY,                                    /* 本年中の報酬等の金額 */
  KEIHI CURRENCY,                                     /* 左のうち必要経費算入額 */
  GENSEN CURRENCY,                                    /* 源泉徴収税額 */
  PRIMARY KEY (REC));
RECREATE TABLE AO_NOTE (
  REC INTEGER NOT NULL,
  MEMO VARCHAR(300) CHARACTER SET SJIS_0208,          /* 本年中における特殊事情 */
  PRIMARY KEY (REC));
RECREATE TABLE AO_FUDOUSAN (
  REC INTEGER NOT NULL,
  NUMBER INTEGER DEFAULT 0,                           /* 予備：並び順 */
  KUBUN VARCHAR(6) CHARACTER SET SJIS_0208,           /* 区分 */
  YOUTO VARCHAR(6) CHARACTER SET SJIS_0208,           /* 用途 */
  SHOZAITI VARCHAR(30) CHARACTER SET SJIS_0208,       /* 不動産の所在地 */
  TINSYAKU VARCHAR(30) CHARACTER SET SJIS_0208,       /* 賃借人の住所・氏名 */
  KAISI DATE,                                         /* 賃貸契約期間（開始） */
  SHUURYOU DATE,                                      /* 賃貸契約期間（終了） */
  MENSEKI CURRENCY,                                   /* 賃貸面積 */
  GETUGAKU CURRENCY,                                  /* 賃貸料（月額） */
  NENGAKU CURRENCY,                                   /* 賃貸料（年額） */
  REIKIN CURRENCY,                                    /* 礼金 */
  KENRIKIN CURRENCY,                                  /* 権利金 */
  KOUSINRYOU CURRENCY,                                /* 更新料 */
  MEIGIRYOU CURRENCY,                                 /* 名義書換料 */
  SIKIKIN CURRENCY,                                   /* 敷金 */
  PRIMARY KEY (REC));
