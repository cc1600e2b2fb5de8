/* —\ŽZŠz‚ÌŠÛ‚ß: Œ…”‚ðÈ—ª‚·‚é‚Æ‰~’PˆÊ‚ÉŠÛ‚ß‚é */
SET TERM ^ ;
ALTER FUNCTION F_ROUND (
  VAL NUMERIC(16, 4),
  DIGITS INTEGER = 0)
RETURNS NUMERIC(16, 4)
AS
BEGIN
  RETURN ROUND(VAL, DIGITS);
END^
SET TERM ; ^
COMMIT;
