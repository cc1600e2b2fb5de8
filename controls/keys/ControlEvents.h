#pragma once
// Event types of the program's controls. Handlers that may change what happens next take the
// value by reference, as the form's handlers do: clearing the key (0 or a null character)
// stops the control's own handling of it.

#include <QChar>
#include <QObject>

#include <functional>

namespace controls {

using TNotifyEvent = std::function<void(QObject* sender)>;
using TKeyEvent = std::function<void(QObject* sender, int& key, Qt::KeyboardModifiers shift)>;
using TKeyPressEvent = std::function<void(QObject* sender, QChar& key)>;
using TMouseEvent = std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(QObject* sender, Qt::KeyboardModifiers shift, int x, int y)>;

} // namespace controls
