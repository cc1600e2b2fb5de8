#pragma once
// The input limit of an edit in CP932 bytes, as the edits of the product line count their
// maximum length: typing or pasting that would make the text longer is refused whole. Text
// set by the program is not checked.

#include <QValidator>

namespace controls {

class Cp932LimitValidator : public QValidator {
    Q_OBJECT
public:
    explicit Cp932LimitValidator(QObject* parent = nullptr) : QValidator(parent) {}

    int limit() const { return limit_; }
    void setLimit(int bytes) { limit_ = bytes; } // 0 or less: no limit

    State validate(QString& input, int& pos) const override;

private:
    int limit_ = 0;
};

} // namespace controls
