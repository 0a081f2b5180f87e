#pragma once

class QWidget;

namespace ondrix {

/// Refuses a typed number: beeps, shows the standard range message "Please enter an integer between
/// min and max." and puts the focus back on the field.
void ShowRangeMessage(int min, int max, QWidget* field);

} // namespace ondrix
