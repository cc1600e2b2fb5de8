#pragma once
// Lets a form see the keys of its controls before they do (the form's key preview): every key
// press and release sent to a widget of the form's window reaches the handler first, which
// returns true to consume it.

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace controls {

class WindowKeyPreview : public QObject {
public:
    using Handler = std::function<bool(QKeyEvent* event)>;
    WindowKeyPreview(QWidget* form, Handler handler);
    ~WindowKeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* form_;
    Handler handler_;
};

} // namespace controls
