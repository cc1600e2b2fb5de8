# Generates the trial-balance procedure scripts.
import os
OUT = os.path.dirname(os.path.abspath(__file__))
os.makedirs(OUT, exist_ok=True)
P = range(1, 17)
def nn(i): return '%02d' % i
CODE = 'VARCHAR(6) CHARACTER SET ASCII'
NAME = 'VARCHAR(14)'
AMT = 'NUMERIC(16,4)'

def cols(prefix, sep=', '):
    return sep.join('%s%s' % (prefix, nn(p)) for p in P)

def amounts_decl(indent='  ', prefix=''):
    return ',\n'.join(['%s%sKAR%s %s' % (indent, prefix, nn(p), AMT) for p in P] +
                      ['%s%sKAS%s %s' % (indent, prefix, nn(p), AMT) for p in P])

def vars_decl(names, typ):
    return ''.join('DECLARE VARIABLE %s %s;\n' % (n, typ) for n in names)

AMTS = ['KAR' + nn(p) for p in P] + ['KAS' + nn(p) for p in P]

def assign(targets, values, indent='    '):
    return ''.join('%s%s = %s;\n' % (indent, t, v) for t, v in zip(targets, values))

def into(names):
    return ', '.join(':' + n for n in names)

# ---------------------------------------------------------------- common helpers
common = []
common.append('''/* 会計データベース: 試算表プロシージャの共通部分（法人・個人・医療法人のすべてのデータ）。
   金額は NUMERIC(16,4)、コードは VARCHAR(6) ASCII。空のコードは「すべて」を表す
   （Firebird の比較では末尾の空白を無視するので、空白 1 文字の「なし」も空と同じに扱われる）。 */

SET TERM ^ ;
''')

# SP_ZEIGAKU_ADD
common.append('''/* 消費税の加算: 渡された借方・貸方の金額に、KAMOKU_TAX の税区分 PTKCODE（1 仮受, 2 仮払）の
   期間ごとの税額を配賦率を掛けて加える。施設・部門が空ならすべての行、部門だけ空なら施設の行、
   両方あれば施設と部門の行。各期間の加算額は FLOOR(0.5 + 税額 × 配賦率)。結果は NULL にならない */
CREATE PROCEDURE SP_ZEIGAKU_ADD (
  PSISCODE     %(CODE)s,
  PBUMCODE     %(CODE)s,
  PTKCODE      INTEGER,
%(amts)s,
%(hb)s)
RETURNS (
%(ramts)s)
AS
DECLARE VARIABLE VS %(CODE)s;
DECLARE VARIABLE VB %(CODE)s;
DECLARE VARIABLE VM INTEGER;
DECLARE VARIABLE VKAR %(AMT)s;
DECLARE VARIABLE VKAS %(AMT)s;
BEGIN
  VS = COALESCE(PSISCODE, '');
  VB = COALESCE(PBUMCODE, '');
%(init)s  FOR SELECT MNUM, SUM(KAR), SUM(KAS) FROM KAMOKU_TAX
      WHERE KKUBUN = :PTKCODE AND (:VS = '' OR SCODE = :VS) AND (:VB = '' OR BCODE = :VB)
      GROUP BY MNUM
      INTO :VM, :VKAR, :VKAS
  DO
  BEGIN
%(adds)s  END
  SUSPEND;
END^
''' % dict(CODE=CODE, AMT=AMT,
           amts=amounts_decl(),
           hb=',\n'.join('  HAIBUN%s %s' % (nn(p), AMT) for p in P),
           ramts=amounts_decl(prefix='R'),
           init=''.join('  R%s = COALESCE(%s, 0);\n' % (a, a) for a in AMTS),
           adds=''.join('    IF (VM = %d) THEN BEGIN RKAR%s = RKAR%s + FLOOR(0.5 + COALESCE(VKAR, 0) * COALESCE(HAIBUN%s, 0)); '
                        'RKAS%s = RKAS%s + FLOOR(0.5 + COALESCE(VKAS, 0) * COALESCE(HAIBUN%s, 0)); END\n'
                        % (p, nn(p), nn(p), nn(p), nn(p), nn(p), nn(p)) for p in P)))

# SP_SISANHYO_KEYS
common.append('''/* 集計範囲の残高行: 科目 PKCODE の KAMOKU_SZ の行のうち、施設（PSCODE 1 施設、PSGROUP 施設グループ、
   どちらも空なら PJIGYOU の事業区分の施設、事業区分 0・16・255 はすべて）と
   部門（PBMODE 0 すべて、1 部門 PBCODE、2 部門グループ PBCODE の構成部門）に当たるもの */
CREATE PROCEDURE SP_SISANHYO_KEYS (
  PSCODE       %(CODE)s,
  PSGROUP      %(CODE)s,
  PJIGYOU      INTEGER,
  PBMODE       INTEGER,
  PBCODE       %(CODE)s,
  PKCODE       %(CODE)s)
RETURNS (
  SCODE        %(CODE)s,
  HCODE        %(CODE)s,
  BCODE        %(CODE)s,
  KAISIZAN     %(AMT)s,
%(hb)s)
AS
DECLARE VARIABLE VS %(CODE)s;
DECLARE VARIABLE VG %(CODE)s;
DECLARE VARIABLE VJ INTEGER;
BEGIN
  VS = COALESCE(PSCODE, '');
  VG = COALESCE(PSGROUP, '');
  VJ = COALESCE(PJIGYOU, 0);
  IF (VJ IN (16, 255)) THEN VJ = 0;
  FOR SELECT SZ.SCODE, SZ.HCODE, SZ.BCODE, COALESCE(SZ.KAISIZAN, 0), %(szhb)s
      FROM KAMOKU_SZ SZ
      WHERE SZ.KCODE = :PKCODE
        AND ((:VS <> '' AND SZ.SCODE = :VS)
          OR (:VS = '' AND :VG <> '' AND SZ.SCODE IN (SELECT G.SCODE FROM SISETUGROUPLIST G WHERE G.GCODE = :VG))
          OR (:VS = '' AND :VG = '' AND (:VJ = 0
                OR SZ.SCODE IN (SELECT S.SCODE FROM SISETUMST S WHERE BIN_AND(S.MB_JIGYOU, :VJ) <> 0))))
        AND (:PBMODE = 0
          OR (:PBMODE = 1 AND SZ.BCODE = :PBCODE)
          OR (:PBMODE = 2 AND SZ.BCODE IN (SELECT L.BCODE FROM GROUPLIST L WHERE L.GCODE = :PBCODE)))
      ORDER BY SZ.SCODE, SZ.HCODE, SZ.BCODE
      INTO :SCODE, :HCODE, :BCODE, :KAISIZAN, %(intohb)s
  DO
    SUSPEND;
END^
''' % dict(CODE=CODE, AMT=AMT,
           hb=',\n'.join('  HAIBUN%s %s' % (nn(p), AMT) for p in P),
           szhb=', '.join('COALESCE(SZ.HAIBUN%s, 0)' % nn(p) for p in P),
           intohb=into('HAIBUN' + nn(p) for p in P)))

# SP_SISANHYO_SUM
A = ['A' + nn(p) for p in P] + ['B' + nn(p) for p in P]
C = ['C' + nn(p) for p in P] + ['D' + nn(p) for p in P]
H = ['H' + nn(p) for p in P]
msum = ', '.join(['COALESCE(SUM(IIF(M.MNUM = %d, M.KAR_NUK + M.KAR_TAX * :VTAXIN, 0)), 0)' % p for p in P] +
                 ['COALESCE(SUM(IIF(M.MNUM = %d, M.KAS_NUK + M.KAS_TAX * :VTAXIN, 0)), 0)' % p for p in P])
def hb_for(i): return 'H' + nn(i)
common.append('''/* 1 科目（PHMODE 1 なら補助 PHCODE だけ）の期首残高と期間 1～16 の借方・貸方の合計。
   PTAX 0 は税込（金額 + 消費税）、1 は税抜（金額だけ）。税抜では仮受消費税（税区分 1）と
   仮払消費税（税区分 2）の科目に、範囲の消費税を SP_ZEIGAKU_ADD で加える（補助は科目そのもの ' ' に）。
   PHIBUN 1 で 1 部門（PBMODE 1）のときは共通部門 '00' を配賦する: 行の配賦率 HAIBUNnn（%%）で
   共通部門の各期間の金額を FLOOR(0.5 + 金額 × 率 / 100) にして自部門の金額に加える。部門 '00' 自身は
   自分の金額をその率にする。期首残高は期間 1 の率、期中開始（ACCDEF1.KAISINO > 1）のデータは
   開始月の期間の率で配賦する。FOUND は範囲に当たった KAMOKU_SZ の行数（0 なら科目は範囲外） */
CREATE PROCEDURE SP_SISANHYO_SUM (
  PTAX         INTEGER,
  PSCODE       %(CODE)s,
  PSGROUP      %(CODE)s,
  PJIGYOU      INTEGER,
  PBMODE       INTEGER,
  PBCODE       %(CODE)s,
  PHIBUN       INTEGER,
  PKCODE       %(CODE)s,
  PHMODE       INTEGER,
  PHCODE       %(CODE)s)
RETURNS (
  FOUND        INTEGER,
  KAISIZAN     %(AMT)s,
%(amts)s)
AS
DECLARE VARIABLE VTAXIN INTEGER;
DECLARE VARIABLE VALLOC INTEGER;
DECLARE VARIABLE VKP INTEGER;
DECLARE VARIABLE VK1 %(CODE)s;
DECLARE VARIABLE VK2 %(CODE)s;
DECLARE VARIABLE VKUBUN INTEGER;
DECLARE VARIABLE VS %(CODE)s;
DECLARE VARIABLE VB %(CODE)s;
DECLARE VARIABLE VH %(CODE)s;
DECLARE VARIABLE VZAN %(AMT)s;
DECLARE VARIABLE VCZAN %(AMT)s;
DECLARE VARIABLE VRATE %(AMT)s;
DECLARE VARIABLE VALLS INTEGER;
%(decl)sBEGIN
  VTAXIN = IIF(PTAX = 0, 1, 0);
  VALLOC = IIF(COALESCE(PHIBUN, 0) = 1 AND PBMODE = 1, 1, 0);
  /* 期首残高の配賦に使う期間: 開始月 1～12 → 期間 1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14, 15 */
  SELECT COALESCE(MAX(KAISINO), 1) FROM ACCDEF1 WHERE REC = 1 INTO :VKP;
  VKP = DECODE(VKP, 2, 2, 3, 3, 4, 5, 5, 6, 6, 7, 7, 9, 8, 10, 9, 11, 10, 13, 11, 14, 12, 15, 1);
  FOUND = 0;
  KAISIZAN = 0;
%(init)s  FOR SELECT SCODE, HCODE, BCODE, KAISIZAN, %(hlist)s
      FROM SP_SISANHYO_KEYS(:PSCODE, :PSGROUP, :PJIGYOU, :PBMODE, :PBCODE, :PKCODE)
      WHERE :PHMODE = 0 OR HCODE = :PHCODE
      INTO :VS, :VH, :VB, :VZAN, %(intoh)s
  DO
  BEGIN
    FOUND = FOUND + 1;
    SELECT %(msum)s
      FROM KAMOKU_MS M
      WHERE M.SCODE = :VS AND M.KCODE = :PKCODE AND M.HCODE = :VH AND M.BCODE = :VB
      INTO %(intoA)s;
    IF (VALLOC = 1) THEN
    BEGIN
      VRATE = DECODE(VKP, %(kpdecode)s);
      IF (VB = '00') THEN
      BEGIN
%(scaleown)s        VZAN = FLOOR(0.5 + VZAN * VRATE / 100);
      END
      ELSE
      BEGIN
        SELECT %(msum)s
          FROM KAMOKU_MS M
          WHERE M.SCODE = :VS AND M.KCODE = :PKCODE AND M.HCODE = :VH AND M.BCODE = '00'
          INTO %(intoC)s;
        VCZAN = 0;
        SELECT COALESCE(MAX(KAISIZAN), 0) FROM KAMOKU_SZ
          WHERE SCODE = :VS AND KCODE = :PKCODE AND HCODE = :VH AND BCODE = '00'
          INTO :VCZAN;
%(addcommon)s        VZAN = VZAN + FLOOR(0.5 + VCZAN * VRATE / 100);
      END
    END
    KAISIZAN = KAISIZAN + VZAN;
%(addown)s  END

  /* 税抜: 仮受消費税・仮払消費税の科目に範囲の消費税を加える */
  IF (PTAX = 1 AND FOUND > 0 AND (PHMODE = 0 OR PHCODE = ' ')) THEN
  BEGIN
    SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VK1;
    SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VK2;
    VKUBUN = 0;
    IF (VK1 <> '' AND PKCODE = VK1) THEN VKUBUN = 1;
    ELSE IF (VK2 <> '' AND PKCODE = VK2) THEN VKUBUN = 2;
    IF (VKUBUN > 0) THEN
    BEGIN
      /* 施設がすべてなら 1 回、そうでなければ範囲の施設ごとに */
      VALLS = IIF(COALESCE(PSCODE, '') = '' AND COALESCE(PSGROUP, '') = '' AND COALESCE(PJIGYOU, 0) IN (0, 16, 255), 1, 0);
      FOR SELECT DISTINCT IIF(:VALLS = 1, '', SCODE)
          FROM SP_SISANHYO_KEYS(:PSCODE, :PSGROUP, :PJIGYOU, 0, '', :PKCODE)
          INTO :VS
      DO
      BEGIN
        IF (PBMODE = 0) THEN
          SELECT %(ramts)s FROM SP_ZEIGAKU_ADD(:VS, '', :VKUBUN, %(amtargs)s, %(ones)s)
            INTO %(intoamts)s;
        ELSE IF (PBMODE = 2) THEN
        BEGIN
          FOR SELECT BCODE FROM GROUPLIST WHERE GCODE = :PBCODE INTO :VB DO
            SELECT %(ramts)s FROM SP_ZEIGAKU_ADD(:VS, :VB, :VKUBUN, %(amtargs)s, %(ones)s)
              INTO %(intoamts)s;
        END
        ELSE
        BEGIN
          /* 1 部門: 自部門の税額は全額、配賦するときは共通部門の税額をこの科目の率で */
          %(zeroh)s
          SELECT FIRST 1 %(hsel)s FROM KAMOKU_SZ
            WHERE SCODE = :VS AND KCODE = :PKCODE AND HCODE = ' ' AND BCODE = :PBCODE
            INTO %(intoh)s;
          IF (VALLOC = 1 AND PBCODE = '00') THEN
            SELECT %(ramts)s FROM SP_ZEIGAKU_ADD(:VS, '00', :VKUBUN, %(amtargs)s, %(hrates)s)
              INTO %(intoamts)s;
          ELSE
          BEGIN
            SELECT %(ramts)s FROM SP_ZEIGAKU_ADD(:VS, :PBCODE, :VKUBUN, %(amtargs)s, %(ones)s)
              INTO %(intoamts)s;
            IF (VALLOC = 1) THEN
              SELECT %(ramts)s FROM SP_ZEIGAKU_ADD(:VS, '00', :VKUBUN, %(amtargs)s, %(hrates)s)
                INTO %(intoamts)s;
          END
        END
      END
    END
  END
  SUSPEND;
END^
''' % dict(CODE=CODE, AMT=AMT, amts=amounts_decl(),
           decl=vars_decl(A + C + H, AMT),
           init=''.join('  %s = 0;\n' % a for a in AMTS),
           hlist=', '.join('HAIBUN' + nn(p) for p in P),
           intoh=into(H),
           msum=msum, intoA=into(A), intoC=into(C),
           kpdecode=', '.join('%d, H%s' % (p, nn(p)) for p in P) + ', H01',
           scaleown=''.join('        %s = FLOOR(0.5 + %s * H%s / 100);\n' % (a, a, nn((i % 16) + 1)) for i, a in enumerate(A)),
           addcommon=''.join('        %s = %s + FLOOR(0.5 + %s * H%s / 100);\n' % (a, a, c, nn((i % 16) + 1)) for i, (a, c) in enumerate(zip(A, C))),
           addown=''.join('    %s = %s + %s;\n' % (t, t, a) for t, a in zip(AMTS, A)),
           ramts=', '.join('R' + a for a in AMTS),
           amtargs=', '.join(':' + a for a in AMTS),
           intoamts=into(AMTS),
           ones=', '.join(['1'] * 16),
           zeroh=' '.join('H%s = 0;' % nn(p) for p in P),
           hsel=', '.join('COALESCE(HAIBUN%s, 0)' % nn(p) for p in P),
           hrates=', '.join(':H%s / 100' % nn(p) for p in P)))

# SP_SISANHYO_PZSUM: past-year balances of KAMOKU_PZ
PZ = ['PZM%02d' % k for k in range(16, 0, -1)] + ['PZ00'] + ['PZP%02d' % p for p in range(1, 16)]
PZM = list(range(-16, 16))
common.append('''/* 科目の過年度残高（KAMOKU_PZ、施設の範囲の補助・部門の合計。範囲は SP_SISANHYO_KEYS と同じ）: PZM16～PZM01 は期間番号 -16～-1、
   PZ00 は 0（当期の期首）、PZP01～PZP15 は 1～15（期中開始のデータの開始前の期間）。残高は
   NUKIZAN + ZEIGAKU、税抜（PTAX 1）では仮受消費税・仮払消費税以外の科目の ZEIGAKU を除く */
CREATE PROCEDURE SP_SISANHYO_PZSUM (
  PTAX         INTEGER,
  PSCODE       %(CODE)s,
  PSGROUP      %(CODE)s,
  PJIGYOU      INTEGER,
  PKCODE       %(CODE)s)
RETURNS (
%(outs)s)
AS
DECLARE VARIABLE VK1 %(CODE)s;
DECLARE VARIABLE VK2 %(CODE)s;
DECLARE VARIABLE VT INTEGER;
DECLARE VARIABLE VS %(CODE)s;
DECLARE VARIABLE VH %(CODE)s;
DECLARE VARIABLE VB %(CODE)s;
%(vdecl)sBEGIN
  SELECT CODE FROM SYSKMKCODEINF('仮受消費税') INTO :VK1;
  SELECT CODE FROM SYSKMKCODEINF('仮払消費税') INTO :VK2;
  VT = IIF(PTAX = 0 OR (VK1 <> '' AND PKCODE = VK1) OR (VK2 <> '' AND PKCODE = VK2), 1, 0);
%(init)s  FOR SELECT SCODE, HCODE, BCODE FROM SP_SISANHYO_KEYS(:PSCODE, :PSGROUP, :PJIGYOU, 0, '', :PKCODE)
      INTO :VS, :VH, :VB
  DO
  BEGIN
    SELECT %(sums)s
      FROM KAMOKU_PZ Z
      WHERE Z.SCODE = :VS AND Z.KCODE = :PKCODE AND Z.HCODE = :VH AND Z.BCODE = :VB
      INTO %(intov)s;
%(adds)s  END
  SUSPEND;
END^
''' % dict(CODE=CODE, outs=',\n'.join('  %s %s' % (n, AMT) for n in PZ),
           sums=', '.join('COALESCE(SUM(IIF(Z.MNUM = %d, Z.NUKIZAN + Z.ZEIGAKU * :VT, 0)), 0)' % m for m in PZM),
           vdecl=vars_decl(['V' + z for z in PZ], AMT),
           init=''.join('  %s = 0;\n' % z for z in PZ),
           intov=into('V' + z for z in PZ),
           adds=''.join('    %s = %s + V%s;\n' % (z, z, z) for z in PZ)))
common.append('SET TERM ; ^\n')

# ---------------------------------------------------------------- account-list procedures
def account_list(name, comment, params, scope, medical, hibun='0'):
    """scope: (PSCODE, PSGROUP, PJIGYOU, PBMODE, PBCODE) expressions."""
    sc = ', '.join(scope)
    groups = 'GROUPM1, GROUPM2' + (', GROUPR1, GROUPR2, GROUPM3' if medical else '')
    gdecl = ''.join('  %s %s,\n' % (g, CODE) for g in groups.split(', '))
    kgroups = ', '.join('K.' + g for g in groups.split(', '))
    return '''/* %(comment)s */
CREATE PROCEDURE %(name)s (
%(params)s)
RETURNS (
%(gdecl)s  USERCODE     %(CODE)s,
  KCODE        %(CODE)s,
  KNAME        %(NAME)s,
  BSPL         VARCHAR(1) CHARACTER SET ASCII,
  HOJCNT       INTEGER,
  HCODE        %(CODE)s,
  HNAME        %(NAME)s,
  TAISHAKU     INTEGER,
  KAISIZAN     %(AMT)s,
%(amts)s)
AS
DECLARE VARIABLE VFOUND INTEGER;
DECLARE VARIABLE VH %(CODE)s;
DECLARE VARIABLE VANAME %(NAME)s;
BEGIN
  FOR SELECT K.KCODE, %(kgroups)s, K.USERCODE, K.KNAME, K.BPFLG, K.DAC
      FROM KAMOKUMST K WHERE K.USE > 0
      ORDER BY K.GROUPM1, K.USERCODE, K.KCODE
      INTO :KCODE, %(intog)s, :USERCODE, :KNAME, :BSPL, :TAISHAKU
  DO
  BEGIN
    SELECT FOUND, KAISIZAN, %(amtlist)s FROM SP_SISANHYO_SUM(:PTAX, %(sc)s, %(hibun)s, :KCODE, 0, '')
      INTO :VFOUND, :KAISIZAN, %(intoamts)s;
    IF (VFOUND > 0) THEN
    BEGIN
      SELECT COUNT(DISTINCT HCODE) FROM SP_SISANHYO_KEYS(%(sc)s, :KCODE) WHERE HCODE <> ' '
        INTO :HOJCNT;
      HCODE = '';
      HNAME = '';
      VANAME = KNAME;
      SUSPEND;
      IF (HOJCNT > 0) THEN
      BEGIN
        /* 補助のない分（' '）は金額があるときだけ、科目名で先頭に */
        SELECT KAISIZAN, %(amtlist)s FROM SP_SISANHYO_SUM(:PTAX, %(sc)s, %(hibun)s, :KCODE, 1, ' ')
          INTO :KAISIZAN, %(intoamts)s;
        IF (KAISIZAN <> 0 OR %(nonzero)s) THEN
        BEGIN
          HCODE = ' ';
          HNAME = VANAME;
          SUSPEND;
        END
        FOR SELECT DISTINCT HCODE FROM SP_SISANHYO_KEYS(%(sc)s, :KCODE) WHERE HCODE <> ' '
            ORDER BY HCODE INTO :VH
        DO
        BEGIN
          SELECT KAISIZAN, %(amtlist)s FROM SP_SISANHYO_SUM(:PTAX, %(sc)s, %(hibun)s, :KCODE, 1, :VH)
            INTO :KAISIZAN, %(intoamts)s;
          HCODE = VH;
          HNAME = '';
          SELECT FIRST 1 HNAME FROM HOJOMST WHERE KCODE = :KCODE AND HCODE = :VH INTO :HNAME;
          SUSPEND;
        END
      END
    END
  END
END^
''' % dict(name=name, comment=comment, params=params, gdecl=gdecl, CODE=CODE, NAME=NAME, AMT=AMT,
           amts=amounts_decl(), kgroups=kgroups, intog=into(groups.split(', ')), sc=sc, hibun=hibun,
           amtlist=', '.join(AMTS), intoamts=into(AMTS),
           nonzero=' OR '.join('%s <> 0' % a for a in AMTS))

# ---------------------------------------------------------------- statement-line procedures
def line_list(name, comment, params, scope, table, ext, medical, hibun='0', kessan=None):
    sc = ', '.join(scope)
    groups = 'GROUPM1, GROUPM2' + (', GROUPR1, GROUPR2, GROUPM3' if medical else '')
    glist = groups.split(', ')
    gdecl = ''.join('  %s %s,\n' % (g, CODE) for g in glist)
    vg = ['V' + g for g in glist]
    T = ['T' + a for a in AMTS]
    extra_out = ''
    extra_decl = ''
    extra_init = ''
    extra_add = ''
    extra_final = ''
    if kessan:
        zanm = ['ZANM%02d' % k for k in range(15, -1, -1)]
        zanp = ['ZANP%02d' % p for p in range(1, 16)]
        extra_out = ',\n  KISHU1 %s,\n%s,\n  KISHU0 %s,\n%s' % (
            AMT, ',\n'.join('  %s %s' % (z, AMT) for z in zanm), AMT, ',\n'.join('  %s %s' % (z, AMT) for z in zanp))
        extra_decl = vars_decl(['Q' + z for z in PZ] + ['S' + z for z in PZ], AMT)
        extra_init = ''.join('    S%s = 0;\n' % z for z in PZ)
        extra_add = ('        SELECT %s FROM SP_SISANHYO_PZSUM(:PTAX, %s, :KCODE) INTO %s;\n' % (', '.join(PZ), ', '.join(scope[:3]), into('Q' + z for z in PZ)) +
                     ''.join('        S%s = S%s + Q%s;\n' % (z, z, z) for z in PZ))
        # previous year: opening PZ[-16], change of period k = PZ[-k] - PZ[-k-1]
        fin = '      KISHU1 = IIF(%s, SPZM16, 0);\n' % kessan
        for k in range(15, -1, -1):
            cur = 'SPZ00' if k == 0 else 'SPZM%02d' % k
            prev = 'SPZM%02d' % (k + 1)
            fin += '      ZANM%02d = IIF(%s, %s - %s, 0);\n' % (k, kessan, cur, prev)
        fin += '      KISHU0 = SPZ00;\n'
        for p in range(1, 16):
            prev = 'SPZ00' if p == 1 else 'SPZP%02d' % (p - 1)
            fin += '      ZANP%02d = SPZP%02d - %s;\n' % (p, p, prev)
        extra_final = fin
    return '''/* %(comment)s */
CREATE PROCEDURE %(name)s (
%(params)s)
RETURNS (
%(gdecl)s  MSTREC       INTEGER,
  SUBREC       INTEGER,
  USERCODE     %(CODE)s,
  KCODE        %(CODE)s,
  KNAME        %(NAME)s,
  BSPL         VARCHAR(1) CHARACTER SET ASCII,
  TAISHAKU     INTEGER,
  KAISIZAN     %(AMT)s,
%(amts)s%(extra_out)s)
AS
DECLARE VARIABLE VLINENAME %(NAME)s;
DECLARE VARIABLE VCOUNT INTEGER;
DECLARE VARIABLE VFOUND INTEGER;
DECLARE VARIABLE VKCODE %(CODE)s;
DECLARE VARIABLE VUSERCODE %(CODE)s;
DECLARE VARIABLE VKNAME %(NAME)s;
DECLARE VARIABLE VBSPL VARCHAR(1) CHARACTER SET ASCII;
DECLARE VARIABLE VDAC INTEGER;
DECLARE VARIABLE TKAISIZAN %(AMT)s;
%(vgdecl)s%(tdecl)s%(extra_decl)sBEGIN
  FOR SELECT L.REC, L.SUBREC, COALESCE(L.KNAME1, '') FROM %(table)s L
      ORDER BY L.KGROUP, L.SUBREC, L.REC
      INTO :MSTREC, :SUBREC, :VLINENAME
  DO
  BEGIN
    VCOUNT = 0;
    KAISIZAN = 0;
%(init)s%(extra_init)s    FOR SELECT K.KCODE, K.USERCODE, K.KNAME, K.BPFLG, K.DAC, %(kgroups)s
        FROM KAMOKUMST K WHERE K.%(ext)s = :MSTREC AND K.USE > 0
        ORDER BY K.KCODE
        INTO :VKCODE, :VUSERCODE, :VKNAME, :VBSPL, :VDAC, %(intovg)s
    DO
    BEGIN
      SELECT FOUND, KAISIZAN, %(amtlist)s FROM SP_SISANHYO_SUM(:PTAX, %(sc)s, %(hibun)s, :VKCODE, 0, '')
        INTO :VFOUND, :TKAISIZAN, %(intot)s;
      IF (VFOUND > 0) THEN
      BEGIN
        VCOUNT = VCOUNT + 1;
        KCODE = VKCODE;
        USERCODE = VUSERCODE;
        KNAME = VKNAME;
        BSPL = VBSPL;
        TAISHAKU = VDAC;
%(setg)s        KAISIZAN = KAISIZAN + TKAISIZAN;
%(addt)s%(extra_add)s      END
    END
    IF (VCOUNT > 0) THEN
    BEGIN
      /* コードは 1 科目だけで、行の名前が空か科目名と同じときだけその科目のもの */
      IF (VCOUNT > 1 OR (VLINENAME <> '' AND VLINENAME <> KNAME)) THEN
      BEGIN
        USERCODE = '-';
        KCODE = '-';
      END
      IF (VLINENAME <> '') THEN KNAME = VLINENAME;
%(extra_final)s      SUSPEND;
    END
  END
END^
''' % dict(name=name, comment=comment, params=params, gdecl=gdecl, CODE=CODE, NAME=NAME, AMT=AMT,
           amts=amounts_decl(), extra_out=extra_out, vgdecl=vars_decl(vg, CODE), tdecl=vars_decl(T, AMT),
           extra_decl=extra_decl, table=table, ext=ext,
           init=''.join('    %s = 0;\n' % a for a in AMTS), extra_init=extra_init,
           kgroups=', '.join('K.' + g for g in glist), intovg=into(vg), sc=sc, hibun=hibun,
           amtlist=', '.join(AMTS), intot=into(T),
           setg=''.join('        %s = %s;\n' % (g, v) for g, v in zip(glist, vg)),
           addt=''.join('        %s = %s + %s;\n' % (a, a, t) for a, t in zip(AMTS, T)),
           extra_add=extra_add, extra_final=extra_final)

def prm(*pairs):
    return ',\n'.join('  %-12s %s' % (n, CODE if t == 'c' else 'INTEGER' + (' = %s' % t[2:] if t.startswith('i=') else ''))
                      for n, t in pairs)

ALL = ("''", "''", '0')
# ---------------------------------------------------------------- ordinary set
o = ['''/* 会計データベース: 試算表のプロシージャ（法人・個人のデータ）。
   行の金額は SP_SISANHYO_SUM（trial-balance/common.sql）で集計する。税抜（PTAX 1）の金額は
   KAR_NUK / KAS_NUK の合計で、一括税抜の調整（KAR_IKKATSU）は引かない。 */

SET TERM ^ ;
''']
o.append(account_list('SP_SISANHYO', '科目別試算表: 施設 PSCODE、施設グループ PSITENGROUP、どちらも空なら全体。科目行のあとに HOJCNT 件の補助の行',
                      prm(('PTAX', 'i'), ('PSCODE', 'c'), ('PSITENGROUP', 'c')), (':PSCODE', ':PSITENGROUP', '0', '0', "''"), False))
o.append(account_list('SP_SISANHYO_BUMONGOKEI', '部門の全施設合計の科目別試算表',
                      prm(('PTAX', 'i'), ('PBCODE', 'c')), ("''", "''", '0', '1', ':PBCODE'), False))
o.append(account_list('SP_SISANHYO_BUMON', '施設 PSCODE・部門 PBCODE の科目別試算表。PHIBUN 1 で共通部門を配賦',
                      prm(('PTAX', 'i'), ('PHIBUN', 'i'), ('PSCODE', 'c'), ('PBCODE', 'c')),
                      (':PSCODE', "''", '0', '1', ':PBCODE'), False, hibun=':PHIBUN'))
o.append(account_list('SP_SISANHYO_BUMON_GROUP', '施設 PSCODE・部門グループ PGCODE の構成部門の合計の科目別試算表',
                      prm(('PTAX', 'i'), ('PSCODE', 'c'), ('PGCODE', 'c')), (':PSCODE', "''", '0', '2', ':PGCODE'), False))
for sz, ext in (('A4', 'EXT1_A4'), ('A3', 'EXT1_A3')):
    o.append(line_list('SP_SISANHYO_' + sz, '定形試算表（%s）: EXTERA%s の行ごとに、その行に割り当てた科目の合計' % (sz, sz[1]),
                       prm(('PTAX', 'i'), ('PSCODE', 'c'), ('PSITENGROUP', 'c')), (':PSCODE', ':PSITENGROUP', '0', '0', "''"),
                       'EXTERA' + sz[1], ext, False))
    o.append(line_list('SP_SISANHYO_BUMONGOKEI_' + sz, '部門の全施設合計の定形試算表（%s）' % sz,
                       prm(('PTAX', 'i'), ('PBCODE', 'c')), ("''", "''", '0', '1', ':PBCODE'), 'EXTERA' + sz[1], ext, False))
    o.append(line_list('SP_SISANHYO_BUMON_' + sz, '施設・部門の定形試算表（%s）。PHIBUN 1 で共通部門を配賦' % sz,
                       prm(('PTAX', 'i'), ('PHIBUN', 'i'), ('PSCODE', 'c'), ('PBCODE', 'c')),
                       (':PSCODE', "''", '0', '1', ':PBCODE'), 'EXTERA' + sz[1], ext, False, hibun=':PHIBUN'))
o.append(line_list('SP_SISANHYO_KESSAN', '決算書の試算表: EXTERKS の行ごとに全施設の合計。PZENTAX 1 以上（既定 1）で前期の期首残高 KISHU1 と'
                   '期間ごとの増減 ZANM15～ZANM00、そうでなければ 0。KISHU0 は当期の期首残高、ZANP01～ZANP15 は期中開始のデータの開始前の期間の増減',
                   prm(('PTAX', 'i'), ('PZENTAX', 'i=1')), ("''", "''", '0', '0', "''"), 'EXTERKS', 'EXT1_KS', False,
                   kessan='COALESCE(PZENTAX, 1) >= 1'))
o.append('SET TERM ; ^\n')

# ---------------------------------------------------------------- medical set
m = ['''/* 会計データベース: 試算表のプロシージャ（医療法人のデータ）。名前は法人のものと同じで引数が違う。
   行には GROUPR1・GROUPR2（事業区分 2・4 の分類）と GROUPM3（決算書の分類）も返す。
   事業区分 PJIGYOU は施設の MB_JIGYOU のビット（0・16・255 はすべての施設）。 */

SET TERM ^ ;
''']
m.append(account_list('SP_SISANHYO', '科目別試算表: 施設 PSCODE（空なら事業区分 PJIGYOU の施設）',
                      prm(('PSCODE', 'c'), ('PTAX', 'i'), ('PJIGYOU', 'i=0')), (':PSCODE', "''", ':PJIGYOU', '0', "''"), True))
m.append(account_list('SP_SISANHYO_BUMONGOKEI', '部門の合計の科目別試算表（事業区分 PJIGYOU の施設）',
                      prm(('PTAX', 'i'), ('PBCODE', 'c'), ('PJIGYOU', 'i=0')), ("''", "''", ':PJIGYOU', '1', ':PBCODE'), True))
m.append(account_list('SP_SISANHYO_SISETU', '1 施設の科目別試算表',
                      prm(('PSCODE', 'c'), ('PTAX', 'i')), (':PSCODE', "''", '0', '0', "''"), True))
m.append(account_list('SP_SISANHYO_BUMON', '施設・部門の科目別試算表。PHIBUN 1 で共通部門を配賦',
                      prm(('PSCODE', 'c'), ('PBCODE', 'c'), ('PTAX', 'i'), ('PHIBUN', 'i=0')),
                      (':PSCODE', "''", '0', '1', ':PBCODE'), True, hibun=':PHIBUN'))
m.append(account_list('SP_SISANHYO_GROUP', '施設グループの合計の科目別試算表',
                      prm(('PGCODE', 'c'), ('PTAX', 'i')), ("''", ':PGCODE', '0', '0', "''"), True))
for sz, ext in (('A4', 'EXT1_A4'), ('A3', 'EXT1_A3')):
    t = 'EXTERA' + sz[1]
    m.append(line_list('SP_SISANHYO_' + sz, '定形試算表（%s）: 施設 PSCODE（空なら事業区分 PJIGYOU の施設）' % sz,
                       prm(('PSCODE', 'c'), ('PTAX', 'i'), ('PJIGYOU', 'i=0')), (':PSCODE', "''", ':PJIGYOU', '0', "''"), t, ext, True))
    m.append(line_list('SP_SISANHYO_BUMON_' + sz, '施設・部門の定形試算表（%s）。PHIBUN 1 で共通部門を配賦' % sz,
                       prm(('PSCODE', 'c'), ('PBCODE', 'c'), ('PTAX', 'i'), ('PHIBUN', 'i=0')),
                       (':PSCODE', "''", '0', '1', ':PBCODE'), t, ext, True, hibun=':PHIBUN'))
    m.append(line_list('SP_SISANHYO_JIGYOBETUBUMON_' + sz, '事業区分 PJIGYOU の施設の部門 PBCODE の定形試算表（%s）' % sz,
                       prm(('PTAX', 'i'), ('PBCODE', 'c'), ('PJIGYOU', 'i=0')), ("''", "''", ':PJIGYOU', '1', ':PBCODE'), t, ext, True))
m.append(line_list('SP_SISANHYO_BUMONGOKEI_KS', '部門の合計の決算書の試算表（EXTERKS の行）',
                   prm(('PTAX', 'i'), ('PBCODE', 'c')), ("''", "''", '0', '1', ':PBCODE'), 'EXTERKS', 'EXT1_KS', True))
m.append(line_list('SP_SISETUHIKAKU_SISANHYO', '施設比較の決算書の試算表（EXTERKS の行）: 施設 PSCODE、施設グループ PGCODE、'
                   'どちらも空なら事業区分 PJIGYOU の施設。PZENKI 1 以上で前期の KISHU1・ZANM15～ZANM00 も返す',
                   prm(('PSCODE', 'c'), ('PGCODE', 'c'), ('PTAX', 'i'), ('PJIGYOU', 'i=0'), ('PZENKI', 'i=0')),
                   (':PSCODE', ':PGCODE', ':PJIGYOU', '0', "''"), 'EXTERKS', 'EXT1_KS', True, kessan='COALESCE(PZENKI, 0) >= 1'))
m.append('SET TERM ; ^\n')

for fn, parts in (('common.sql', common), ('ordinary.sql', o), ('medical.sql', m)):
    with open(os.path.join(OUT, fn), 'w', encoding='utf-8') as f:
        f.write('\n'.join(parts))
print('ok')
