#pragma once
// Event handler types. Events are single named handlers that other objects
// may read, replace and chain. Notifications: OnClick, OnChange, OnTimer,
// OnShow, OnDestroy, mouse events. Query: OnCloseQuery, whose handler may
// clear the close-allowed flag.
#include <functional>
#include <variant>

namespace toolkit {

class Component;

enum class MouseButton { Left, Right, Middle };

// Shift state of a mouse event: the MK_ flags of the message.
using ShiftState = unsigned;

using NotifyEvent = std::function<void(Component& sender)>;
using CloseQueryEvent = std::function<void(Component& sender, bool& canClose)>;
using MouseEvent = std::function<void(Component& sender, MouseButton button, ShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Component& sender, ShiftState shift, int x, int y)>;

// A handler as a form's method table offers it to the form-description
// reader, which binds it to an event property of matching type.
using EventHandler = std::variant<NotifyEvent, CloseQueryEvent, MouseEvent, MouseMoveEvent>;

} // namespace toolkit
