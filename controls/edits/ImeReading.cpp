#include "controls/edits/ImeReading.h"

#include "core/text/KanaMap.h"
#include "core/text/SjisText.h"

#include <QInputMethodEvent>

namespace controls {

ImeReading::Step ImeReading::feed(const QInputMethodEvent* event) {
    Step step;
    const QString preedit = event->preeditString();
    const QString commit = event->commitString();
    const bool wasComposing = composing_;
    if (!composing_ && !preedit.isEmpty()) {
        composing_ = true;
        step.started = true;
    }
    if (core::IsKanaOnly(preedit))
        lastKanaPreedit_ = preedit;
    if (!commit.isEmpty()) {
        step.committed = true;
        if (!wasComposing && !step.started)
            step.reading = commit;
        else
            step.reading = core::IsKanaOnly(commit) ? commit : lastKanaPreedit_;
    }
    if (composing_ && preedit.isEmpty()) {
        composing_ = false;
        step.ended = true;
        lastKanaPreedit_.clear();
    }
    return step;
}

QString CutToCp932Bytes(const QString& text, int maxBytes) {
    int bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char32_t cp = text.at(i).isHighSurrogate() && i + 1 < text.size()
                                ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                : char32_t(text.at(i).unicode());
        const int width = core::SjisCharWidth(cp);
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        i += cp > 0xFFFF ? 2 : 1;
    }
    return text.left(i);
}

} // namespace controls
