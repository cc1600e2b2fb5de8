#include "schema/ScriptSplitter.h"

namespace schema {
namespace {

// Walks the script once, keeping the line count in step with the position.
class Scanner {
public:
    explicit Scanner(const QString& text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    qsizetype pos() const { return pos_; }
    int line() const { return line_; }
    QChar peek(qsizetype ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_.at(pos_ + ahead) : QChar();
    }
    bool startsWith(const QString& word) const {
        return QStringView(text_).mid(pos_).startsWith(word, Qt::CaseInsensitive);
    }
    void advance(qsizetype count = 1) {
        for (qsizetype i = 0; i < count && pos_ < text_.size(); ++i) {
            if (text_.at(pos_) == QLatin1Char('\n'))
                ++line_;
            ++pos_;
        }
    }

    // Skips a comment or a quoted run starting at the position; false when there is none.
    bool skipQuotedOrComment() {
        const QChar c = peek();
        if (c == QLatin1Char('/') && peek(1) == QLatin1Char('*')) {
            advance(2);
            while (!atEnd() && !(peek() == QLatin1Char('*') && peek(1) == QLatin1Char('/')))
                advance();
            advance(2);
            return true;
        }
        if (c == QLatin1Char('-') && peek(1) == QLatin1Char('-')) {
            while (!atEnd() && peek() != QLatin1Char('\n'))
                advance();
            return true;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A doubled quote inside the run stands for the quote itself.
            advance();
            while (!atEnd()) {
                if (peek() == c) {
                    if (peek(1) == c) {
                        advance(2);
                        continue;
                    }
                    advance();
                    break;
                }
                advance();
            }
            return true;
        }
        return false;
    }

    // Skips blanks and comments before a statement.
    void skipBlanksAndComments() {
        while (!atEnd()) {
            if (peek().isSpace())
                advance();
            else if ((peek() == QLatin1Char('/') && peek(1) == QLatin1Char('*')) ||
                     (peek() == QLatin1Char('-') && peek(1) == QLatin1Char('-')))
                skipQuotedOrComment();
            else
                break;
        }
    }

    QString slice(qsizetype from, qsizetype to) const { return text_.mid(from, to - from); }

private:
    const QString& text_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

bool isSetTerm(const Scanner& s) {
    if (!s.startsWith(QStringLiteral("SET")))
        return false;
    qsizetype i = 3;
    if (!s.peek(i).isSpace())
        return false;
    while (s.peek(i).isSpace())
        ++i;
    const QString term = QStringLiteral("TERM");
    for (qsizetype k = 0; k < term.size(); ++k)
        if (s.peek(i + k).toUpper() != term.at(k))
            return false;
    return s.peek(i + term.size()).isSpace();
}

} // namespace

QList<ScriptStatement> splitScript(const QString& script) {
    QList<ScriptStatement> result;
    QString terminator = QStringLiteral(";");
    Scanner s(script);

    while (true) {
        s.skipBlanksAndComments();
        if (s.atEnd())
            break;
        const int startLine = s.line();
        const qsizetype start = s.pos();

        if (isSetTerm(s)) {
            // "SET TERM <new> <current>": the new terminator is the first word after TERM.
            s.advance(3);
            while (s.peek().isSpace())
                s.advance();
            s.advance(4);
            while (s.peek().isSpace())
                s.advance();
            QString next;
            while (!s.atEnd() && !s.peek().isSpace() && !s.startsWith(terminator)) {
                next += s.peek();
                s.advance();
            }
            while (!s.atEnd() && !s.startsWith(terminator))
                s.advance();
            s.advance(terminator.size());
            if (!next.isEmpty())
                terminator = next;
            continue;
        }

        qsizetype end = -1;
        while (!s.atEnd()) {
            if (s.skipQuotedOrComment())
                continue;
            if (s.startsWith(terminator)) {
                end = s.pos();
                s.advance(terminator.size());
                break;
            }
            s.advance();
        }
        const QString text = s.slice(start, end < 0 ? s.pos() : end).trimmed();
        if (!text.isEmpty())
            result.append({text, startLine});
    }
    return result;
}

} // namespace schema
