/* 会計データベース: どのデータにも入る初期行 */

/* スキーマのバージョン 0.1.0（行 1） */
INSERT INTO ACCVERSION (REC, MAJOR, MINOR1, MINOR2, MEMO) VALUES (1, 0, 1, 0, '');
SET GENERATOR ACCVERSION_GEN TO 1;
INSERT INTO GENKADIV (CODE, GDNAM) VALUES (1, '定額法');
INSERT INTO GENKADIV (CODE, GDNAM) VALUES (2, '定率法');

/* 決算書の印刷設定 */
INSERT INTO KESSAN (REC) VALUES (1);

/* 監査報告書の見出し */
INSERT INTO KANSA (REC, TITLE, NOTE, JIMUSHO, TANTOU)
VALUES (1, '監査報告書', '監査対象期間において、下記項目の監査が完了致しましたのでご報告申し上げます。', '', '');

/* 予実対比変動損益計算書の行 */

COMMIT;
