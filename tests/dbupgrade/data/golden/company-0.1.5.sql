/* 2026/04/01 09:30:15,PC-TEST,100000010 */

CONNECT '/srv/taxlink/data/0001/qmacc.fdb';
/* 辞書テーブルの参照整合性の変更 */
ALTER TABLE SWKDIC DROP CONSTRAINT SWKDIC_KAR_KCODE;
ALTER TABLE SWKDIC DROP CONSTRAINT SWKDIC_KAS_KCODE;
ALTER TABLE TEKDIC DROP CONSTRAINT TEKDIC_KAR_KCODE;
ALTER TABLE TEKDIC DROP CONSTRAINT TEKDIC_KAS_KCODE;
ALTER TABLE TORDIC DROP CONSTRAINT TORDIC_KAR_KCODE;
ALTER TABLE TORDIC DROP CONSTRAINT TORDIC_KAS_KCODE;
ALTER TABLE KANSA_ITEM DROP CONSTRAINT KANSA_ITEM_MOTKCODE;
ALTER TABLE KANSA_ITEM DROP CONSTRAINT KANSA_ITEM_TOZKCODE;
SET TERM ^ ;
/* 期首残高の変更を開始前月の前期残高へ移す（繰越利益剰余金を除く） */
ALTER TRIGGER KAMOKUSZ_AFTER_UPDATE
ACTIVE AFTER UPDATE POSITION 0
AS
DECLARE VARIABLE VKAISINO INTEGER;
DECLARE VARIABLE VMNUM INTEGER;
DECLARE VARIABLE VKURIKOSI VARCHAR(6) CHARACTER SET ASCII;
DECLARE VARIABLE VZANDAKA NUMERIC(16, 4);
BEGIN
  IF (NEW.KAISIZAN IS DISTINCT FROM OLD.KAISIZAN) THEN
  BEGIN
    SELECT FIRST 1 CODE FROM SYSKMKCODEINF('繰越利益剰余金') INTO :VKURIKOSI;
    IF (NEW.KCODE IS DISTINCT FROM VKURIKOSI) THEN
    BEGIN
      SELECT KAISINO FROM ACCDEF1 WHERE REC = 1 INTO :VKAISINO;
      VMNUM = CASE VKAISINO WHEN 1 THEN 0 WHEN 2 THEN 1 WHEN 3 THEN 2 WHEN 4 THEN 4 WHEN 5 THEN 5
        WHEN 6 THEN 6 WHEN 7 THEN 8 WHEN 8 THEN 9 WHEN 9 THEN 10 WHEN 10 THEN 12 WHEN 11 THEN 13
        WHEN 12 THEN 14 ELSE 0 END;
      SELECT SUM(KAISIZAN) FROM KAMOKU_SZ
      WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE
      INTO :VZANDAKA;
      UPDATE KAMOKU_PZ SET NUKIZAN = :VZANDAKA
      WHERE SCODE = NEW.SCODE AND KCODE = NEW.KCODE AND HCODE = NEW.HCODE AND BCODE = NEW.BCODE
        AND MNUM = :VMNUM;
    END
  END
END
 ^
/* 部門の削除: 辞書と監査項目の参照を空白にする */
CREATE TRIGGER BUMONMST_BEFORE_DELETE FOR BUMONMST
ACTIVE BEFORE DELETE POSITION 0
AS
BEGIN
  UPDATE SWKDIC SET L_BCODE = ' ' WHERE L_BCODE = OLD.BCODE;
  UPDATE SWKDIC SET R_BCODE = ' ' WHERE R_BCODE = OLD.BCODE;
  UPDATE TEKDIC SET KAR_BCODE = ' ' WHERE KAR_BCODE = OLD.BCODE;
  UPDATE TEKDIC SET KAS_BCODE = ' ' WHERE KAS_BCODE = OLD.BCODE;
  UPDATE TORDIC SET KAR_BCODE = ' ' WHERE KAR_BCODE = OLD.BCODE;
  UPDATE TORDIC SET KAS_BCODE = ' ' WHERE KAS_BCODE = OLD.BCODE;
  UPDATE KANSA_ITEM SET MOT_BCODE = ' ' WHERE MOT_BCODE = OLD.BCODE;
  UPDATE KANSA_ITEM SET TOZ_BCODE = ' ' WHERE TOZ_BCODE = OLD.BCODE;
END
 ^
/* 補助の削除: 辞書と監査項目の参照を空白にし、削除した行を記録する */
ALTER TRIGGER HOJOMST_BEFORE_DELETE
ACTIVE BEFORE DELETE POSITION 0
AS
BEGIN
  UPDATE SWKDIC SET L_HCODE = ' ' WHERE L_KCODE = OLD.KCODE AND L_HCODE = OLD.HCODE;
  UPDATE SWKDIC SET R_HCODE = ' ' WHERE R_KCODE = OLD.KCODE AND R_HCODE = OLD.HCODE;
  UPDATE TEKDIC SET KAR_HCODE = ' ' WHERE KAR_KCODE = OLD.KCODE AND KAR_HCODE = OLD.HCODE;
  UPDATE TEKDIC SET KAS_HCODE = ' ' WHERE KAS_KCODE = OLD.KCODE AND KAS_HCODE = OLD.HCODE;
  UPDATE TORDIC SET KAR_HCODE = ' ' WHERE KAR_KCODE = OLD.KCODE AND KAR_HCODE = OLD.HCODE;
  UPDATE TORDIC SET KAS_HCODE = ' ' WHERE KAS_KCODE = OLD.KCODE AND KAS_HCODE = OLD.HCODE;
  UPDATE KANSA_ITEM SET MOT_HCODE = ' ' WHERE MOT_KCODE = OLD.KCODE AND MOT_HCODE = OLD.HCODE;
  UPDATE KANSA_ITEM SET TOZ_HCODE = ' ' WHERE TOZ_KCODE = OLD.KCODE AND TOZ_HCODE = OLD.HCODE;
  INSERT INTO HOJOLOG
  VALUES (GEN_ID(HOJOLOG_REC_GEN, 1), OLD.REC, OLD.KCODE, OLD.HCODE, OLD.HKANA, OLD.HNAME, OLD.TAX_LCODE,
    OLD.TAX_RCODE, OLD.TAX_NUM, OLD.BPFLG, OLD.SIME, OLD.SAITO, OLD.CODATE, OLD.GENDO, OLD.WARIAISW,
    OLD.WARI1, OLD.WARI2, OLD.WARI3, OLD.TEGATA, OLD.YOKKMK, OLD.YOKHOJ, OLD.ADDRESS, OLD.KOUZA, OLD.BANK,
    OLD.SITEN, OLD.KANKEI, OLD.TORIHIK, OLD.RIRITU, OLD.RIYUU, OLD.TANPO, OLD.YOUTO, OLD.FURIKOMI,
    OLD.KARINAME, OLD.KARIDADD, OLD.RTIME, OLD.OPCODE);
END
 ^
SET TERM ; ^
COMMIT ;
/* KESSANテーブルへ注記表タイトル印字区分を追加 */
ALTER TABLE KESSAN
ADD CHUKI_TITLEPRINT INTEGER DEFAULT 0;
UPDATE KESSAN SET CHUKI_TITLEPRINT=0 WHERE REC=1;
COMMIT;
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
UPDATE ACCVERSION SET MAJOR=0,MINOR1=1,MINOR2=5,MEMO='2026/04/01 09:30:15'
WHERE REC=1;
COMMIT;
EXIT;
