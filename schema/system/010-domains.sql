/*
 * qmaccdef.fdb - shared column types.
 *
 * The same domains exist in every database of the product line, so that a
 * code, a name, an amount or a plain integer has one definition everywhere.
 */

/* account, facility and department codes */
CREATE DOMAIN AC_CODE AS VARCHAR(6) CHARACTER SET ASCII;

/* account and sub-account names */
CREATE DOMAIN AC_NAME AS VARCHAR(14) CHARACTER SET SJIS_0208;

/* amounts */
CREATE DOMAIN CURRENCY AS NUMERIC(16,4);

/* plain integers */
CREATE DOMAIN LONGINT AS INTEGER;

COMMIT;
