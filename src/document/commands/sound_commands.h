#pragma once

#include "document/commands/command_set.h"

namespace ondrix {

struct SampleParams;

/// The document's commands on the sound as a whole: "&Sample- Parameters..." (rate, bits, tracks and
/// stereo playback) and "Cop&yright- Information..." (the info texts).
class CSoundCommands : public CCommandSet {
public:
    /// The sound commands of a document.
    explicit CSoundCommands(COndrixDoc& doc);

    /// Asks for the sample parameters and changes what differs; false when nothing changed.
    bool SampleParameters();
    /// Applies chosen sample parameters: the stereo flag, then bits, rate (asking 1043) and track count
    /// (asking 1083) under one undo state, which is dropped when no conversion was made.
    bool ApplySampleParameters(const SampleParams& params);
    /// Edits the info texts in dialog 140; OK marks the document modified.
    bool WaveInformation();

private:
    /// Converts the bits per sample; false when it failed.
    bool ConvertBits(uint32_t bits, bool& converted);
    /// Converts the rate, asking whether the velocity is to be kept; false for Cancel or a failure.
    bool ChangeRate(uint32_t rate, bool& converted);
    /// Changes the track count when the user answers Yes; false for No, Cancel or a failure.
    bool ChangeTrackCount(uint32_t tracks, bool& converted);
    /// Marks the document modified after a conversion and tells the views and the status bar.
    void Converted(uint32_t hint);
};

} // namespace ondrix
