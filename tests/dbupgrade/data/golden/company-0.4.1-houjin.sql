/* 2026/04/01 09:30:15,PC-TEST,100000010 */

CONNECT '/srv/taxlink/data/0001/qmacc.fdb';
DELETE FROM KANSA_ITEM;
INSERT INTO "KANSA_ITEM" VALUES (1, 1, '監査済み仕訳の修正チェック', '前回監査から今回監査までの間に訂正・追加・削除した監査済み仕訳を確認しました。', 0, 0, 1, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (2, 2, '現・預金の残高確認', '現金及び預金の残高を確認しました。', 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (3, 3, '当座残高調整表の作成', '当座残高調整表を作成し、残高照合表と元帳の差額を確認しました。', 0, 0, 3, 0, NULL, NULL, NULL, NULL, NULL, '1102', NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (4, 4, '売掛残の確認', '売掛金の残高を確認しました。', 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (5, 5, '買掛残の確認', '買掛金の残高を確認しました。', 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (6, 6, '受取手形の確認', '受取手形の残高を確認しました。', 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (7, 7, '支払手形の確認', '支払手形の残高を確認しました。', 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (8, 8, '経過勘定の確認', '仮払金、未払金等経過勘定の明細を確認しました。', 0, 0, 2, 0, NULL, NULL, '1306', NULL, NULL, NULL, NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (9, 9, '不明勘定の確認', '帳簿入力で相手科目の指定がなかった仕訳を確認し、正しい科目を割り当てました。', 0, 0, 2, 0, NULL, NULL, '1101', NULL, NULL, NULL, NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (10, 10, '資本的支出の確認', '修繕費の中に資本的支出（維持管理・原状回復費用）が含まれているかどうかを確認しました。', 0, 0, 2, 0, NULL, NULL, '6206', NULL, NULL, NULL, NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (11, 11, '高額経費の確認', '経費処理した取引の中に資産計上すべき取引がなかったかを確認しました。', 0, 0, 1, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO "KANSA_ITEM" VALUES (12, 12, '消費税区分の確認', '商品券の購入を課税取引とするなど、消費税の取り扱いに誤りがないか確認しました。', 0, 0, 2, 0, NULL, NULL, '6212', NULL, NULL, NULL, NULL, NULL);
COMMIT;
UPDATE ACCVERSION SET MAJOR=0,MINOR1=4,MINOR2=1,MEMO='2026/04/01 09:30:15'
WHERE REC=1;
COMMIT;
EXIT;
