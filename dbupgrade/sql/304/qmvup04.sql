/* 現金出納帳の送受信: 科目マスタの更新後処理（出納帳側は科目を読み直すため、印は持たない） */
SET TERM ^ ;
CREATE TRIGGER KAMOKUMST_AFTER_UPDATE2 FOR KAMOKUMST
ACTIVE AFTER UPDATE POSITION 2
AS
BEGIN
  /* 出納帳との送受信で参照する項目はない */
END^
SET TERM ; ^
COMMIT;
