// The data-password gate of an opened company data set.
#include "core/dm/TDM.h"

#include "core/Globals.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"

namespace core {

namespace {

constexpr int kPasswordAttempts = 3;
constexpr quint32 kRed = 255; // 0x00BBGGRR

} // namespace

bool TDM::CheckDataPassword() {
    if (AccInf.DataPassword.isEmpty())
        return true;
    TextRequest request;
    request.caption = QStringLiteral("パスワードの確認");
    request.prompt = QStringLiteral("パスワードを入力して下さい。");
    request.password = true;
    request.showTextButton = true;
    request.maxLength = 8;
    request.imeOff = true;
    request.centerOnScreen = true;
    request.hint = QStringLiteral("パスワード(英数字8文字以内)を入力し、[OK]ボタンを押して下さい。"
                                  "3回続けて失敗すると「データ選択」画面に戻ります。");
    for (int attempt = 1; attempt <= kPasswordAttempts; ++attempt) {
        if (attempt > 1) {
            request.prompt = QStringLiteral("正しいパスワードを入力して下さい。");
            request.promptColor = kRed;
            request.initialText.clear();
        }
        const std::optional<QString> input = askText(request);
        if (!input)
            return false;
        if (TrimZenkaku(*input) == AccInf.DataPassword)
            return true;
    }
    return false;
}

} // namespace core
