#pragma once

#include <QIcon>

namespace ondrix {

/// The kinds of device the device lists show a picture of.
enum DevicePicture { PICTURE_OUTPUT, PICTURE_INPUT, PICTURE_MIDI };

/// The small picture of a device list entry: a loudspeaker, a microphone or a keyboard; crossed out
/// for "No Sound Card" (present false).
QIcon DevicePictureIcon(DevicePicture picture, bool present);

} // namespace ondrix
