#include "dbupgrade/company/CompanyStep700.h"

#include "core/settings/AccReg.h"
#include "core/text/SjisText.h"
#include "core/version/EasyEncode.h"
#include "dbupgrade/runner/RunUpdateScript.h"
#include "platform/Cp932.h"

namespace dbupgrade {

namespace {

const QString kGroup = QStringLiteral(u"基本設定");
const QString kPlainKey = QStringLiteral(u"データパスワード");
const QString kScrambledKey = QStringLiteral(u"データパスワードV2");
const QString kTextType = QStringLiteral(u"文字");

// The scrambled form, or nothing when it would not give the password back: the scrambler codes
// only the characters up to the first one outside its alphabet.
std::optional<QString> scrambledPassword(const QString& password)
{
    core::TEasyEncodeInfo info;
    info.key = QString::fromLatin1(core::kDataPasswordKey);
    core::InitEasyEncodeInfo(info);
    info.targetLength = core::kDataPasswordLength;
    info.textLength = core::kDataPasswordLength;
    info.plainText = password;
    if (!core::EasyEncode(info))
        return std::nullopt;
    const QString coded = info.codedText;

    core::TEasyEncodeInfo check;
    check.key = QString::fromLatin1(core::kDataPasswordKey);
    core::InitEasyEncodeInfo(check);
    check.textLength = core::kDataPasswordLength;
    check.codedText = coded;
    if (!core::EasyDecode(check) || check.plainText != password.left(core::kDataPasswordLength))
        return std::nullopt;
    return coded;
}

} // namespace

bool PrepareCompanyStep700()
{
    CompanyDbWork db;
    core::TransactionScope scope(db.transaction());
    const QString password = core::TrimZenkaku(core::funcGetAccReg(kGroup, kPlainKey, kTextType, QString()).toString());
    if (password.isEmpty()) {
        core::funcDeleteAccReg(kGroup, kPlainKey);
        scope.commit();
        return true;
    }
    const std::optional<QString> scrambled = scrambledPassword(password);
    if (!scrambled)
        return false; // the scope rolls back: both settings stay as they were
    core::funcPutAccReg(kGroup, kScrambledKey, kTextType, *scrambled);
    core::funcDeleteAccReg(kGroup, kPlainKey);
    scope.commit();
    return true;
}

int RunCompanyStep700()
{
    if (!PrepareCompanyStep700()) {
        AppendErrDataupLog({platform::toCp932(QStringLiteral(
            u"Ver 7.0.0: データパスワードに英数字以外の文字があるため、変換できませんでした。"
            u"データパスワードを英数字8文字以内に変更してから更新してください。"))});
        return kStepScriptError;
    }
    return RunListedStep({7, 0, 0});
}

int RunCompanyStep702()
{
    return RunListedStep({7, 0, 2});
}

int RunCompanyStep703()
{
    return RunListedStep({7, 0, 3});
}

StepFacts PrepareCompanyStep704()
{
    StepFacts facts;
    CompanyDbWork db;
    core::TransactionScope scope(db.transaction());
    core::TIBSQL& query = db.query();
    query.setParamCheck(true);
    query.sql() << QStringLiteral("SELECT COUNT(TAX_CODE) AS RECCNT FROM TAXMST")
                << QStringLiteral("WHERE TAX_CODE=116");
    query.execQuery();
    facts.hasTaxCode116 = query.fieldByName(QStringLiteral("RECCNT")).asInteger() > 0;
    query.close();
    scope.commit();
    return facts;
}

int RunCompanyStep704()
{
    return RunExternalStep(ListedStepPlan({7, 0, 4}, PrepareCompanyStep704()));
}

int RunCompanyStep800()
{
    return RunListedStep({8, 0, 0});
}

} // namespace dbupgrade
