/* 2026/04/01 09:30:15,PC-TEST,100000010 */

CONNECT '/srv/taxlink/data/0001/qmacc.fdb';
SET TERM ^ ;
/* 仕訳辞書の見出し: 分類番号 CREC が 0 の行に、その行の REC を分類番号として付ける */
RECREATE PROCEDURE ONE_TIME_PROC
AS
DECLARE VARIABLE VREC INTEGER;
BEGIN
  FOR SELECT REC FROM ORGDIC_1 WHERE CREC = 0 ORDER BY REC INTO :VREC DO
    UPDATE ORGDIC_1 SET CREC = :VREC WHERE REC = :VREC;
END ^
SET TERM ; ^
EXECUTE PROCEDURE ONE_TIME_PROC;
Commit;
DROP PROCEDURE "ONE_TIME_PROC";
RECREATE TABLE JOBCONTROL (
  REC             INTEGER NOT NULL,
  LEVELNO         INTEGER DEFAULT 1,
  PAGENO          INTEGER DEFAULT 0,
  MENUNO          INTEGER DEFAULT 0,
  PRIMARY KEY (REC)
);
DROP TABLE "ACCTOTALNAME";
CREATE TABLE "ACCTOTALNAME" (
  "REC"           INTEGER NOT NULL,
  "VERSION"       INTEGER DEFAULT 1,
  "KGROUP"        VARCHAR(6) CHARACTER SET ASCII NOT NULL,
  "KESKUBUN"      INTEGER DEFAULT 0,
  "ARRAYNUM"      INTEGER DEFAULT 0,
  "KOUMOKU"       VARCHAR(14) CHARACTER SET SJIS_0208,
  "PLUSNAME"      AC_NAME,
  "MINUSNAME"     AC_NAME,
  "MODIFY"        INTEGER DEFAULT 0,
  "LAYOUT_TEXT"   AC_NAME,
  "LAYOUT_MAX"    INTEGER,
  "LAYOUT_USE"    INTEGER DEFAULT 1,
  "KESSAN_TEXT"   AC_NAME,
  "KESSAN_USE"    INTEGER DEFAULT 1,
  PRIMARY KEY ("REC")
);
INSERT INTO ACCTOTALNAME VALUES (1,1,'1180',2,2,'当座資産','当座資産合計','',0,'当座資産',8,1,'',0);
INSERT INTO ACCTOTALNAME VALUES (2,1,'1280',2,3,'棚卸資産','棚卸資産合計','',0,'棚卸資産',8,1,'',0);
INSERT INTO ACCTOTALNAME VALUES (3,1,'1380',2,4,'その他流動資産','その他流動資産合計','',0,'その他流動資産',14,1,'',0);
INSERT INTO ACCTOTALNAME VALUES (4,1,'1390',0,5,'流動資産','流動資産合計','',0,'流動資産',8,1,'流動資産',1);
INSERT INTO ACCTOTALNAME VALUES (5,1,'1580',0,6,'有形固定資産','有形固定資産合計','',0,'有形固定資産',12,1,'有形固定資産',1);
INSERT INTO ACCTOTALNAME VALUES (6,1,'1680',0,7,'無形固定資産','無形固定資産合計','',0,'無形固定',8,1,'無形固定資産',1);
INSERT INTO ACCTOTALNAME VALUES (7,1,'1780',0,8,'投資その他の資産','投資その他の資産合計','',0,'その他の資産',12,1,'投資その他の資産',1);
INSERT INTO ACCTOTALNAME VALUES (8,1,'1790',0,9,'固定資産','固定資産合計','',0,'固定資産',8,1,'固定資産',1);
INSERT INTO ACCTOTALNAME VALUES (9,1,'1880',0,10,'繰延資産','繰延資産合計','',0,'繰延資産',8,1,'繰延資産',1);
INSERT INTO ACCTOTALNAME VALUES (10,1,'1900',0,11,'資産の部合','資産の部合計','',0,'資産の部',8,1,'資産の部',1);
INSERT INTO ACCTOTALNAME VALUES (11,1,'2180',0,12,'流動負債','流動負債合計','',0,'流動負債',8,1,'流動負債',1);
INSERT INTO ACCTOTALNAME VALUES (12,1,'2280',0,13,'固定負債','固定負債合計','',0,'固定負債',8,1,'固定負債',1);
INSERT INTO ACCTOTALNAME VALUES (13,1,'2380',0,14,'引当金','引当金合計','',0,'引当金',6,1,'引当金',1);
INSERT INTO ACCTOTALNAME VALUES (14,1,'2800',0,15,'負債の部合','負債の部合計','',0,'負債の部',8,1,'負債の部',1);
INSERT INTO ACCTOTALNAME VALUES (15,1,'3280',0,19,'資本剰余金','資本剰余金合計','',0,'資本剰余金',10,1,'資本剰余金',1);
INSERT INTO ACCTOTALNAME VALUES (16,1,'3380',0,22,'利益剰余金','利益剰余金合計','',0,'利益剰余金',10,1,'利益剰余金',1);
INSERT INTO ACCTOTALNAME VALUES (17,1,'3480',0,23,'株主資本','株主資本合計','',0,'株主資本',8,1,'株主資本',1);
INSERT INTO ACCTOTALNAME VALUES (18,1,'3580',0,24,'評価換算差額等','評価・換算差額等合計','',0,'評価差額',8,1,'評価・換算差額等',1);
INSERT INTO ACCTOTALNAME VALUES (19,1,'3680',1,25,'新株予約権','新株予約権合計','',0,'',0,1,'新株予約権',1);
INSERT INTO ACCTOTALNAME VALUES (20,1,'3800',0,26,'純資産の部合','純資産の部合計','',0,'純資産の部',10,1,'純資産の部',1);
INSERT INTO ACCTOTALNAME VALUES (21,1,'3900',0,27,'負債純資産の部合','負債純資産の部合計','',0,'負債・純資産の部',16,1,'負債・純資産の部',1);
INSERT INTO ACCTOTALNAME VALUES (22,1,'4800',0,28,'純売上高','純売上高','',0,'売上高',10,1,'売上高',1);
INSERT INTO ACCTOTALNAME VALUES (23,1,'5250',0,29,'当期製造原価','当期製造原価','',0,'',0,0,'',0);
INSERT INTO ACCTOTALNAME VALUES (24,1,'5400',0,30,'売上原価','売上原価','',0,'売上原価',10,1,'売上原価',1);
INSERT INTO ACCTOTALNAME VALUES (25,1,'5580',0,31,'材料費','材料費計','',0,'材料費',10,0,'材料費',1);
INSERT INTO ACCTOTALNAME VALUES (26,1,'5680',0,32,'労務費','労務費計','',0,'労務費',10,0,'労務費',1);
INSERT INTO ACCTOTALNAME VALUES (27,1,'5780',0,33,'製造経費','製造経費計','',0,'製造経費',10,0,'製造経費',1);
INSERT INTO ACCTOTALNAME VALUES (28,1,'5880',0,35,'当期製造原価','当期製造原価','',0,'当期製造原価',12,0,'製造原価報告書',1);
INSERT INTO ACCTOTALNAME VALUES (29,1,'5900',0,36,'売上総利益','売上総利益','売上総損失',1,'',0,1,'',0);
INSERT INTO ACCTOTALNAME VALUES (30,1,'6180',0,37,'販売費一般管理費','販売費・一般管理費','',0,'販売費・一般管理費',18,1,'販売費及び一般管理費',1);
INSERT INTO ACCTOTALNAME VALUES (31,1,'6200',0,38,'営業利益','営業利益','営業損失',1,'',0,1,'',0);
INSERT INTO ACCTOTALNAME VALUES (32,1,'7180',0,39,'営業外収益','営業外収益','',0,'営業外収益',10,1,'営業外収益',1);
INSERT INTO ACCTOTALNAME VALUES (33,1,'7280',0,40,'営業外費用','営業外費用','',0,'営業外費用',10,1,'営業外費用',1);
INSERT INTO ACCTOTALNAME VALUES (34,1,'7300',0,41,'経常利益','経常利益','経常損失',1,'',0,1,'',0);
INSERT INTO ACCTOTALNAME VALUES (35,1,'8180',0,42,'特別利益','特別利益','',0,'特別利益',10,1,'特別利益',1);
INSERT INTO ACCTOTALNAME VALUES (36,1,'8280',0,43,'特別損失','特別損失','',0,'特別損失',10,1,'特別損失',1);
INSERT INTO ACCTOTALNAME VALUES (37,1,'8290',0,44,'税引前当期純利益','税引前当期純利益','税引前当期純損失',1,'',0,1,'',0);
INSERT INTO ACCTOTALNAME VALUES (38,1,'8400',0,45,'当期純利益','当期純利益','当期純損失',1,'',0,1,'',0);
Commit;
UPDATE ACCVERSION SET MAJOR=1,MINOR1=0,MINOR2=5,MEMO='2026/04/01 09:30:15'
WHERE REC=1;
COMMIT;
EXIT;
