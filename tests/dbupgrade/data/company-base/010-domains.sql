/* 会計データベース（qmacc.fdb）: ドメイン定義 */
/* The four domains that the company tables, views and procedures share. */

/* 科目・補助・部門・施設などのコード: ASCII 6 文字 */
CREATE DOMAIN AC_CODE AS VARCHAR(6) CHARACTER SET ASCII;

/* 科目名・補助名・部門名などの名称: 14 文字 */
CREATE DOMAIN AC_NAME AS VARCHAR(14);

/* 金額（小数 4 桁） */
CREATE DOMAIN CURRENCY AS NUMERIC(16,4);

/* 整数の区分・コード */
CREATE DOMAIN LONGINT AS INTEGER;
