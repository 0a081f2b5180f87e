#pragma once

#include <initializer_list>

class QWidget;

namespace ondrix {

/// Sets the keyboard focus order of widgets: Tab moves from each one to the next in the list.
void SetTabChain(std::initializer_list<QWidget*> widgets);

} // namespace ondrix
